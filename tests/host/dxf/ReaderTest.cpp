// Tests of document reading: modelled entities, kept groups, R12, bad input.
#include "host/dxf/Reader.h"

#include <gtest/gtest.h>

#include <string>

using namespace host::dxf;

namespace {

/// Joins lines with "\n" (inline DXF text is easier to read one group per line pair).
std::string lines(std::initializer_list<std::string_view> l) {
  std::string s;
  for (std::string_view x : l) {
    s += x;
    s += '\n';
  }
  return s;
}

std::string entities(const std::string& body) {
  return lines({"0", "SECTION", "2", "ENTITIES"}) + body + lines({"0", "ENDSEC", "0", "EOF"});
}

Document readOk(const std::string& text) {
  auto doc = read(text);
  EXPECT_TRUE(doc) << doc.status().toString();
  if (!doc) return {};
  for (const Problem& p : doc->problems) ADD_FAILURE() << "problem at line " << p.line << ": " << p.message;
  return std::move(*doc);
}

}  // namespace

TEST(ReaderTest, ReadsModelledEntities) {
  Document doc = readOk(entities(lines({
      "0", "LINE", "5", "2A", "330", "1F", "100", "AcDbEntity", "8", "Walls", "62", "1", "420", "16711680",
      "370", "25", "6", "DASHED", "48", "0.5", "100", "AcDbLine", "10", "1", "20", "2", "30", "0", "11", "4", "21", "6", "31", "0",
      "0", "ARC", "100", "AcDbEntity", "8", "0", "100", "AcDbCircle", "10", "0", "20", "0", "30", "0", "40", "2.5",
      "100", "AcDbArc", "50", "10", "51", "80",
      "0", "MTEXT", "100", "AcDbEntity", "8", "0", "100", "AcDbMText", "10", "5", "20", "5", "30", "0", "40", "3",
      "41", "50", "71", "5", "3", "first chunk ", "3", "second chunk ", "1", "end", "7", "Standard",
      "0", "LWPOLYLINE", "100", "AcDbEntity", "8", "0", "100", "AcDbPolyline", "90", "3", "70", "1", "43", "0.0",
      "10", "0", "20", "0", "40", "1", "41", "2", "10", "5", "20", "0", "42", "0.5", "10", "5", "20", "5",
      "0", "INSERT", "5", "30", "100", "AcDbEntity", "8", "0", "100", "AcDbBlockReference", "66", "1", "2", "SIGN",
      "10", "7", "20", "8", "30", "0", "41", "2", "42", "2", "43", "1", "50", "45",
      "0", "ATTRIB", "5", "31", "100", "AcDbEntity", "8", "0", "100", "AcDbText", "10", "7", "20", "6", "30", "0",
      "40", "2.5", "1", "EXIT", "72", "1", "11", "7", "21", "6", "31", "0",
      "100", "AcDbAttribute", "280", "0", "2", "NAME", "70", "9", "74", "2", "280", "1",
      "0", "SEQEND", "5", "32", "100", "AcDbEntity", "8", "0",
      "0", "LEADER", "100", "AcDbEntity", "8", "0", "100", "AcDbLeader", "3", "Standard", "71", "1", "72", "0",
      "73", "3", "76", "2", "10", "0", "20", "0", "30", "0", "10", "5", "20", "5", "30", "0", "340", "3F",
      "1001", "ACAD", "1000", "DSTYLE", "1002", "{", "1070", "41", "1040", "4.0", "1070", "341", "1005", "2B",
      "1002", "}",
      "0", "SOLID", "100", "AcDbEntity", "8", "0", "100", "AcDbTrace", "10", "0", "20", "0", "30", "0",
      "11", "1", "21", "0", "31", "0", "12", "0", "22", "1", "32", "0", "13", "1", "23", "1", "33", "0",
      "0", "HATCH", "100", "AcDbEntity", "8", "0", "100", "AcDbHatch", "10", "0", "20", "0", "30", "0",
      "210", "0", "220", "0", "230", "1", "2", "SOLID", "70", "1", "71", "0", "91", "2",
      "92", "3", "72", "1", "73", "1", "93", "3", "10", "0", "20", "0", "42", "0", "10", "1", "20", "0", "42", "0.5",
      "10", "1", "20", "1", "42", "0", "97", "0",
      "92", "1", "93", "2", "72", "1", "10", "0", "20", "0", "11", "2", "21", "0",
      "72", "3", "10", "0", "20", "0", "11", "2", "21", "0", "40", "0.5", "50", "0", "51", "180", "73", "1",
      "97", "1", "330", "2A", "75", "0", "76", "1", "98", "1", "10", "0.5", "20", "0.5",
  })));
  ASSERT_EQ(doc.entities.size(), 8u);
  const Entity& line = doc.entities[0];
  EXPECT_EQ(line.handle, "2A");
  EXPECT_EQ(line.owner, "1F");
  EXPECT_EQ(line.layer, "Walls");
  EXPECT_EQ(line.color, 1);
  EXPECT_EQ(line.trueColor, 0xFF0000);
  EXPECT_EQ(line.lineweight, 25);
  EXPECT_EQ(line.linetype, "DASHED");
  EXPECT_EQ(line.linetypeScale, 0.5);
  ASSERT_TRUE(line.get<Line>());
  EXPECT_EQ(line.get<Line>()->end, (Vec3{4, 6, 0}));

  const Arc* arc = doc.entities[1].get<Arc>();
  ASSERT_TRUE(arc);
  EXPECT_EQ(arc->radius, 2.5);
  EXPECT_EQ(arc->endAngle, 80);

  const MText* mt = doc.entities[2].get<MText>();
  ASSERT_TRUE(mt);
  EXPECT_EQ(mt->contents, "first chunk second chunk end");
  EXPECT_EQ(mt->attachment, 5);
  EXPECT_EQ(mt->width, 50);

  const LwPolyline* pl = doc.entities[3].get<LwPolyline>();
  ASSERT_TRUE(pl);
  EXPECT_TRUE(pl->closed());
  ASSERT_EQ(pl->vertices.size(), 3u);
  EXPECT_EQ(pl->vertices[0].startWidth, 1);
  EXPECT_EQ(pl->vertices[0].endWidth, 2);
  EXPECT_EQ(pl->vertices[1].bulge, 0.5);

  const Entity& ins = doc.entities[4];
  ASSERT_TRUE(ins.get<Insert>());
  EXPECT_EQ(ins.get<Insert>()->name, "SIGN");
  EXPECT_EQ(ins.get<Insert>()->rotation, 45);
  EXPECT_EQ(ins.get<Insert>()->xScale, 2);
  ASSERT_EQ(ins.children.size(), 1u);
  ASSERT_TRUE(ins.seqend);
  EXPECT_EQ(ins.seqend->handle, "32");
  const Attrib* at = ins.children[0].get<Attrib>();
  ASSERT_TRUE(at);
  EXPECT_EQ(at->tag, "NAME");
  EXPECT_EQ(at->value, "EXIT");
  EXPECT_EQ(at->flags, Attrib::Invisible | Attrib::Preset);
  EXPECT_EQ(at->lockPosition, 1);
  EXPECT_EQ(at->version, 0);
  EXPECT_EQ(at->halign, 1);
  EXPECT_EQ(at->valign, 2);
  EXPECT_EQ(at->alignPoint, (Vec3{7, 6, 0}));

  const Entity& le = doc.entities[5];
  ASSERT_TRUE(le.get<Leader>());
  EXPECT_EQ(le.get<Leader>()->vertices.size(), 2u);
  EXPECT_EQ(le.get<Leader>()->annotation, "3F");
  auto dimasz = dimstyleOverride(le, 41);
  ASSERT_TRUE(dimasz);
  EXPECT_EQ(dimasz->toDouble(), 4.0);
  EXPECT_EQ(dimstyleOverride(le, 341)->value, "2B");
  EXPECT_FALSE(dimstyleOverride(le, 40));

  EXPECT_EQ(doc.entities[6].get<Solid>()->corner4, (Vec3{1, 1, 0}));

  const Hatch* h = doc.entities[7].get<Hatch>();
  ASSERT_TRUE(h);
  ASSERT_EQ(h->paths.size(), 2u);
  EXPECT_TRUE(h->paths[0].isPolyline());
  EXPECT_EQ(h->paths[0].vertices[1].bulge, 0.5);
  ASSERT_EQ(h->paths[1].edges.size(), 2u);
  EXPECT_EQ(h->paths[1].edges[1].type, HatchEdge::Type::Ellipse);
  EXPECT_EQ(h->paths[1].edges[1].radius, 0.5);
  EXPECT_EQ(h->paths[1].sourceHandles, std::vector<std::string>{"2A"});
  ASSERT_EQ(h->seeds.size(), 1u);
  EXPECT_EQ(h->seeds[0].x, 0.5);
  EXPECT_TRUE(doc.entities[7].extra.empty());
}

