// Tests of R2010 writing: handles, owners, structure, ezdxf's audit.
#include "host/dxf/Writer.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "TestSupport.h"
#include "host/dxf/Reader.h"
#include "host/dxf/TagReader.h"

using namespace host::dxf;
using namespace host::dxf::test;

namespace {

std::vector<Tag> writtenTags(const Document& doc) {
  auto text = writeString(doc);
  EXPECT_TRUE(text);
  auto tags = readTags(*text);
  EXPECT_TRUE(tags) << tags.status().toString();
  return tags ? *tags : std::vector<Tag>{};
}

std::uint64_t hexValue(const std::string& s) { return std::stoull(s, nullptr, 16); }

/// Runs ezdxf's reader and audit on `path`; returns "errors N fixes M" and the listed issues.
std::string ezdxfAudit(const std::string& path) {
  std::string out;
  runPython("import ezdxf\n"
            "doc = ezdxf.readfile('" + path + "')\n"
            "a = doc.audit()\n"
            "print('errors', len(a.errors), 'fixes', len(a.fixes))\n"
            "for e in a.errors + a.fixes: print(e.code, e.message)\n",
            out);
  return out;
}

}  // namespace

TEST(WriterTest, AllocatesUniqueHandlesBelowHandSeed) {
  Document doc = everyEntityDocument();
  doc.entities[0].handle = "2A";
  doc.entities[1].handle = "2a";  // duplicate: replaced
  doc.entities[2].handle = "junk";
  auto tags = writtenTags(doc);
  std::set<std::uint64_t> handles;
  std::string seed;
  for (std::size_t i = 0; i + 1 < tags.size(); ++i) {
    if (tags[i].code == 9 && tags[i].value == "$HANDSEED") seed = tags[i + 1].value;
    if ((tags[i].code == 5 || tags[i].code == 105) && tags[i > 0 ? i - 1 : 0].code == 0) {
      EXPECT_TRUE(handles.insert(hexValue(tags[i].value)).second) << "duplicate handle " << tags[i].value;
    }
  }
  ASSERT_FALSE(seed.empty());
  EXPECT_GT(hexValue(seed), *handles.rbegin());
  EXPECT_TRUE(handles.count(0x2A));
  EXPECT_GT(handles.size(), 40u);
}

TEST(WriterTest, EveryObjectHasAHandleAndTheRightOwner) {
  Document prepared = prepareForWrite(everyEntityDocument());
  const BlockRecord* ms = prepared.tables.blockRecords.find("*Model_Space");
  const BlockRecord* ps = prepared.tables.blockRecords.find("*Paper_Space");
  const BlockRecord* sign = prepared.tables.blockRecords.find("SIGN");
  ASSERT_TRUE(ms && ps && sign);
  EXPECT_EQ(prepared.tables.blockRecords.records[0].name, "*Model_Space");
  for (const Entity& e : prepared.entities) {
    EXPECT_FALSE(e.handle.empty());
    EXPECT_EQ(e.owner, e.paperSpace ? ps->handle : ms->handle) << e.type;
    for (const Entity& c : e.children) EXPECT_EQ(c.owner, e.handle);
    if (!e.children.empty()) {
      ASSERT_TRUE(e.seqend);
      EXPECT_EQ(e.seqend->owner, e.handle);
      EXPECT_EQ(e.get<Insert>()->attribsFollow, 1);
    }
  }
  const Block* b = prepared.findBlock("SIGN");
  EXPECT_EQ(b->begin.owner, sign->handle);
  EXPECT_EQ(b->entities[0].owner, sign->handle);
  EXPECT_EQ(b->def.flags & 2, 2) << "a block with attribute definitions says so";
  for (const Layer& l : prepared.tables.layers.records) EXPECT_EQ(l.owner, prepared.tables.layers.handle);

  auto root = prepared.rootDictionary();
  ASSERT_TRUE(root);
  ASSERT_TRUE(root->find("ACAD_GROUP"));
  ASSERT_TRUE(root->find("ACAD_LAYOUT"));
  EXPECT_FALSE(ms->layout.empty());
  EXPECT_FALSE(ps->layout.empty());
  EXPECT_EQ(prepared.header.acadVersion(), "AC1024");
}

TEST(WriterTest, AddsWhatEntitiesReferenceButTablesLack) {
  Document doc = newDocument();
  Entity line = makeLine({0, 0, 0}, {1, 1, 0});
  line.layer = "Undefined";
  line.xdata.push_back({"MYAPP", {Tag(1000, "x")}});
  doc.entities.push_back(line);
  Entity text = makeText({0, 0, 0}, 1, "t");
  text.get<Text>()->style = "Arial";
  doc.entities.push_back(text);
  Document prepared = prepareForWrite(doc);
  EXPECT_TRUE(prepared.tables.layers.find("Undefined"));
  EXPECT_TRUE(prepared.tables.appids.find("MYAPP"));
  EXPECT_TRUE(prepared.tables.styles.find("Arial"));
}

