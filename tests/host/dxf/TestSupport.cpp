// Shared helpers of the DXF codec tests.
#include "TestSupport.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace host::dxf::test {

Document everyEntityDocument() {
  Document doc = newDocument();
  doc.addLayer("Signs", 1);
  doc.addAppId("BHP");

  Block& sign = doc.addBlock("SIGN", {1, 2, 0});
  sign.entities.push_back(makeCircle({0, 0, 0}, 5));
  sign.entities.push_back(makeAttdef("NAME", "Sign name", "EXIT", {0, -7, 0}, 2.5));
  Entity inv = makeAttdef("CODE", "Code", "E001", {0, -10, 0}, 1.5);
  inv.get<Attrib>()->flags = Attrib::Invisible | Attrib::Preset;
  inv.get<Attrib>()->lockPosition = 1;
  sign.entities.push_back(inv);
  sign.begin.xdata.push_back({"BHP", {makeTag(1040, 1.5)}});
  BlockRecord* rec = doc.tables.blockRecords.find("SIGN");
  for (int i = 0; i < 300; ++i) rec->preview.push_back(static_cast<std::uint8_t>(i * 7));

  auto& ms = doc.entities;
  Entity line = makeLine({0, 0, 0}, {100.25, 50.125, 0});
  line.layer = "Signs";
  line.color = 3;
  line.trueColor = 0x00FF8000;
  line.lineweight = 35;
  line.linetypeScale = 2;
  ms.push_back(line);
  ms.push_back(makeCircle({10, 10, 0}, 3.5));
  ms.push_back(makeArc({20, 20, 0}, 4, 30, 120));
  ms.push_back(makeEntity("POINT", Point{{5, 6, 0}}));
  Entity pl = makeLwPolyline({{0, 0, 0.5, 0.5, 0}, {10, 0, 0.5, 0, 0.4142}, {10, 10}}, true);
  ms.push_back(pl);
  Entity wide = makeLwPolyline({{0, 20}, {30, 20}}, false);
  wide.get<LwPolyline>()->constantWidth = 1.25;
  ms.push_back(wide);
  Entity text = makeText({1, 1, 0}, 2.5, "Exit");
  text.get<Text>()->halign = 1;
  text.get<Text>()->alignPoint = {3, 1, 0};
  text.get<Text>()->rotation = 15;
  ms.push_back(text);
  Entity mtext = makeMText({0, 40, 0}, 3, std::string(600, 'x') + "\\Pend");
  mtext.get<MText>()->attachment = 5;
  mtext.get<MText>()->width = 40;
  ms.push_back(mtext);

  Entity ins = makeInsert("SIGN", {50, 50, 0});
  ins.get<Insert>()->xScale = ins.get<Insert>()->yScale = 2;
  ins.get<Insert>()->rotation = 90;
  ins.children.push_back(makeAttrib("NAME", "EXIT", {50, 36, 0}, 5));
  Entity ml = makeAttrib("CODE", "", {50, 30, 0}, 3);
  ml.get<Attrib>()->flags = Attrib::Invisible;
  ml.get<Attrib>()->setMultilineContents("first line\\Psecond line", false);
  ins.children.push_back(ml);
  ms.push_back(ins);

  Leader leader;
  leader.vertices = {{0, 0, 0}, {10, 10, 0}, {20, 10, 0}};
  leader.arrowhead = 1;
  Entity le = makeEntity("LEADER", leader);
  setDimstyleOverride(le, 41, makeTag(1040, 2.5));   // DIMASZ
  setDimstyleOverride(le, 40, makeTag(1040, 10.0));  // DIMSCALE
  ms.push_back(le);

  Solid solid{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
  ms.push_back(makeEntity("SOLID", solid));

  Hatch hatch;
  HatchPath poly;
  poly.flags = HatchPath::External | HatchPath::Polyline;
  poly.hasBulge = 1;
  poly.vertices = {{0, 0}, {10, 0, 0, 0, 0.5}, {10, 10}, {0, 10}};
  hatch.paths.push_back(poly);
  HatchPath edges;
  edges.flags = HatchPath::External;
  HatchEdge l1{HatchEdge::Type::Line, 20, 0, 30, 0, 0, 0, 360, 1, {}};
  HatchEdge arc{HatchEdge::Type::Arc, 25, 0, 0, 0, 5, 0, 180, 1, {}};
  edges.edges = {l1, arc};
  hatch.paths.push_back(edges);
  HatchPath ell;
  ell.flags = HatchPath::External;
  ell.edges = {HatchEdge{HatchEdge::Type::Ellipse, 50, 0, 10, 0, 0.5, 0, 360, 1, {}}};
  hatch.paths.push_back(ell);
  hatch.seeds = {{5, 5, 0}};
  Entity he = makeEntity("HATCH", hatch);
  he.color = 1;
  ms.push_back(he);

  Entity paper = makeCircle({1, 1, 0}, 1);
  paper.paperSpace = 1;
  ms.push_back(paper);

  doc.header.setInsBase({0, 0, 0});
  doc.header.setExtents({-10, -10, 0}, {200, 200, 0});
  doc.thumbnail.assign(200, 0x42);
  return doc;
}

int runPython(const std::string& script, std::string& output) {
  std::string dir = tempDir("py");
  std::string path = dir + "/script.py";
  std::ofstream(path) << script;
  std::string cmd = "/usr/bin/python3 " + path + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return -1;
  std::array<char, 4096> buf;
  output.clear();
  std::size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) output.append(buf.data(), n);
  int rc = pclose(p);
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

bool haveEzdxf() {
  static int have = -1;
  if (have < 0) {
    std::string out;
    have = std::filesystem::exists("/usr/bin/python3") && runPython("import ezdxf\n", out) == 0;
  }
  return have == 1;
}

std::string tempDir(const std::string& name) {
  static int counter = 0;
  auto dir = std::filesystem::temp_directory_path() /
             ("tavrix_dxf_" + std::to_string(::getpid()) + "_" + name + "_" + std::to_string(counter++));
  std::filesystem::create_directories(dir);
  return dir.string();
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace host::dxf::test
