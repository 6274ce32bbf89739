// Record readers and writers of the codec (entities, blocks, table records), internal.
#pragma once

#include <string_view>

#include "Schema.h"
#include "host/dxf/Document.h"

namespace host::dxf::detail {

const Schema<EntityBase>& entityBaseSchema();
const Schema<ObjectBase>& symbolRecordSchema();
const Schema<RawEntity>& emptySchema();

/// Reads one entity record (the tags after its 0 group) into `e`; e.type must be set.
void readEntity(TagSpan tags, Entity& e, ReadContext& ctx);
/// Reads a record with only the common entity groups (SEQEND, VERTEX kept raw, ENDBLK).
void readEntityBase(TagSpan tags, EntityBase& e, ReadContext& ctx, const Schema<RawEntity>& schemaState);
/// Writes an entity and the entities that follow it (children, SEQEND).
void writeEntity(const Entity& e, TagWriter& w);

void readBlockBegin(TagSpan tags, Block& b, ReadContext& ctx);
void readBlockEnd(TagSpan tags, Block& b, ReadContext& ctx);
void writeBlockBegin(const Block& b, TagWriter& w);
void writeBlockEnd(const Block& b, TagWriter& w);

void readRecord(TagSpan tags, Layer& r, ReadContext& ctx);
void readRecord(TagSpan tags, Linetype& r, ReadContext& ctx);
void readRecord(TagSpan tags, TextStyle& r, ReadContext& ctx);
void readRecord(TagSpan tags, AppId& r, ReadContext& ctx);
void readRecord(TagSpan tags, BlockRecord& r, ReadContext& ctx);
void readRecord(TagSpan tags, RawRecord& r, ReadContext& ctx);

void writeRecord(const Layer& r, TagWriter& w);
void writeRecord(const Linetype& r, TagWriter& w);
void writeRecord(const TextStyle& r, TagWriter& w);
void writeRecord(const AppId& r, TagWriter& w);
void writeRecord(const BlockRecord& r, TagWriter& w);
void writeRecord(const RawRecord& r, TagWriter& w);

/// Type name of a table's records ("LAYER" for the layer table, ...).
template <class R> constexpr std::string_view recordType();
template <> constexpr std::string_view recordType<Layer>() { return "LAYER"; }
template <> constexpr std::string_view recordType<Linetype>() { return "LTYPE"; }
template <> constexpr std::string_view recordType<TextStyle>() { return "STYLE"; }
template <> constexpr std::string_view recordType<AppId>() { return "APPID"; }
template <> constexpr std::string_view recordType<BlockRecord>() { return "BLOCK_RECORD"; }

/// The hatch subclass (boundary paths, pattern lines, seed points).
const Schema<Hatch>& hatchSchema();

}  // namespace host::dxf::detail