TEST(WriterTest, NamesNoRecordCanHaveFallBackToTheDefaults) {
  // References kept from a damaged file: a control character, a forbidden one, nothing.
  Document doc = newDocument();
  Entity line = makeLine({0, 0, 0}, {1, 1, 0});
  line.layer = std::string("bad\0layer", 9);
  line.linetype = "dash|dot";
  line.xdata.push_back({"", {Tag(1000, "x")}});
  doc.entities.push_back(line);
  Entity text = makeText({0, 0, 0}, 1, "t");
  text.get<Text>()->style = "a\x0e";
  doc.entities.push_back(text);
  auto written = writeString(doc);
  ASSERT_TRUE(written);
  auto back = read(*written, {ReadMode::Strict});
  ASSERT_TRUE(back) << back.status().toString();
  EXPECT_EQ(back->entities[0].layer, "0");
  EXPECT_EQ(back->entities[0].linetype, "");
  EXPECT_TRUE(back->entities[0].xdata.empty());
  EXPECT_EQ(back->entities[1].get<Text>()->style, "Standard");
  for (const Linetype& l : back->tables.linetypes.records) EXPECT_TRUE(validRecordName(l.name)) << l.name;
}

TEST(WriterTest, WritesPreviewAndThumbnailInChunks) {
  auto tags = writtenTags(everyEntityDocument());
  std::size_t previewChunks = 0, thumb = 0;
  for (std::size_t i = 0; i < tags.size(); ++i) {
    if (tags[i].code == 310) {
      EXPECT_LE(tags[i].value.size(), 254u);
      ++previewChunks;
    }
    if (tags[i].code == 2 && tags[i].value == "THUMBNAILIMAGE") thumb = i;
  }
  EXPECT_EQ(previewChunks, 3u + 2u);  // 300 preview bytes + 200 thumbnail bytes
  ASSERT_GT(thumb, 0u);
  EXPECT_EQ(tags[thumb + 1], Tag(90, "200"));
}

TEST(WriterTest, EzdxfAuditsEveryModelledEntityWithoutErrors) {
  if (!haveEzdxf()) GTEST_SKIP() << "ezdxf is not installed for /usr/bin/python3 (python3-ezdxf)";
  std::string path = tempDir("audit") + "/every.dxf";
  ASSERT_TRUE(writeFile(everyEntityDocument(), path));
  std::string out = ezdxfAudit(path);
  EXPECT_NE(out.find("errors 0 fixes 0"), std::string::npos) << out;

  std::string listing;
  runPython("import ezdxf\n"
            "doc = ezdxf.readfile('" + path + "')\n"
            "print(sorted(e.dxftype() for e in doc.modelspace()))\n"
            "print(sorted(e.dxftype() for e in doc.layout('Layout1')))\n"
            "i = doc.modelspace().query('INSERT')[0]\n"
            "print([(a.dxf.tag, a.dxf.text, a.is_invisible, a.has_embedded_mtext_entity) for a in i.attribs])\n"
            "print(doc.blocks['SIGN'].block_record.dxf.name, doc.modelspace().query('MTEXT')[0].text[-6:])\n",
            listing);
  EXPECT_NE(listing.find("['ARC', 'CIRCLE', 'HATCH', 'INSERT', 'LEADER', 'LINE', 'LWPOLYLINE', 'LWPOLYLINE', "
                         "'MTEXT', 'POINT', 'SOLID', 'TEXT']"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("['CIRCLE']"), std::string::npos) << listing;
  EXPECT_NE(listing.find("('NAME', 'EXIT', False, False), ('CODE', '', True, True)"), std::string::npos) << listing;
  EXPECT_NE(listing.find("SIGN x\\Pend"), std::string::npos) << listing;
}

TEST(WriterTest, EzdxfAuditsR12InputWrittenAsR2010) {
  if (!haveEzdxf()) GTEST_SKIP() << "ezdxf is not installed for /usr/bin/python3 (python3-ezdxf)";
  std::string dir = tempDir("r12");
  std::string out;
  ASSERT_EQ(runPython("import ezdxf\n"
                      "doc = ezdxf.new('R12')\n"
                      "msp = doc.modelspace()\n"
                      "b = doc.blocks.new('B')\n"
                      "b.add_attdef('T', (0, 0))\n"
                      "b.add_line((0, 0), (1, 1))\n"
                      "msp.add_blockref('B', (2, 2)).add_attrib('T', 'v', (2, 2))\n"
                      "msp.add_polyline2d([(0, 0), (1, 0), (1, 1)], close=True)\n"
                      "msp.add_polyline3d([(0, 0, 0), (1, 0, 1)])\n"
                      "msp.add_text('hello', dxfattribs={'layer': 'T'})\n"
                      "msp.add_circle((0, 0), 1)\n"
                      "doc.saveas('" + dir + "/r12.dxf')\n",
                      out),
            0)
      << out;
  auto doc = readFile(dir + "/r12.dxf");
  ASSERT_TRUE(doc) << doc.status().toString();
  for (const Problem& p : doc->problems) ADD_FAILURE() << p.line << ": " << p.message;
  ASSERT_TRUE(writeFile(*doc, dir + "/r2010.dxf"));
  std::string audit = ezdxfAudit(dir + "/r2010.dxf");
  EXPECT_NE(audit.find("errors 0"), std::string::npos) << audit;
}
