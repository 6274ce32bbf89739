// Group code tables of the symbol table records (LAYER, LTYPE, STYLE, APPID, BLOCK_RECORD).
#include "Codec.h"

namespace host::dxf::detail {

namespace {

using E = Emit;

std::size_t readLinetypeElements(Linetype& lt, TagSpan tags, std::size_t i, ReadContext&) {
  while (i < tags.size() && tags[i].code == 49) {
    LinetypeElement& el = lt.pattern.emplace_back();
    el.length = tags[i].real;
    ++i;
    if (i < tags.size() && tags[i].code == 74) el.type = static_cast<int>(tags[i++].integer);
    for (; i < tags.size(); ++i) {
      int c = tags[i].code;
      if (c != 75 && c != 340 && c != 46 && c != 50 && c != 44 && c != 45 && c != 9) break;
      el.complex.emplace_back(tags[i]);
    }
  }
  return i;
}

void writeLinetypeElements(const Linetype& lt, TagWriter& w) {
  for (const LinetypeElement& el : lt.pattern) {
    w.write(49, el.length);
    w.write(74, el.type);
    w.write(el.complex);
  }
}

const Schema<Layer>& layerSchema() {
  static const Schema<Layer> s({{"AcDbLayerTableRecord",
                                 {{2, &Layer::name},
                                  {70, &Layer::flags},
                                  {62, &Layer::color},
                                  {420, &Layer::trueColor},
                                  {6, &Layer::linetype},
                                  {290, &Layer::plot, E::NonDefault},
                                  {370, &Layer::lineweight}}}});
  return s;
}

const Schema<Linetype>& linetypeSchema() {
  static const Schema<Linetype> s(
      {{"AcDbLinetypeTableRecord",
        {{2, &Linetype::name},
         {70, &Linetype::flags},
         {3, &Linetype::description},
         {72, &Linetype::alignment},
         {73, Hook<Linetype>{[](Linetype&, TagSpan, std::size_t i, ReadContext&) { return i + 1; },
                             [](const Linetype& lt, TagWriter& w) {
                               w.write(73, static_cast<int>(lt.pattern.size()));
                             }}},
         {40, &Linetype::patternLength},
         {49, Hook<Linetype>{readLinetypeElements, writeLinetypeElements}}}}});
  return s;
}

const Schema<TextStyle>& styleSchema() {
  static const Schema<TextStyle> s({{"AcDbTextStyleTableRecord",
                                     {{2, &TextStyle::name},
                                      {70, &TextStyle::flags},
                                      {40, &TextStyle::fixedHeight},
                                      {41, &TextStyle::widthFactor},
                                      {50, &TextStyle::oblique},
                                      {71, &TextStyle::generation},
                                      {42, &TextStyle::lastHeight},
                                      {3, &TextStyle::font},
                                      {4, &TextStyle::bigFont}}}});
  return s;
}

const Schema<AppId>& appidSchema() {
  static const Schema<AppId> s({{"AcDbRegAppTableRecord", {{2, &AppId::name}, {70, &AppId::flags}}}});
  return s;
}

std::size_t readPreview(BlockRecord& r, TagSpan tags, std::size_t i, ReadContext& ctx) {
  for (; i < tags.size() && tags[i].code == 310; ++i)
    if (!appendHexBytes(tags[i].value, r.preview))
      ctx.log.add(tags[i].line, ctx.handle, "bad preview data", ErrorCode::InvalidValue);
  return i;
}

const Schema<BlockRecord>& blockRecordSchema() {
  static const Schema<BlockRecord> s(
      {{"AcDbBlockTableRecord",
        {{2, &BlockRecord::name},
         {340, &BlockRecord::layout},
         {70, &BlockRecord::insertUnits, E::NonDefault},
         {280, &BlockRecord::explodable},
         {281, &BlockRecord::scalable},
         {310, Hook<BlockRecord>{readPreview, [](const BlockRecord& r, TagWriter& w) {
                                   w.writeBinary(310, r.preview);
                                 }}}}}});
  return s;
}

template <class R>
void readTyped(TagSpan tags, R& r, const Schema<R>& schema, ReadContext& ctx) {
  PartState<ObjectBase> base(symbolRecordSchema(), r);
  PartState<R> schemaState(schema, r);
  readRecord(tags, r, base, schemaState, ctx);
}

template <class R>
void writeTyped(const R& r, const Schema<R>& schema, TagWriter& w) {
  writeRecord(recordType<R>(), r, symbolRecordSchema(), static_cast<const ObjectBase&>(r), schema, r, w);
}

RecordKind rawKind(const RawRecord& r) { return {r.type == "DIMSTYLE" ? 105 : 5, true}; }

}  // namespace

void readRecord(TagSpan tags, Layer& r, ReadContext& ctx) { readTyped(tags, r, layerSchema(), ctx); }
void readRecord(TagSpan tags, Linetype& r, ReadContext& ctx) { readTyped(tags, r, linetypeSchema(), ctx); }
void readRecord(TagSpan tags, TextStyle& r, ReadContext& ctx) { readTyped(tags, r, styleSchema(), ctx); }
void readRecord(TagSpan tags, AppId& r, ReadContext& ctx) { readTyped(tags, r, appidSchema(), ctx); }
void readRecord(TagSpan tags, BlockRecord& r, ReadContext& ctx) { readTyped(tags, r, blockRecordSchema(), ctx); }

void readRecord(TagSpan tags, RawRecord& r, ReadContext& ctx) {
  RawEntity none;
  PartState<ObjectBase> base(symbolRecordSchema(), r);
  PartState<RawEntity> schemaState(emptySchema(), none);
  readRecord(tags, r, base, schemaState, ctx, rawKind(r));
  for (const ExtraTag& x : r.extra)
    if (x.tag.code == 2) {
      r.name = x.tag.value;
      break;
    }
}

void writeRecord(const Layer& r, TagWriter& w) { writeTyped(r, layerSchema(), w); }
void writeRecord(const Linetype& r, TagWriter& w) { writeTyped(r, linetypeSchema(), w); }
void writeRecord(const TextStyle& r, TagWriter& w) { writeTyped(r, styleSchema(), w); }
void writeRecord(const AppId& r, TagWriter& w) { writeTyped(r, appidSchema(), w); }
void writeRecord(const BlockRecord& r, TagWriter& w) { writeTyped(r, blockRecordSchema(), w); }

void writeRecord(const RawRecord& r, TagWriter& w) {
  writeRecord(r.type, r, symbolRecordSchema(), static_cast<const ObjectBase&>(r), emptySchema(), RawEntity{}, w,
              rawKind(r));
}

}  // namespace host::dxf::detail