TEST(ReaderTest, KeepsUnmodelledGroupsWithTheirSubclass) {
  Document doc = readOk(entities(lines({
      "0", "LINE", "5", "10", "102", "{ACAD_REACTORS", "330", "20", "102", "}", "330", "1F",
      "100", "AcDbEntity", "8", "0", "347", "4A", "440", "33554661",
      "100", "AcDbLine", "10", "0", "20", "0", "30", "0", "11", "1", "21", "1", "31", "0", "999", "comment",
      "100", "AcDbCustomPart", "1", "custom", "70", "4",
      "1001", "BHP", "1040", "1.5", "1000", "note",
      "0", "DIMENSION", "5", "11", "100", "AcDbEntity", "8", "Dims", "100", "AcDbDimension", "2", "*D1",
      "10", "0", "20", "0", "30", "0", "70", "32",
  })));
  ASSERT_EQ(doc.entities.size(), 2u);
  const Entity& line = doc.entities[0];
  ASSERT_EQ(line.appData.size(), 3u);
  EXPECT_EQ(line.appData[1], Tag(330, "20"));
  std::vector<ExtraTag> expected{{"AcDbEntity", Tag(347, "4A")},
                                 {"AcDbEntity", Tag(440, "33554661")},
                                 {"AcDbCustomPart", Tag(100, "AcDbCustomPart")},
                                 {"AcDbCustomPart", Tag(1, "custom")},
                                 {"AcDbCustomPart", Tag(70, "4")}};
  EXPECT_EQ(line.extra, expected);
  ASSERT_EQ(line.xdata.size(), 1u);
  EXPECT_EQ(line.xdata[0].app, "BHP");
  EXPECT_EQ(line.xdata[0].tags.size(), 2u);

  const Entity& dim = doc.entities[1];
  EXPECT_TRUE(std::holds_alternative<RawEntity>(dim.data));
  EXPECT_EQ(dim.layer, "Dims");
  EXPECT_EQ(dim.extra.size(), 6u);
}

