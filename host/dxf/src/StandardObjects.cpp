// The standard objects of an R2010 drawing and the CLASS records they need.
#include "StandardObjects.h"

#include <set>

namespace host::dxf::detail {

namespace {

RawObject dictionary(const std::string& handle, const std::string& owner,
                     const std::vector<std::pair<std::string, std::string>>& entries, bool reactor = true) {
  RawObject o;
  o.type = "DICTIONARY";
  o.tags.emplace_back(5, handle);
  if (reactor) {
    o.tags.emplace_back(102, "{ACAD_REACTORS");
    o.tags.emplace_back(330, owner);
    o.tags.emplace_back(102, "}");
  }
  o.tags.emplace_back(330, owner);
  o.tags.emplace_back(100, "AcDbDictionary");
  o.tags.push_back(makeTag(281, 1));
  for (const auto& [name, h] : entries) {
    o.tags.emplace_back(3, name);
    o.tags.emplace_back(350, h);
  }
  return o;
}

RawObject layout(const std::string& handle, const std::string& owner, const std::string& name, int order,
                 const std::string& blockRecord) {
  RawObject o;
  o.type = "LAYOUT";
  auto add = [&](Tag t) { o.tags.push_back(std::move(t)); };
  add(Tag(5, handle));
  add(Tag(102, "{ACAD_REACTORS"));
  add(Tag(330, owner));
  add(Tag(102, "}"));
  add(Tag(330, owner));
  add(Tag(100, "AcDbPlotSettings"));
  add(Tag(1, ""));
  add(Tag(2, "none_device"));
  add(Tag(4, "ISO_A3_(420.00_x_297.00_MM)"));
  add(Tag(6, ""));
  for (int c : {40, 41, 42, 43}) add(makeTag(c, c % 2 ? 20.0 : 7.5));
  add(makeTag(44, 420.0));
  add(makeTag(45, 297.0));
  for (int c : {46, 47, 48, 49, 140, 141}) add(makeTag(c, 0.0));
  add(makeTag(142, 1.0));
  add(makeTag(143, 1.0));
  add(makeTag(70, order == 0 ? 1024 : 0));
  add(makeTag(72, 1));
  add(makeTag(73, 1));
  add(makeTag(74, 5));
  add(Tag(7, ""));
  add(makeTag(75, 16));
  add(makeTag(76, 0));
  add(makeTag(77, 2));
  add(makeTag(78, 300));
  add(makeTag(147, 1.0));
  add(makeTag(148, 0.0));
  add(makeTag(149, 0.0));
  add(Tag(100, "AcDbLayout"));
  add(Tag(1, name));
  add(makeTag(70, 1));
  add(makeTag(71, order));
  add(makeTag(10, 0.0));
  add(makeTag(20, 0.0));
  add(makeTag(11, 420.0));
  add(makeTag(21, 297.0));
  add(makeTag(12, 0.0));
  add(makeTag(22, 0.0));
  add(makeTag(32, 0.0));
  for (int c : {14, 24, 34}) add(makeTag(c, 1e20));
  for (int c : {15, 25, 35}) add(makeTag(c, -1e20));
  add(makeTag(146, 0.0));
  for (int c : {13, 23, 33}) add(makeTag(c, 0.0));
  for (int c : {16, 26, 36, 17, 27, 37}) add(makeTag(c, (c == 16 || c == 27) ? 1.0 : 0.0));
  add(makeTag(76, 1));
  add(Tag(330, blockRecord));
  return o;
}

RawObject mlineStyle(const std::string& handle, const std::string& owner) {
  RawObject o;
  o.type = "MLINESTYLE";
  o.tags = {Tag(5, handle),       Tag(102, "{ACAD_REACTORS"), Tag(330, owner),  Tag(102, "}"),
            Tag(330, owner),      Tag(100, "AcDbMlineStyle"), Tag(2, "Standard"), makeTag(70, 0),
            Tag(3, ""),           makeTag(62, 256),           makeTag(51, 90.0),  makeTag(52, 90.0),
            makeTag(71, 2),       makeTag(49, 0.5),           makeTag(62, 256),   Tag(6, "BYLAYER"),
            makeTag(49, -0.5),    makeTag(62, 256),           Tag(6, "BYLAYER")};
  return o;
}

/// Appends `name` -> `handle` to the entries of a raw DICTIONARY.
void addEntry(RawObject& dict, const std::string& name, const std::string& handle) {
  dict.tags.emplace_back(3, name);
  dict.tags.emplace_back(350, handle);
}

BlockRecord* record(Document& doc, std::string_view name) { return doc.tables.blockRecords.find(name); }

/// Creates the layout dictionary with the Model and Layout1 layouts.
void addLayouts(Document& doc, RawObject* root, const std::string& rootHandle, const HandleSource& h,
                std::vector<RawObject>& out) {
  std::string dict = h(), model = h(), paper = h();
  BlockRecord* ms = record(doc, "*Model_Space");
  BlockRecord* ps = record(doc, "*Paper_Space");
  if (root) addEntry(*root, "ACAD_LAYOUT", dict);  // before `out` grows: root may live in it
  out.push_back(dictionary(dict, rootHandle, {{"Layout1", paper}, {"Model", model}}));
  out.push_back(layout(model, dict, "Model", 0, ms ? ms->handle : "0"));
  out.push_back(layout(paper, dict, "Layout1", 1, ps ? ps->handle : "0"));
  if (ms) ms->layout = model;
  if (ps) ps->layout = paper;
}

}  // namespace

void addStandardObjects(Document& doc, const HandleSource& h) {
  std::optional<Dictionary> root = doc.rootDictionary();
  if (root) {
    std::vector<RawObject> added;
    RawObject& rootObject = doc.objects.front();
    if (!root->find("ACAD_GROUP")) {
      std::string g = h();
      added.push_back(dictionary(g, root->handle, {}));
      addEntry(rootObject, "ACAD_GROUP", g);
    }
    if (!root->find("ACAD_LAYOUT")) addLayouts(doc, &rootObject, root->handle, h, added);
    doc.objects.insert(doc.objects.end(), added.begin(), added.end());
    return;
  }
  std::string rootHandle = h(), group = h(), mline = h(), mlineStd = h(), plot = h(), normal = h();
  std::vector<RawObject> out;
  out.push_back(dictionary(rootHandle, "0", {{"ACAD_GROUP", group}, {"ACAD_MLINESTYLE", mline},
                                             {"ACAD_PLOTSTYLENAME", plot}}, false));
  out.push_back(dictionary(group, rootHandle, {}));
  out.push_back(dictionary(mline, rootHandle, {{"Standard", mlineStd}}));
  out.push_back(mlineStyle(mlineStd, mline));
  RawObject wd = dictionary(plot, rootHandle, {{"Normal", normal}});
  wd.type = "ACDBDICTIONARYWDFLT";
  wd.tags.emplace_back(100, "AcDbDictionaryWithDefault");
  wd.tags.emplace_back(340, normal);
  out.push_back(std::move(wd));
  RawObject ph;
  ph.type = "ACDBPLACEHOLDER";
  ph.tags = {Tag(5, normal), Tag(102, "{ACAD_REACTORS"), Tag(330, plot), Tag(102, "}"), Tag(330, plot)};
  out.push_back(std::move(ph));
  addLayouts(doc, &out.front(), rootHandle, h, out);
  // Objects that were read without a root dictionary stay after the standard ones.
  out.insert(out.end(), doc.objects.begin(), doc.objects.end());
  doc.objects = std::move(out);
}

void addRequiredClasses(Document& doc) {
  struct ClassDef {
    const char* dxf;
    const char* cpp;
    const char* app;
    int flags;
    int entity;
  };
  static const ClassDef known[] = {
      {"ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault", "ObjectDBX Classes", 0, 0},
      {"ACDBPLACEHOLDER", "AcDbPlaceHolder", "ObjectDBX Classes", 0, 0},
      {"LAYOUT", "AcDbLayout", "ObjectDBX Classes", 0, 0},
      {"DICTIONARYVAR", "AcDbDictionaryVar", "ObjectDBX Classes", 0, 0},
      {"TABLESTYLE", "AcDbTableStyle", "ObjectDBX Classes", 4095, 0},
      {"MLEADERSTYLE", "AcDbMLeaderStyle", "ACDB_MLEADERSTYLE_CLASS", 4095, 0},
      {"SCALE", "AcDbScale", "ObjectDBX Classes", 1153, 0},
      {"VISUALSTYLE", "AcDbVisualStyle", "ObjectDBX Classes", 4095, 0},
      {"MATERIAL", "AcDbMaterial", "ObjectDBX Classes", 1153, 0},
      {"CELLSTYLEMAP", "AcDbCellStyleMap", "ObjectDBX Classes", 1152, 0},
      {"ACAD_TABLE", "AcDbTable", "ObjectDBX Classes", 1025, 1},
  };
  std::set<std::string> used, have;
  for (const RawObject& o : doc.objects) used.insert(o.type);
  auto scan = [&](const std::vector<Entity>& list) {
    for (const Entity& e : list) used.insert(e.type);
  };
  scan(doc.entities);
  for (const Block& b : doc.blocks) scan(b.entities);
  for (const RawObject& c : doc.classes) have.insert(c.first(1));
  for (const ClassDef& k : known) {
    if (!used.count(k.dxf) || have.count(k.dxf)) continue;
    RawObject c;
    c.type = "CLASS";
    c.tags = {Tag(1, k.dxf),          Tag(2, k.cpp),    Tag(3, k.app),    makeTag(90, k.flags),
              makeTag(91, 0),         makeTag(280, 0),  makeTag(281, k.entity)};
    doc.classes.push_back(std::move(c));
  }
}

}  // namespace host::dxf::detail
