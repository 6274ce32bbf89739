// Round trips: read, write, read again; nothing that was read is lost.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "host/dxf/Reader.h"
#include "host/dxf/Writer.h"

using namespace host::dxf;
using namespace host::dxf::test;

namespace {

Document reread(const Document& doc) {
  auto text = writeString(doc);
  EXPECT_TRUE(text);
  auto back = read(*text, {ReadMode::Strict});
  EXPECT_TRUE(back) << back.status().toString();
  return back ? std::move(*back) : Document{};
}

}  // namespace

TEST(RoundTripTest, ModelledPropertiesSurvive) {
  Document doc = everyEntityDocument();
  Document back = reread(doc);
  ASSERT_EQ(back.entities.size(), doc.entities.size());
  for (std::size_t i = 0; i < doc.entities.size(); ++i) {
    EXPECT_EQ(back.entities[i].type, doc.entities[i].type);
    EXPECT_EQ(back.entities[i].data.index(), doc.entities[i].data.index()) << doc.entities[i].type;
    EXPECT_EQ(back.entities[i].layer, doc.entities[i].layer);
    EXPECT_EQ(back.entities[i].paperSpace, doc.entities[i].paperSpace);
  }
  const Entity& line = back.entities[0];
  EXPECT_EQ(line.trueColor, 0x00FF8000);
  EXPECT_EQ(line.lineweight, 35);
  EXPECT_EQ(line.get<Line>()->end, (Vec3{100.25, 50.125, 0}));
  EXPECT_EQ(back.entities[4].get<LwPolyline>()->vertices, doc.entities[4].get<LwPolyline>()->vertices);
  EXPECT_EQ(back.entities[5].get<LwPolyline>()->constantWidth, 1.25);
  EXPECT_EQ(back.entities[7].get<MText>()->contents, doc.entities[7].get<MText>()->contents);
  const Entity& ins = back.entities[8];
  ASSERT_EQ(ins.children.size(), 2u);
  EXPECT_EQ(ins.children[1].get<Attrib>()->multilineContents(), "first line\\Psecond line");
  EXPECT_EQ(ins.children[1].get<Attrib>()->flags, Attrib::Invisible);
  EXPECT_EQ(dimstyleOverride(back.entities[9], 40)->toDouble(), 10.0);
  EXPECT_EQ(back.entities[11].get<Hatch>()->paths, doc.entities[11].get<Hatch>()->paths);
  EXPECT_EQ(back.entities[11].get<Hatch>()->seeds, doc.entities[11].get<Hatch>()->seeds);
  const Block* sign = back.findBlock("SIGN");
  ASSERT_TRUE(sign);
  EXPECT_EQ(sign->def.base, (Vec3{1, 2, 0}));
  EXPECT_EQ(sign->entities[2].get<Attrib>()->flags, Attrib::Invisible | Attrib::Preset);
  EXPECT_EQ(sign->entities[2].get<Attrib>()->lockPosition, 1);
  EXPECT_EQ(sign->begin.xdata, doc.findBlock("SIGN")->begin.xdata);
  EXPECT_EQ(back.tables.blockRecords.find("SIGN")->preview, doc.tables.blockRecords.find("SIGN")->preview);
  EXPECT_EQ(back.thumbnail, doc.thumbnail);
  EXPECT_EQ(back.header.extMax(), (Vec3{200, 200, 0}));
}

TEST(RoundTripTest, WritingWhatWasReadIsStable) {
  auto first = writeString(everyEntityDocument());
  ASSERT_TRUE(first);
  auto second = writeString(reread(everyEntityDocument()));
  ASSERT_TRUE(second);
  EXPECT_EQ(*first, *second);
}

