// Document: header accessors, lookups, the builders of a new drawing.
#include "host/dxf/Document.h"

#include <cctype>
#include <utility>

namespace host::dxf {

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

const HeaderVar* Header::find(std::string_view name) const {
  for (const HeaderVar& v : vars)
    if (v.name == name) return &v;
  return nullptr;
}

void Header::set(std::string_view name, std::vector<Tag> values) {
  for (HeaderVar& v : vars)
    if (v.name == name) {
      v.values = std::move(values);
      return;
    }
  vars.push_back({std::string(name), std::move(values)});
}

void Header::erase(std::string_view name) {
  std::erase_if(vars, [&](const HeaderVar& v) { return v.name == name; });
}

std::optional<std::string> Header::text(std::string_view name) const {
  const HeaderVar* v = find(name);
  if (!v || v->values.empty()) return std::nullopt;
  return v->values.front().value;
}

std::optional<double> Header::real(std::string_view name) const {
  const HeaderVar* v = find(name);
  if (!v || v->values.empty()) return std::nullopt;
  return v->values.front().toDouble();
}

std::optional<std::int64_t> Header::integer(std::string_view name) const {
  const HeaderVar* v = find(name);
  if (!v || v->values.empty()) return std::nullopt;
  return v->values.front().toInt();
}

std::optional<Vec3> Header::point(std::string_view name) const {
  const HeaderVar* v = find(name);
  if (!v) return std::nullopt;
  Vec3 p;
  bool any = false;
  for (const Tag& t : v->values) {
    auto d = t.toDouble();
    if (!d) return std::nullopt;
    if (t.code == 10) p.x = *d, any = true;
    else if (t.code == 20) p.y = *d;
    else if (t.code == 30) p.z = *d;
  }
  if (!any) return std::nullopt;
  return p;
}

std::optional<int> Header::insUnits() const {
  auto i = integer("$INSUNITS");
  if (!i) return std::nullopt;
  return static_cast<int>(*i);
}

std::optional<int> Header::measurement() const {
  auto i = integer("$MEASUREMENT");
  if (!i) return std::nullopt;
  return static_cast<int>(*i);
}

void Header::setText(std::string_view name, int code, std::string value) {
  set(name, {Tag(code, std::move(value))});
}

void Header::setInteger(std::string_view name, int code, std::int64_t value) {
  set(name, {makeTag(code, value)});
}

void Header::setPoint(std::string_view name, Vec3 p, int dims) {
  std::vector<Tag> t{makeTag(10, p.x), makeTag(20, p.y)};
  if (dims == 3) t.push_back(makeTag(30, p.z));
  set(name, std::move(t));
}

std::string RawObject::first(int code) const {
  for (const Tag& t : tags)
    if (t.code == code) return t.value;
  return {};
}

const std::string* Dictionary::find(std::string_view name) const {
  for (const auto& [key, handle] : entries)
    if (key == name) return &handle;
  return nullptr;
}

std::optional<Dictionary> readDictionary(const RawObject& object) {
  if (object.type != "DICTIONARY" && object.type != "ACDBDICTIONARYWDFLT") return std::nullopt;
  Dictionary d;
  d.handle = object.handle();
  const std::string* pending = nullptr;
  for (const Tag& t : object.tags) {
    if (t.code == 3) pending = &t.value;
    else if ((t.code == 350 || t.code == 360) && pending) {
      d.entries.emplace_back(*pending, t.value);
      pending = nullptr;
    }
  }
  return d;
}

Block* Document::findBlock(std::string_view name) {
  for (Block& b : blocks)
    if (sameName(b.name(), name)) return &b;
  return nullptr;
}

const Block* Document::findBlock(std::string_view name) const {
  for (const Block& b : blocks)
    if (sameName(b.name(), name)) return &b;
  return nullptr;
}

std::optional<Dictionary> Document::rootDictionary() const {
  if (objects.empty()) return std::nullopt;
  return readDictionary(objects.front());
}

Layer& Document::addLayer(std::string name, int color, std::string linetype) {
  if (Layer* l = tables.layers.find(name)) return *l;
  Layer& l = tables.layers.records.emplace_back();
  l.name = std::move(name);
  l.color = color;
  l.linetype = std::move(linetype);
  return l;
}

Block& Document::addBlock(std::string name, Vec3 base) {
  if (Block* b = findBlock(name)) return *b;
  if (!tables.blockRecords.find(name)) tables.blockRecords.records.emplace_back().name = name;
  Block& b = blocks.emplace_back();
  b.def.name = std::move(name);
  b.def.base = base;
  return b;
}

TextStyle& Document::addTextStyle(std::string name, std::string font) {
  if (TextStyle* s = tables.styles.find(name)) return *s;
  TextStyle& s = tables.styles.records.emplace_back();
  s.name = std::move(name);
  s.font = std::move(font);
  return s;
}

AppId& Document::addAppId(std::string name) {
  if (AppId* a = tables.appids.find(name)) return *a;
  AppId& a = tables.appids.records.emplace_back();
  a.name = std::move(name);
  return a;
}

bool validRecordName(std::string_view name) {
  std::size_t characters = 0;
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::string_view("<>/\\\":;?*|,=`").find(c) != std::string_view::npos) return false;
    if ((u & 0xC0) != 0x80) ++characters;
  }
  return characters >= 1 && characters <= 255;
}

