// Drawing-file codec internals: DXF document <-> drawing database.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/db/Database.h"
#include "host/dxf/Document.h"
#include "zcdbhatch.h"
#include "zcdbtable.h"

namespace host::dwgio {

/// A hatch as the file had it (edge boundaries, pattern lines, seeds) and in the form the
/// writer gives the database's hatch just after reading: while the hatch still writes to
/// that form, the file's own data is written back.
struct KeptHatch {
    host::dxf::Hatch original;
    host::dxf::Hatch asRead;
};

/// What a read keeps beside the database: the sections and objects the model does not
/// hold, and the entities whose type data the model keeps only as an UnknownEntity.
struct KeptFile {
    host::dxf::Document doc;  ///< entities and modelled records removed
    std::map<std::uint64_t, host::dxf::Entity> rawEntities;  ///< by handle
    std::map<std::uint64_t, std::string> layoutOfBlock;      ///< block record handle -> layout handle
    std::map<std::uint64_t, std::vector<host::dxf::LinetypeElement>> linetypePatterns;  ///< by handle
    std::map<std::uint64_t, KeptHatch> hatches;  ///< by handle
    std::map<std::uint64_t, host::dxf::Leader> leaders;  ///< as the file had them, by handle
};

// Dimension-variable overrides of an entity (a leader's arrow size, scale and arrow block)
// live in its ACAD extended data: 1000 "DSTYLE", 1002 "{", pairs of a 1070 variable code
// and its value, 1002 "}".
constexpr int kDimasz = 41;
constexpr int kDimscale = 40;
constexpr int kDimldrblk = 341;

/// The value of one override; nothing when the entity has none.
std::optional<host::dxf::Tag> dimOverride(const host::dxf::EntityBase& e, int variable);
/// Sets (a value) or removes (nothing) one override. A value equal to the stored one, as a
/// number or a handle, leaves the stored text as it was, so that round trips keep the file.
void setDimOverride(host::dxf::EntityBase& e, int variable, const std::optional<host::dxf::Tag>& value);

// Encoding of file data that has no place in the model, inside unmodelledGroups:
// a subclass marker (the groups that follow belong to it), application data groups,
// the true colour, and the BLOCK/ENDBLK handles of a block record.
constexpr int kSubclassMark = -100;
constexpr int kAppDataBase = -100000;  ///< appData tag code c stored as kAppDataBase - c
constexpr int kTrueColor = -420;
constexpr int kBlockBeginHandle = -5;
constexpr int kBlockEndHandle = -6;
constexpr int kBlockBeginLayer = -8;
constexpr int kBlockFlags = -70;
constexpr int kBlockDescription = -4;
constexpr int kBlockXrefPath = -1;

std::wstring widen(const std::string& s);
std::string narrow(const std::wstring& s);
std::uint64_t parseHandle(const std::string& hex);
std::string handleText(std::uint64_t h);

/// The groups of an ACAD_TABLE as the codec writes and reads them (subclasses
/// AcDbBlockReference and AcDbTable): the graphical block and position, the direction, the
/// table's text style and height, row heights and column widths, then per cell, row by row,
/// 171 type, 173 merged, 174 fit, 175/176 the columns/rows a merged range spans (at its
/// top-left cell), the text (3 chunks then 1) with 7 style, 140 height and 170 alignment, or
/// 340 the block with 179 its attribute values (331 definition, 300 text).
struct TableCellData {
    int type = 1;
    bool autoFit = false;
    int spanColumns = 1, spanRows = 1;
    std::string text, style, blockHandle;
    double height = 0;
    int alignment = 0;
    std::vector<std::pair<std::string, std::string>> attributes;  ///< definition handle, text
};
struct TableData {
    host::dxf::Vec3 position, direction{1, 0, 0};
    std::string style;
    double textHeight = 0;
    std::vector<double> rowHeights, columnWidths;
    std::vector<TableCellData> cells;  ///< rows x columns, row by row
};

/// The table an ACAD_TABLE's groups describe; nothing when they do not add up (counts,
/// sizes, a table of more than 2^20 cells), so that the entity is kept as it was read.
std::optional<TableData> parseTable(const host::dxf::Entity& e);

/// The ACAD_TABLE groups of a table whose graphical block is blockName. handleOf gives an
/// object's handle (empty for none), nameOf a record's name.
std::vector<host::dxf::ExtraTag> tableGroups(const ZcDbTable& table, const std::string& blockName,
                                             const std::function<std::string(ZcDbObjectId)>& handleOf,
                                             const std::function<std::string(ZcDbObjectId)>& nameOf);

/// A database hatch in the file's form: polyline boundaries with bulges.
host::dxf::Hatch hatchData(const ZcDbHatch& hatch);

Zcad::ErrorStatus readDocument(ZcDbDatabase& db, host::dxf::Document doc);
host::dxf::Document buildDocument(const ZcDbDatabase& db);

}  // namespace host::dwgio
