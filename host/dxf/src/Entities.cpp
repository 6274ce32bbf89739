// Entity helpers: construction with defaults, xdata lookup, DIMSTYLE overrides, multiline attributes.
#include "host/dxf/Entities.h"

#include <algorithm>

namespace host::dxf {

const XData* ObjectBase::findXData(std::string_view app) const {
  for (const XData& x : xdata)
    if (x.app == app) return &x;
  return nullptr;
}

XData& ObjectBase::xdataFor(std::string_view app) {
  for (XData& x : xdata)
    if (x.app == app) return x;
  XData& x = xdata.emplace_back();
  x.app = std::string(app);
  return x;
}

Entity makeLine(Vec3 start, Vec3 end) { return makeEntity("LINE", Line{0, start, end, kZAxis}); }

Entity makeCircle(Vec3 center, double radius) {
  Circle c;
  c.center = center;
  c.radius = radius;
  return makeEntity("CIRCLE", c);
}

Entity makeArc(Vec3 center, double radius, double startAngle, double endAngle) {
  Arc a;
  a.center = center;
  a.radius = radius;
  a.startAngle = startAngle;
  a.endAngle = endAngle;
  return makeEntity("ARC", a);
}

Entity makeText(Vec3 position, double height, std::string value) {
  Text t;
  t.position = position;
  t.height = height;
  t.value = std::move(value);
  return makeEntity("TEXT", std::move(t));
}

Entity makeMText(Vec3 position, double height, std::string contents) {
  MText t;
  t.position = position;
  t.height = height;
  t.contents = std::move(contents);
  return makeEntity("MTEXT", std::move(t));
}

Entity makeLwPolyline(std::vector<LwVertex> vertices, bool closed) {
  LwPolyline p;
  p.vertices = std::move(vertices);
  p.setClosed(closed);
  return makeEntity("LWPOLYLINE", std::move(p));
}

Entity makeInsert(std::string block, Vec3 position) {
  Insert i;
  i.name = std::move(block);
  i.position = position;
  return makeEntity("INSERT", std::move(i));
}

Entity makeAttdef(std::string tag, std::string prompt, std::string defaultValue, Vec3 position,
                  double height) {
  Attrib a;
  a.tag = std::move(tag);
  a.prompt = std::move(prompt);
  a.value = std::move(defaultValue);
  a.position = position;
  a.height = height;
  return makeEntity("ATTDEF", std::move(a));
}

Entity makeAttrib(std::string tag, std::string value, Vec3 position, double height) {
  Attrib a;
  a.tag = std::move(tag);
  a.value = std::move(value);
  a.position = position;
  a.height = height;
  return makeEntity("ATTRIB", std::move(a));
}

std::string Attrib::multilineContents() const {
  std::string s;
  for (const Tag& t : embeddedMText)
    if (t.code == 3 || t.code == 1) s += t.value;
  return s;
}

void Attrib::setMultilineContents(const std::string& contents, bool definition) {
  if (embeddedMText.empty()) {
    embeddedMText = {makeTag(10, position.x), makeTag(20, position.y), makeTag(30, position.z),
                     makeTag(40, height),     makeTag(41, 0.0),        makeTag(46, 0.0),
                     makeTag(71, 1),          makeTag(72, 5),          makeTag(7, style),
                     makeTag(73, 1),          makeTag(44, 1.0)};
  }
  // Replace the text groups where they stood (after 72), in chunks of 250 bytes.
  auto pos = std::find_if(embeddedMText.begin(), embeddedMText.end(),
                          [](const Tag& t) { return t.code == 1 || t.code == 3; });
  std::size_t at = pos - embeddedMText.begin();
  if (pos == embeddedMText.end()) {
    auto after = std::find_if(embeddedMText.begin(), embeddedMText.end(), [](const Tag& t) { return t.code == 72; });
    at = after == embeddedMText.end() ? embeddedMText.size() : (after - embeddedMText.begin()) + 1;
  }
  std::erase_if(embeddedMText, [](const Tag& t) { return t.code == 1 || t.code == 3; });
  std::vector<Tag> chunks;
  std::string_view rest(contents);
  while (rest.size() > 250) {
    std::size_t n = 250;
    while (n > 1 && (static_cast<unsigned char>(rest[n]) & 0xC0) == 0x80) --n;
    chunks.emplace_back(3, std::string(rest.substr(0, n)));
    rest.remove_prefix(n);
  }
  chunks.emplace_back(1, std::string(rest));
  at = std::min(at, embeddedMText.size());
  embeddedMText.insert(embeddedMText.begin() + static_cast<std::ptrdiff_t>(at), chunks.begin(), chunks.end());
  attributeType = definition ? 4 : 2;
}

namespace {

/// Range [begin, end) of the tags inside ACAD's DSTYLE { ... } group, or nothing.
bool dstyleRange(const XData& x, std::size_t& begin, std::size_t& end) {
  for (std::size_t i = 0; i + 1 < x.tags.size(); ++i) {
    if (x.tags[i].code == 1000 && x.tags[i].value == "DSTYLE" && x.tags[i + 1].code == 1002 &&
        x.tags[i + 1].value == "{") {
      begin = i + 2;
      for (end = begin; end < x.tags.size(); ++end)
        if (x.tags[end].code == 1002 && x.tags[end].value == "}") return true;
      return false;
    }
  }
  return false;
}

}  // namespace

std::optional<Tag> dimstyleOverride(const EntityBase& entity, int dimvar) {
  const XData* x = entity.findXData("ACAD");
  std::size_t b, e;
  if (!x || !dstyleRange(*x, b, e)) return std::nullopt;
  for (std::size_t i = b; i + 1 < e; i += 2)
    if (x->tags[i].code == 1070 && x->tags[i].toInt() == dimvar) return x->tags[i + 1];
  return std::nullopt;
}

void setDimstyleOverride(EntityBase& entity, int dimvar, const Tag& value) {
  XData& x = entity.xdataFor("ACAD");
  std::size_t b, e;
  if (!dstyleRange(x, b, e)) {
    x.tags.emplace_back(1000, "DSTYLE");
    x.tags.emplace_back(1002, "{");
    x.tags.emplace_back(1002, "}");
    b = e = x.tags.size() - 1;
  }
  for (std::size_t i = b; i + 1 < e; i += 2)
    if (x.tags[i].code == 1070 && x.tags[i].toInt() == dimvar) {
      x.tags[i + 1] = value;
      return;
    }
  x.tags.insert(x.tags.begin() + static_cast<std::ptrdiff_t>(e), {makeTag(1070, dimvar), value});
}

}  // namespace host::dxf