void renameR12Spaces(Document& doc) {
  for (auto [r12, name] : {std::pair{"$MODEL_SPACE", "*Model_Space"}, std::pair{"$PAPER_SPACE", "*Paper_Space"}}) {
    if (doc.findBlock(name) || doc.tables.blockRecords.find(name)) continue;
    if (Block* b = doc.findBlock(r12)) b->def.name = name;
    if (BlockRecord* r = doc.tables.blockRecords.find(r12)) r->name = name;
  }
}

Document newDocument() {
  Document doc;
  Header& h = doc.header;
  h.setText("$ACADVER", 1, "AC1024");
  h.setText("$DWGCODEPAGE", 3, "ANSI_1252");
  h.setInsBase({});
  h.setExtents({1e20, 1e20, 1e20}, {-1e20, -1e20, -1e20});
  h.setPoint("$LIMMIN", {0, 0, 0}, 2);
  h.setPoint("$LIMMAX", {420, 297, 0}, 2);
  h.setText("$CLAYER", 8, "0");
  h.setText("$CELTYPE", 6, "ByLayer");
  h.setText("$TEXTSTYLE", 7, "Standard");
  h.setText("$DIMSTYLE", 2, "Standard");
  h.setInteger("$INSUNITS", 70, 4);
  h.setInteger("$MEASUREMENT", 70, 1);
  h.setText("$HANDSEED", 5, "1");

  for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
    Linetype& lt = doc.tables.linetypes.records.emplace_back();
    lt.name = name;
    if (lt.name == "Continuous") lt.description = "Solid line";
  }
  doc.addLayer("0");
  doc.addTextStyle("Standard");
  doc.addAppId("ACAD");

  RawRecord& vp = doc.tables.vports.records.emplace_back();
  vp.type = "VPORT";
  vp.name = "*Active";
  const char* marker = "AcDbViewportTableRecord";
  vp.extra = {{marker, Tag(100, marker)}, {marker, Tag(2, "*Active")}, {marker, makeTag(70, 0)},
              {marker, makeTag(10, 0.0)}, {marker, makeTag(20, 0.0)},  {marker, makeTag(11, 1.0)},
              {marker, makeTag(21, 1.0)}, {marker, makeTag(12, 210.0)}, {marker, makeTag(22, 148.5)},
              {marker, makeTag(40, 297.0)}, {marker, makeTag(41, 1.414)}, {marker, makeTag(42, 50.0)}};

  RawRecord& ds = doc.tables.dimstyles.records.emplace_back();
  ds.type = "DIMSTYLE";
  ds.name = "Standard";
  const char* dm = "AcDbDimStyleTableRecord";
  ds.extra = {{dm, Tag(100, dm)},        {dm, Tag(2, "Standard")},  {dm, makeTag(70, 0)},
              {dm, makeTag(40, 1.0)},    {dm, makeTag(41, 2.5)},    {dm, makeTag(42, 0.625)},
              {dm, makeTag(43, 3.75)},   {dm, makeTag(44, 1.25)},   {dm, makeTag(140, 2.5)},
              {dm, makeTag(141, 2.5)},   {dm, makeTag(147, 0.625)}, {dm, makeTag(77, 1)},
              {dm, makeTag(271, 2)},     {dm, makeTag(272, 2)}};
  doc.tables.dimstyles.headExtra = {Tag(100, "AcDbDimStyleTable")};

  doc.addBlock("*Model_Space");
  doc.addBlock("*Paper_Space");
  return doc;
}

}  // namespace host::dxf