TEST(RoundTripTest, UnmodelledGroupsAreKeptByteForByte) {
  const std::string text =
      "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1024\n  9\n$CUSTOMVAR\n 40\n1.23456789012345678\n"
      "  0\nENDSEC\n"
      "  0\nSECTION\n  2\nENTITIES\n"
      "  0\nLINE\n  5\n2A\n330\n1F\n100\nAcDbEntity\n  8\n0\n347\n4A\n100\nAcDbLine\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
      " 11\n1.0\n 21\n1.0\n 31\n0.0\n100\nAcDbFuture\n 90\n 7\n  1\n  padded  \n1001\nAPP\n1040\n1.00000\n"
      "  0\nELLIPSE\n  5\n2B\n100\nAcDbEntity\n  8\n0\n100\nAcDbEllipse\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n2.0\n"
      " 21\n0.0\n 31\n0.0\n 40\n0.5\n 41\n0.0\n 42\n6.283185307179586\n"
      "  0\nENDSEC\n  0\nSECTION\n  2\nACDSDATA\n 70\n2\n  0\nACDSSCHEMA\n 90\n0\n  0\nENDSEC\n  0\nEOF\n";
  auto doc = read(text, {ReadMode::Strict});
  ASSERT_TRUE(doc) << doc.status().toString();
  Document back = reread(*doc);
  ASSERT_EQ(back.entities.size(), 2u);
  EXPECT_EQ(back.entities[0].extra, doc->entities[0].extra);
  EXPECT_EQ(back.entities[0].extra.at(2).tag.value, " 7") << "values are written as read";
  EXPECT_EQ(back.entities[0].extra.at(3).tag.value, "  padded  ");
  EXPECT_EQ(back.entities[0].xdata.at(0).tags.at(0).value, "1.00000");
  EXPECT_EQ(back.entities[1].extra, doc->entities[1].extra);
  EXPECT_EQ(back.header.text("$CUSTOMVAR"), "1.23456789012345678");
  ASSERT_EQ(back.unknownSections.size(), 1u);
  EXPECT_EQ(back.unknownSections[0].tags, doc->unknownSections[0].tags);
  EXPECT_EQ(back.entities[0].handle, "2A");
}

TEST(RoundTripTest, EzdxfWrittenFilesKeepTheirContent) {
  if (!haveEzdxf()) GTEST_SKIP() << "ezdxf is not installed for /usr/bin/python3 (python3-ezdxf)";
  std::string dir = tempDir("ezdxf");
  std::string out;
  ASSERT_EQ(runPython("import ezdxf\n"
                      "from ezdxf.render import forms\n"
                      "for ver in ['R2000', 'R2004', 'R2010', 'R2013', 'R2018']:\n"
                      "    doc = ezdxf.new(ver, setup=True)\n"
                      "    msp = doc.modelspace()\n"
                      "    b = doc.blocks.new('SIGN')\n"
                      "    b.add_circle((0, 0), 2)\n"
                      "    b.add_attdef('NAME', (0, -3), dxfattribs={'prompt': 'Name'})\n"
                      "    msp.add_blockref('SIGN', (5, 5)).add_attrib('NAME', 'EXIT', (5, 2))\n"
                      "    msp.add_lwpolyline([(0, 0, 0.2, 0.2, 0.3), (10, 0), (10, 10)], format='xyseb', close=True)\n"
                      "    msp.add_text('Exit', dxfattribs={'style': 'OpenSans', 'height': 2}).set_placement((1, 1))\n"
                      "    msp.add_mtext('line one\\\\Pline two ' * 40, dxfattribs={'char_height': 1.5})\n"
                      "    msp.add_ellipse((0, 0), (3, 0), 0.5)\n"
                      "    msp.add_spline([(0, 0), (1, 2), (3, 1), (4, 4)])\n"
                      "    h = msp.add_hatch(color=3)\n"
                      "    h.paths.add_polyline_path([(0, 0), (5, 0), (5, 5)], is_closed=True)\n"
                      "    h2 = msp.add_hatch()\n"
                      "    h2.set_pattern_fill('ANSI31', scale=0.5)\n"
                      "    e = h2.paths.add_edge_path()\n"
                      "    e.add_line((0, 0), (4, 0)); e.add_arc((2, 0), 2, 0, 180)\n"
                      "    msp.add_leader([(0, 0), (5, 5), (8, 5)])\n"
                      "    msp.add_linear_dim(base=(0, 3), p1=(0, 0), p2=(5, 0)).render()\n"
                      "    msp.add_solid([(0, 0), (1, 0), (0, 1)])\n"
                      "    msp.add_line((0, 0), (1, 1)).set_xdata('EZDXF', [(1000, 'note')])\n"
                      "    doc.saveas(r'" + dir + "/in_' + ver + '.dxf')\n",
                      out),
            0)
      << out;
  for (const char* ver : {"R2000", "R2004", "R2010", "R2013", "R2018"}) {
    SCOPED_TRACE(ver);
    std::string in = dir + "/in_" + std::string(ver) + ".dxf";
    auto doc = readFile(in);
    ASSERT_TRUE(doc) << doc.status().toString();
    for (const Problem& p : doc->problems) ADD_FAILURE() << p.line << ": " << p.message;
    std::string written = dir + "/out_" + std::string(ver) + ".dxf";
    ASSERT_TRUE(writeFile(*doc, written));
    std::string cmp;
    runPython("import ezdxf\n"
              "def load(path):\n"
              "    doc = ezdxf.readfile(path)\n"
              "    return doc, list(doc.modelspace())\n"
              "def props(e, keys):\n"
              "    return {k: str(e.dxf.get(k)) for k in keys}\n"
              "def compare(a, b, where):\n"
              "    bad = []\n"
              "    if len(a) != len(b): return [where + ': %d entities, %d after' % (len(a), len(b))]\n"
              "    for x, y in zip(a, b):\n"
              "        # Every attribute the input has must come back unchanged (we may add defaults).\n"
              "        keys = set(x.dxf.all_existing_dxf_attribs()) - {'handle', 'owner'}\n"
              "        if x.dxftype() != y.dxftype() or props(x, keys) != props(y, keys):\n"
              "            bad.append((x.dxftype(), props(x, keys), props(y, keys)))\n"
              "        if (x.xdata and x.xdata.data) != (y.xdata and y.xdata.data): bad.append(('xdata', x.dxftype()))\n"
              "        if x.dxftype() == 'MTEXT' and x.text != y.text: bad.append('mtext text')\n"
              "        if x.dxftype() == 'HATCH' and (len(x.paths), x.pattern and len(x.pattern.lines)) != (len(y.paths), y.pattern and len(y.pattern.lines)): bad.append('hatch')\n"
              "        if x.dxftype() == 'INSERT': bad += compare(list(x.attribs), list(y.attribs), 'attribs')\n"
              "    return bad\n"
              "da, a = load(r'" + in + "')\n"
              "db, b = load(r'" + written + "')\n"
              "bad = compare(a, b, 'modelspace')\n"
              "for blk in da.blocks:\n"
              "    bad += compare(list(blk), list(db.blocks[blk.name]), blk.name)\n"
              "if sorted(s.dxf.name for s in da.styles) != sorted(s.dxf.name for s in db.styles): bad.append('styles')\n"
              "audit = db.audit()\n"
              "print('same' if not bad else 'differ', 'errors', len(audit.errors))\n"
              "for x in bad: print(x)\n"
              "for e in audit.errors: print(e.message)\n",
              cmp);
    EXPECT_NE(cmp.find("same errors 0"), std::string::npos) << cmp;
    // A second round trip writes the same text.
    auto again = readFile(written, {ReadMode::Strict});
    ASSERT_TRUE(again) << again.status().toString();
    auto t1 = writeString(*doc), t2 = writeString(*again);
    ASSERT_TRUE(t1 && t2);
    EXPECT_TRUE(*t1 == *t2);
  }
}