TEST(ReaderTest, ReadsR12WithoutHandlesOrMarkers) {
  const std::string r12 = lines({
      "999", "written by hand",
      "0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1009", "9", "$INSBASE", "10", "1", "20", "2", "30", "0",
      "9", "$EXTMIN", "10", "-1", "20", "-2", "30", "0", "9", "$INSUNITS", "70", "4", "0", "ENDSEC",
      "0", "SECTION", "2", "TABLES",
      "0", "TABLE", "2", "LTYPE", "70", "1", "0", "LTYPE", "2", "DASHED", "70", "0", "3", "__ __", "72", "65",
      "73", "2", "40", "0.75", "49", "0.5", "49", "-0.25", "0", "ENDTAB",
      "0", "TABLE", "2", "LAYER", "70", "1", "0", "LAYER", "2", "WALLS", "70", "0", "62", "-5", "6", "DASHED", "0", "ENDTAB",
      "0", "TABLE", "2", "VPORT", "70", "1", "0", "VPORT", "2", "*ACTIVE", "70", "0", "10", "0", "20", "0", "0", "ENDTAB",
      "0", "ENDSEC",
      "0", "SECTION", "2", "BLOCKS",
      "0", "BLOCK", "8", "0", "2", "SIGN", "70", "2", "10", "0", "20", "0", "30", "0", "3", "SIGN",
      "0", "ATTDEF", "8", "0", "10", "0", "20", "0", "30", "0", "40", "2", "1", "X", "3", "Prompt", "2", "TAG", "70", "1",
      "73", "0", "74", "3",
      "0", "ENDBLK", "8", "0",
      "0", "ENDSEC",
      "0", "SECTION", "2", "ENTITIES",
      "0", "POLYLINE", "8", "WALLS", "66", "1", "10", "0", "20", "0", "30", "2.5", "70", "1", "40", "0.5", "41", "0.5",
      "0", "VERTEX", "8", "WALLS", "10", "0", "20", "0", "30", "0",
      "0", "VERTEX", "8", "WALLS", "10", "10", "20", "0", "30", "0", "42", "1",
      "0", "VERTEX", "8", "WALLS", "10", "10", "20", "10", "30", "0",
      "0", "SEQEND", "8", "WALLS",
      "0", "POLYLINE", "8", "0", "66", "1", "10", "0", "20", "0", "30", "0", "70", "8",
      "0", "VERTEX", "8", "0", "10", "0", "20", "0", "30", "5", "70", "32",
      "0", "SEQEND", "8", "0",
      "0", "INSERT", "8", "0", "66", "1", "2", "SIGN", "10", "5", "20", "5", "30", "0",
      "0", "ATTRIB", "8", "0", "10", "5", "20", "5", "30", "0", "40", "2", "1", "VAL", "2", "TAG", "70", "0", "74", "1",
      "0", "SEQEND", "8", "0",
      "0", "TEXT", "8", "0", "10", "1", "20", "1", "30", "0", "40", "2", "1", "Hi", "72", "2", "11", "3", "21", "1",
      "31", "0", "73", "3",
      "0", "ENDSEC", "0", "EOF",
  });
  Document doc = readOk(r12);
  EXPECT_EQ(doc.header.acadVersion(), "AC1009");
  EXPECT_EQ(doc.header.insBase(), (Vec3{1, 2, 0}));
  EXPECT_EQ(doc.header.extMin(), (Vec3{-1, -2, 0}));
  EXPECT_EQ(doc.header.insUnits(), 4);
  const Linetype* lt = doc.tables.linetypes.find("DASHED");
  ASSERT_TRUE(lt);
  ASSERT_EQ(lt->pattern.size(), 2u);
  EXPECT_EQ(lt->pattern[1].length, -0.25);
  EXPECT_EQ(doc.tables.layers.find("walls")->color, -5);
  EXPECT_EQ(doc.tables.vports.records.at(0).name, "*ACTIVE");

  ASSERT_EQ(doc.blocks.size(), 1u);
  ASSERT_EQ(doc.blocks[0].entities.size(), 1u);
  const Attrib* def = doc.blocks[0].entities[0].get<Attrib>();
  ASSERT_TRUE(def);
  EXPECT_EQ(def->prompt, "Prompt");
  EXPECT_EQ(def->valign, 3);

  ASSERT_EQ(doc.entities.size(), 4u);
  const LwPolyline* pl = doc.entities[0].get<LwPolyline>();
  ASSERT_TRUE(pl) << "a 2D POLYLINE reads as a lightweight polyline";
  EXPECT_EQ(doc.entities[0].type, "LWPOLYLINE");
  EXPECT_EQ(doc.entities[0].layer, "WALLS");
  EXPECT_TRUE(pl->closed());
  EXPECT_EQ(pl->elevation, 2.5);
  EXPECT_EQ(pl->constantWidth, 0.5);
  ASSERT_EQ(pl->vertices.size(), 3u);
  EXPECT_EQ(pl->vertices[1].bulge, 1);
  EXPECT_EQ(doc.entities[1].type, "POLYLINE") << "a 3D polyline stays raw";
  EXPECT_EQ(doc.entities[1].children.size(), 1u);
  ASSERT_TRUE(doc.entities[2].get<Insert>());
  EXPECT_EQ(doc.entities[2].children.at(0).get<Attrib>()->value, "VAL");
  const Text* text = doc.entities[3].get<Text>();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->valign, 3);
  EXPECT_EQ(text->alignPoint, (Vec3{3, 1, 0}));
}

