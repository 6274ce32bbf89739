// Group code tables of the modelled entities and the entity record reader/writer.
#include <string>

#include "Codec.h"

namespace host::dxf::detail {

using E = Emit;

void writeChunks(TagWriter& w, std::string_view text) {
  constexpr std::size_t kChunk = 250;
  while (text.size() > kChunk) {
    std::size_t n = kChunk;
    // Do not cut a UTF-8 sequence: back up over continuation bytes.
    while (n > 1 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    w.write(3, text.substr(0, n));
    text.remove_prefix(n);
  }
  w.write(1, text);
}

const Schema<EntityBase>& entityBaseSchema() {
  static const Schema<EntityBase> s({{"AcDbEntity",
                                      {
                                          {67, &EntityBase::paperSpace, E::NonDefault},
                                          {8, &EntityBase::layer},
                                          {6, &EntityBase::linetype, E::NonDefault},
                                          {62, &EntityBase::color, E::NonDefault},
                                          {370, &EntityBase::lineweight, E::NonDefault},
                                          {48, &EntityBase::linetypeScale, E::NonDefault},
                                          {60, &EntityBase::invisible, E::NonDefault},
                                          {420, &EntityBase::trueColor},
                                      }}});
  return s;
}

const Schema<ObjectBase>& symbolRecordSchema() {
  static const Schema<ObjectBase> s(std::vector<Subclass<ObjectBase>>{{"AcDbSymbolTableRecord", {}}});
  return s;
}

const Schema<RawEntity>& emptySchema() {
  static const Schema<RawEntity> s(std::vector<Subclass<RawEntity>>{});
  return s;
}

namespace {

// ---- hooks for repeated groups --------------------------------------------------------

std::size_t readDeclaredCount(std::int64_t& declared, TagSpan tags, std::size_t i) {
  declared = tags[i].integer;
  return i + 1;
}

std::size_t readLwVertices(LwPolyline& p, TagSpan tags, std::size_t i, ReadContext&) {
  while (i < tags.size() && tags[i].code == 10) {
    LwVertex& v = p.vertices.emplace_back();
    v.x = tags[i].real;
    for (++i; i < tags.size(); ++i) {
      const TagView& t = tags[i];
      if (t.code == 20) v.y = t.real;
      else if (t.code == 30) continue;
      else if (t.code == 40) v.startWidth = t.real;
      else if (t.code == 41) v.endWidth = t.real;
      else if (t.code == 42) v.bulge = t.real;
      else if (t.code == 91) v.id = static_cast<int>(t.integer);
      else break;
    }
  }
  return i;
}

void writeLwVertices(const LwPolyline& p, TagWriter& w) {
  for (const LwVertex& v : p.vertices) {
    w.write(10, v.x);
    w.write(20, v.y);
    if (v.id) w.write(91, v.id);
    if (v.startWidth != 0 || v.endWidth != 0) {
      w.write(40, v.startWidth);
      w.write(41, v.endWidth);
    }
    if (v.bulge != 0) w.write(42, v.bulge);
  }
}

std::size_t readLeaderVertices(Leader& l, TagSpan tags, std::size_t i, ReadContext&) {
  while (i < tags.size() && tags[i].code == 10) {
    Vec3& v = l.vertices.emplace_back();
    v.x = tags[i].real;
    for (++i; i < tags.size(); ++i) {
      if (tags[i].code == 20) v.y = tags[i].real;
      else if (tags[i].code == 30) v.z = tags[i].real;
      else break;
    }
  }
  return i;
}

void writeLeaderVertices(const Leader& l, TagWriter& w) {
  for (const Vec3& v : l.vertices) w.writePoint(10, v.x, v.y, v.z);
}

std::size_t readEmbedded(Attrib& a, TagSpan tags, std::size_t i, ReadContext&) {
  a.embeddedMText.clear();
  for (++i; i < tags.size() && tags[i].code != 100 && tags[i].code != 1001; ++i)
    a.embeddedMText.emplace_back(tags[i]);
  if (a.embeddedMText.empty()) a.embeddedMText.emplace_back(1, "");
  return i;
}

void writeEmbedded(const Attrib& a, TagWriter& w) {
  if (a.embeddedMText.empty()) return;
  w.write(101, "Embedded Object");
  w.write(a.embeddedMText);
}

// The alignment point matters only for aligned text, but one that was read is kept.
bool textAligned(const Text& t) { return t.halign != 0 || t.valign != 0 || t.alignPoint != Vec3{}; }
bool attribAligned(const Attrib& t) { return t.halign != 0 || t.valign != 0 || t.alignPoint != Vec3{}; }

// ---- tables ---------------------------------------------------------------------------

const Schema<Line>& lineSchema() {
  static const Schema<Line> s({{"AcDbLine",
                                {{39, &Line::thickness, E::NonDefault},
                                 {10, &Line::start},
                                 {11, &Line::end},
                                 {210, &Line::extrusion, E::NonDefault}}}});
  return s;
}

const Schema<Circle>& circleSchema() {
  static const Schema<Circle> s({{"AcDbCircle",
                                  {{39, &Circle::thickness, E::NonDefault},
                                   {10, &Circle::center},
                                   {40, &Circle::radius},
                                   {210, &Circle::extrusion, E::NonDefault}}}});
  return s;
}

const Schema<Arc>& arcSchema() {
  static const Schema<Arc> s({{"AcDbCircle",
                               {{39, &Arc::thickness, E::NonDefault},
                                {10, &Arc::center},
                                {40, &Arc::radius},
                                {210, &Arc::extrusion, E::NonDefault}}},
                              {"AcDbArc", {{50, &Arc::startAngle}, {51, &Arc::endAngle}}}});
  return s;
}

const Schema<Point>& pointSchema() {
  static const Schema<Point> s({{"AcDbPoint",
                                 {{10, &Point::position},
                                  {39, &Point::thickness, E::NonDefault},
                                  {210, &Point::extrusion, E::NonDefault},
                                  {50, &Point::xAxisAngle, E::NonDefault}}}});
  return s;
}

const Schema<LwPolyline>& lwPolylineSchema() {
  static const Schema<LwPolyline> s({{"AcDbPolyline",
                                      {{90, Hook<LwPolyline>{
                                                [](LwPolyline&, TagSpan t, std::size_t i, ReadContext& c) {
                                                  return readDeclaredCount(c.declared, t, i);
                                                },
                                                [](const LwPolyline& p, TagWriter& w) {
                                                  w.write(90, static_cast<int>(p.vertices.size()));
                                                }}},
                                       {70, &LwPolyline::flags},
                                       {43, &LwPolyline::constantWidth, E::NonDefault},
                                       {38, &LwPolyline::elevation, E::NonDefault},
                                       {39, &LwPolyline::thickness, E::NonDefault},
                                       {10, Hook<LwPolyline>{readLwVertices, writeLwVertices}},
                                       {210, &LwPolyline::extrusion, E::NonDefault}}}});
  return s;
}

const Schema<Text>& textSchema() {
  static const Schema<Text> s({{"AcDbText",
                                {{39, &Text::thickness, E::NonDefault},
                                 {10, &Text::position},
                                 {40, &Text::height},
                                 {1, &Text::value},
                                 {50, &Text::rotation, E::NonDefault},
                                 {41, &Text::widthFactor, E::NonDefault},
                                 {51, &Text::oblique, E::NonDefault},
                                 {7, &Text::style},
                                 {71, &Text::generation, E::NonDefault},
                                 {72, &Text::halign, E::NonDefault},
                                 {11, &Text::alignPoint, E::Always, textAligned},
                                 {210, &Text::extrusion, E::NonDefault}}},
                               {"AcDbText", {{73, &Text::valign, E::NonDefault}}}});
  return s;
}

const Schema<MText>& mtextSchema() {
  static const Schema<MText> s({{"AcDbMText",
                                 {{10, &MText::position},
                                  {40, &MText::height},
                                  {41, &MText::width},
                                  {46, &MText::definedHeight, E::NonDefault},
                                  {71, &MText::attachment},
                                  {72, &MText::direction, E::NonDefault},
                                  {1, Chunks<MText>{&MText::contents}},
                                  {7, &MText::style},
                                  {210, &MText::extrusion, E::NonDefault},
                                  {11, &MText::xDirection, E::NonDefault},
                                  {50, &MText::rotation, E::NonDefault},
                                  {73, &MText::lineSpacingStyle, E::NonDefault},
                                  {44, &MText::lineSpacing, E::NonDefault}}}});
  return s;
}

std::vector<Field<Attrib>> attribTextFields() {
  return {{39, &Attrib::thickness, E::NonDefault},
          {10, &Attrib::position},
          {40, &Attrib::height},
          {1, &Attrib::value},
          {50, &Attrib::rotation, E::NonDefault},
          {41, &Attrib::widthFactor, E::NonDefault},
          {51, &Attrib::oblique, E::NonDefault},
          {7, &Attrib::style},
          {71, &Attrib::generation, E::NonDefault},
          {72, &Attrib::halign, E::NonDefault},
          {11, &Attrib::alignPoint, E::Always, attribAligned},
          {210, &Attrib::extrusion, E::NonDefault}};
}

const Schema<Attrib>& attribSchema() {
  static const Schema<Attrib> s({{"AcDbText", attribTextFields()},
                                 {"AcDbAttribute",
                                  {{280, &Attrib::version},
                                   {2, &Attrib::tag},
                                   {70, &Attrib::flags},
                                   {73, &Attrib::fieldLength, E::NonDefault},
                                   {74, &Attrib::valign, E::NonDefault},
                                   {280, &Attrib::lockPosition, E::NonDefault},
                                   {71, &Attrib::attributeType, E::NonDefault}}}},
                                Hook<Attrib>{readEmbedded, writeEmbedded}, 101);
  return s;
}

const Schema<Attrib>& attdefSchema() {
  static const Schema<Attrib> s({{"AcDbText", attribTextFields()},
                                 {"AcDbAttributeDefinition",
                                  {{280, &Attrib::version},
                                   {3, &Attrib::prompt},
                                   {2, &Attrib::tag},
                                   {70, &Attrib::flags},
                                   {73, &Attrib::fieldLength, E::NonDefault},
                                   {74, &Attrib::valign, E::NonDefault},
                                   {280, &Attrib::lockPosition, E::NonDefault},
                                   {71, &Attrib::attributeType, E::NonDefault}}}},
                                Hook<Attrib>{readEmbedded, writeEmbedded}, 101);
  return s;
}

const Schema<Insert>& insertSchema() {
  static const Schema<Insert> s({{"AcDbBlockReference",
                                  {{66, &Insert::attribsFollow, E::NonDefault},
                                   {2, &Insert::name},
                                   {10, &Insert::position},
                                   {41, &Insert::xScale, E::NonDefault},
                                   {42, &Insert::yScale, E::NonDefault},
                                   {43, &Insert::zScale, E::NonDefault},
                                   {50, &Insert::rotation, E::NonDefault},
                                   {70, &Insert::columns, E::NonDefault},
                                   {71, &Insert::rows, E::NonDefault},
                                   {44, &Insert::columnSpacing, E::NonDefault},
                                   {45, &Insert::rowSpacing, E::NonDefault},
                                   {210, &Insert::extrusion, E::NonDefault}},
                                  "AcDbMInsertBlock"}});
  return s;
}

const Schema<Leader>& leaderSchema() {
  static const Schema<Leader> s({{"AcDbLeader",
                                  {{3, &Leader::dimstyle},
                                   {71, &Leader::arrowhead},
                                   {72, &Leader::pathType},
                                   {73, &Leader::creation},
                                   {74, &Leader::hooklineDirection},
                                   {75, &Leader::hookline},
                                   {40, &Leader::textHeight, E::NonDefault},
                                   {41, &Leader::textWidth, E::NonDefault},
                                   {76, Hook<Leader>{
                                            [](Leader&, TagSpan t, std::size_t i, ReadContext& c) {
                                              return readDeclaredCount(c.declared, t, i);
                                            },
                                            [](const Leader& l, TagWriter& w) {
                                              w.write(76, static_cast<int>(l.vertices.size()));
                                            }}},
                                   {10, Hook<Leader>{readLeaderVertices, writeLeaderVertices}},
                                   {77, &Leader::colorOverride, E::NonDefault},
                                   {340, &Leader::annotation, E::NonDefault},
                                   {210, &Leader::normal, E::NonDefault},
                                   {211, &Leader::horizontalDirection, E::NonDefault},
                                   {212, &Leader::blockOffset, E::NonDefault},
                                   {213, &Leader::annotationOffset, E::NonDefault}}}});
  return s;
}

const Schema<Solid>& solidSchema() {
  static const Schema<Solid> s({{"AcDbTrace",
                                 {{10, &Solid::corner1},
                                  {11, &Solid::corner2},
                                  {12, &Solid::corner3},
                                  {13, &Solid::corner4},
                                  {39, &Solid::thickness, E::NonDefault},
                                  {210, &Solid::extrusion, E::NonDefault}}}});
  return s;
}

const Schema<RawEntity>& endblkSchema() {
  static const Schema<RawEntity> s(std::vector<Subclass<RawEntity>>{{"AcDbBlockEnd", {}}});
  return s;
}

const Schema<BlockBegin>& blockBeginSchema() {
  static const Schema<BlockBegin> s(
      {{"AcDbBlockBegin",
        {{2, &BlockBegin::name},
         {70, &BlockBegin::flags},
         {10, &BlockBegin::base},
         {3, Hook<BlockBegin>{[](BlockBegin&, TagSpan, std::size_t i, ReadContext&) { return i + 1; },
                              [](const BlockBegin& b, TagWriter& w) { w.write(3, b.name); }}},
         {1, &BlockBegin::xrefPath},
         {4, &BlockBegin::description, E::NonDefault}}}});
  return s;
}

// ---- dispatch ---------------------------------------------------------------------------

template <class T>
void readAs(TagSpan tags, Entity& e, const Schema<T>& schema, ReadContext& ctx) {
  T data;
  PartState<EntityBase> base(entityBaseSchema(), e);
  PartState<T> schemaState(schema, data);
  readRecord(tags, e, base, schemaState, ctx);
  e.data = std::move(data);
}

void checkCount(const ReadContext& ctx, std::size_t actual, const Entity& e, TagSpan tags) {
  if (ctx.declared >= 0 && static_cast<std::size_t>(ctx.declared) != actual)
    ctx.log.add(tags.empty() ? 0 : tags.front().line, e.handle,
                e.type + " announces " + std::to_string(ctx.declared) + " vertices but has " +
                    std::to_string(actual));
}

/// ACAD_TABLE keeps every group; the block name, position and block record are read from them.
void extractTable(Entity& e) {
  AcadTable t;
  for (const ExtraTag& x : e.extra) {
    if (x.subclass == "AcDbBlockReference") {
      if (x.tag.code == 2 && t.blockName.empty()) t.blockName = x.tag.value;
      else if (x.tag.code == 10) t.position.x = x.tag.toDouble().value_or(0);
      else if (x.tag.code == 20) t.position.y = x.tag.toDouble().value_or(0);
      else if (x.tag.code == 30) t.position.z = x.tag.toDouble().value_or(0);
    } else if (x.subclass == "AcDbTable" && x.tag.code == 343 && t.blockRecordHandle.empty()) {
      t.blockRecordHandle = x.tag.value;
    }
  }
  e.data = std::move(t);
}

}  // namespace

void readEntity(TagSpan tags, Entity& e, ReadContext& ctx) {
  const std::string& t = e.type;
  ctx.declared = -1;
  if (t == "LINE") readAs(tags, e, lineSchema(), ctx);
  else if (t == "CIRCLE") readAs(tags, e, circleSchema(), ctx);
  else if (t == "ARC") readAs(tags, e, arcSchema(), ctx);
  else if (t == "POINT") readAs(tags, e, pointSchema(), ctx);
  else if (t == "LWPOLYLINE") {
    readAs(tags, e, lwPolylineSchema(), ctx);
    checkCount(ctx, e.get<LwPolyline>()->vertices.size(), e, tags);
  } else if (t == "TEXT") readAs(tags, e, textSchema(), ctx);
  else if (t == "MTEXT") readAs(tags, e, mtextSchema(), ctx);
  else if (t == "ATTRIB") readAs(tags, e, attribSchema(), ctx);
  else if (t == "ATTDEF") readAs(tags, e, attdefSchema(), ctx);
  else if (t == "INSERT") readAs(tags, e, insertSchema(), ctx);
  else if (t == "LEADER") {
    readAs(tags, e, leaderSchema(), ctx);
    checkCount(ctx, e.get<Leader>()->vertices.size(), e, tags);
  } else if (t == "SOLID") readAs(tags, e, solidSchema(), ctx);
  else if (t == "HATCH") readAs(tags, e, hatchSchema(), ctx);
  else {
    readAs(tags, e, emptySchema(), ctx);
    if (t == "ACAD_TABLE") extractTable(e);
  }
}

void readEntityBase(TagSpan tags, EntityBase& e, ReadContext& ctx, const Schema<RawEntity>& schemaState) {
  RawEntity none;
  PartState<EntityBase> base(entityBaseSchema(), e);
  PartState<RawEntity> part(schemaState, none);
  readRecord(tags, e, base, part, ctx);
}

namespace {

std::string_view defaultType(const EntityData& d) {
  static constexpr std::string_view names[] = {"",     "LINE",  "CIRCLE", "ARC",    "POINT",
                                               "LWPOLYLINE", "TEXT", "MTEXT", "INSERT", "ATTRIB",
                                               "LEADER", "SOLID", "HATCH", "ACAD_TABLE"};
  return names[d.index()];
}

template <class T>
void writeAs(std::string_view type, const Entity& e, const Schema<T>& s, const T& data, TagWriter& w) {
  writeRecord(type, e, entityBaseSchema(), static_cast<const EntityBase&>(e), s, data, w);
}

}  // namespace

void writeEntity(const Entity& e, TagWriter& w) {
  std::string_view type = e.type.empty() ? defaultType(e.data) : std::string_view(e.type);
  std::visit(
      [&](const auto& d) {
        using T = std::decay_t<decltype(d)>;
        if constexpr (std::is_same_v<T, Line>) writeAs(type, e, lineSchema(), d, w);
        else if constexpr (std::is_same_v<T, Circle>) writeAs(type, e, circleSchema(), d, w);
        else if constexpr (std::is_same_v<T, Arc>) writeAs(type, e, arcSchema(), d, w);
        else if constexpr (std::is_same_v<T, Point>) writeAs(type, e, pointSchema(), d, w);
        else if constexpr (std::is_same_v<T, LwPolyline>) writeAs(type, e, lwPolylineSchema(), d, w);
        else if constexpr (std::is_same_v<T, Text>) writeAs(type, e, textSchema(), d, w);
        else if constexpr (std::is_same_v<T, MText>) writeAs(type, e, mtextSchema(), d, w);
        else if constexpr (std::is_same_v<T, Attrib>)
          writeAs(type, e, type == "ATTDEF" ? attdefSchema() : attribSchema(), d, w);
        else if constexpr (std::is_same_v<T, Insert>) writeAs(type, e, insertSchema(), d, w);
        else if constexpr (std::is_same_v<T, Leader>) writeAs(type, e, leaderSchema(), d, w);
        else if constexpr (std::is_same_v<T, Solid>) writeAs(type, e, solidSchema(), d, w);
        else if constexpr (std::is_same_v<T, Hatch>) writeAs(type, e, hatchSchema(), d, w);
        else writeAs(type, e, emptySchema(), RawEntity{}, w);
      },
      e.data);
  for (const Entity& c : e.children) writeEntity(c, w);
  if (e.seqend) writeRecord("SEQEND", *e.seqend, entityBaseSchema(), *e.seqend, emptySchema(), RawEntity{}, w);
}

void readBlockBegin(TagSpan tags, Block& b, ReadContext& ctx) {
  PartState<EntityBase> base(entityBaseSchema(), b.begin);
  PartState<BlockBegin> schemaState(blockBeginSchema(), b.def);
  readRecord(tags, b.begin, base, schemaState, ctx);
}

void readBlockEnd(TagSpan tags, Block& b, ReadContext& ctx) { readEntityBase(tags, b.end, ctx, endblkSchema()); }

void writeBlockBegin(const Block& b, TagWriter& w) {
  writeRecord("BLOCK", b.begin, entityBaseSchema(), b.begin, blockBeginSchema(), b.def, w);
}

void writeBlockEnd(const Block& b, TagWriter& w) {
  writeRecord("ENDBLK", b.end, entityBaseSchema(), b.end, endblkSchema(), RawEntity{}, w);
}

}  // namespace host::dxf::detail