TEST(RoundTripTest, TableEntityKeepsItsGroupsAndItsBlockLink) {
  const std::string text =
      "  0\nSECTION\n  2\nENTITIES\n"
      "  0\nACAD_TABLE\n  5\n40\n100\nAcDbEntity\n  8\n0\n100\nAcDbBlockReference\n  2\n*T1\n 10\n5.0\n 20\n6.0\n"
      " 30\n0.0\n100\nAcDbTable\n280\n0\n342\n3E\n343\n3F\n 11\n1.0\n 21\n0.0\n 31\n0.0\n 90\n22\n 91\n2\n 92\n1\n"
      "141\n10.0\n141\n10.0\n142\n30.0\n171\n1\n  1\nCell text\n"
      "  0\nENDSEC\n  0\nEOF\n";
  auto doc = read(text, {ReadMode::Strict});
  ASSERT_TRUE(doc) << doc.status().toString();
  Entity& e = doc->entities.at(0);
  ASSERT_TRUE(e.get<AcadTable>());
  EXPECT_EQ(e.get<AcadTable>()->blockName, "*T1");
  EXPECT_EQ(e.get<AcadTable>()->position, (Vec3{5, 6, 0}));
  EXPECT_EQ(e.get<AcadTable>()->blockRecordHandle, "3F");
  std::vector<ExtraTag> before = e.extra;
  e.get<AcadTable>()->blockRecordHandle = "3A";
  Document back = reread(*doc);
  const Entity& t = back.entities.at(0);
  EXPECT_EQ(t.get<AcadTable>()->blockRecordHandle, "3A");
  ASSERT_EQ(t.extra.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i].tag.code != 343) {
      EXPECT_EQ(t.extra[i], before[i]) << i;
    }
  }
}