TEST(ReaderTest, ReadsBlockRecordPreviewAndThumbnail) {
  Document doc = readOk(lines({
      "0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "BLOCK_RECORD", "5", "1", "330", "0", "100", "AcDbSymbolTable",
      "70", "1", "0", "BLOCK_RECORD", "5", "1F", "330", "1", "100", "AcDbSymbolTableRecord", "100",
      "AcDbBlockTableRecord", "2", "SIGN", "340", "0", "310", "0102", "310", "FF", "1001", "ACAD", "1000",
      "DesignCenter Data", "0", "ENDTAB", "0", "ENDSEC",
      "0", "SECTION", "2", "THUMBNAILIMAGE", "90", "3", "310", "424D00", "0", "ENDSEC", "0", "EOF"}));
  const BlockRecord* r = doc.tables.blockRecords.find("SIGN");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->handle, "1F");
  EXPECT_EQ(r->preview, (std::vector<std::uint8_t>{1, 2, 0xFF}));
  EXPECT_EQ(r->xdata.at(0).app, "ACAD");
  EXPECT_EQ(doc.thumbnail, (std::vector<std::uint8_t>{0x42, 0x4D, 0}));
}

TEST(ReaderTest, ConvertsEightBitTextOfOldFiles) {
  Document doc = readOk(lines({"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1015", "9", "$DWGCODEPAGE",
                               "3", "ANSI_1252", "0", "ENDSEC"}) +
                        entities(lines({"0", "TEXT", "8", "0", "10", "0", "20", "0", "40", "1", "1", "Caf\xe9 \x80"})));
  EXPECT_EQ(doc.entities.at(0).get<Text>()->value, "Caf\xc3\xa9 \xe2\x82\xac");
}

TEST(ReaderTest, BadInputGivesAStatusOrABoundedResult) {
  std::string good = entities(lines({"0", "LINE", "8", "0", "10", "0", "20", "0", "11", "1", "21", "1"}));
  std::string deep = entities(lines({"0", "LINE", "8", "0", "1001", "APP"}));
  for (int i = 0; i < 20000; ++i) deep.insert(deep.size() - 15, "1002\n{\n");
  std::string appGroups = lines({"0", "SECTION", "2", "ENTITIES", "0", "LINE"});
  for (int i = 0; i < 20000; ++i) appGroups += "102\n{ACAD_X\n";
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  std::string huge = entities(lines({"0", "TEXT", "8", "0", "1"}) + std::string(4 << 20, 'x') + "\n");
  struct Case {
    const char* name;
    std::string text;
    bool mayRead;  ///< checked reading may return a document (with problems)
  } cases[] = {
      {"empty", "", false},
      {"garbage", garbage, false},
      {"not a section", lines({"0", "LINE", "8", "0"}), false},
      {"binary sentinel", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "x", false},
      {"truncated in a tag", good.substr(0, good.size() - 30), true},
      {"truncated in a section", good.substr(0, good.find("ENDSEC")), true},
      {"wrong group code", entities(lines({"0", "LINE", "8x", "0"})), true},
      {"code out of range", entities(lines({"0", "LINE", "5000", "0"})), true},
      {"non-numeric value", entities(lines({"0", "LINE", "10", "one"})), true},
      {"count 2^31 in group 90", entities(lines({"0", "LWPOLYLINE", "90", "2147483648", "10", "0", "20", "0"})), true},
      {"count 2^31-1", entities(lines({"0", "LWPOLYLINE", "90", "2147483647", "10", "0", "20", "0"})), true},
      {"hatch counts", entities(lines({"0", "HATCH", "100", "AcDbHatch", "91", "2147483647", "92", "2", "93",
                                       "2147483647", "10", "0", "98", "2147483647"})), true},
      {"deep xdata nesting", deep, true},
      {"unclosed application groups", appGroups, true},
      {"huge string", huge, true},
      {"attrib without insert", entities(lines({"0", "ATTRIB", "8", "0", "0", "SEQEND"})), true},
      {"block not closed", lines({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "2", "B", "0", "LINE", "0", "ENDSEC"}), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto strict = read(c.text, {ReadMode::Strict});
    auto checked = read(c.text);
    if (!c.mayRead) {
      EXPECT_FALSE(strict);
      EXPECT_FALSE(checked);
      continue;
    }
    if (checked) {
      EXPECT_LE(checked->entities.size(), 2u);
    }
    if (std::string(c.name) == "huge string") {
      EXPECT_TRUE(strict);
      continue;
    }
    if (std::string(c.name).starts_with("count 2^31")) continue;  // bounded: one vertex
    if (checked) {
      EXPECT_FALSE(checked->problems.empty());
    }
    EXPECT_FALSE(strict);
  }
}

TEST(ReaderTest, NumbersProblemsWithLineAndHandle) {
  auto doc = read(entities(lines({"0", "LINE", "5", "AB", "8", "0", "10", "x", "0", "LWPOLYLINE", "5", "AC", "90",
                                  "5", "10", "0", "20", "0"})));
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->problems.size(), 2u);
  EXPECT_EQ(doc->problems[0].number, 1);
  EXPECT_EQ(doc->problems[0].line, 11u);
  EXPECT_EQ(doc->problems[1].number, 2);
  EXPECT_EQ(doc->problems[1].handle, "AC");
  EXPECT_NE(doc->problems[1].message.find("5 vertices"), std::string::npos);
}

TEST(ReaderTest, RejectsFilesOverTheSizeLimit) {
  ReadOptions o;
  o.maxFileSize = 10;
  auto doc = read(entities(""), o);
  ASSERT_FALSE(doc);
  EXPECT_EQ(doc.status().code(), ErrorCode::TooLarge);
}
