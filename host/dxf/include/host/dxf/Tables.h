// Symbol table records of the DXF model (LAYER, LTYPE, STYLE, APPID, BLOCK_RECORD, raw).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/dxf/Entities.h"

namespace host::dxf {

struct Layer : ObjectBase {
  std::string name;
  int flags = 0;        ///< 70: 1 frozen, 4 locked
  int color = 7;        ///< 62, negative = off
  std::optional<std::int32_t> trueColor;  ///< 420
  std::string linetype = "Continuous";
  int plot = 1;         ///< 290
  int lineweight = -3;  ///< 370
};

struct LinetypeElement {
  double length = 0;     ///< 49: dash > 0, gap < 0, dot 0
  int type = 0;          ///< 74: 0 simple, 2 text, 4 shape
  std::vector<Tag> complex;  ///< 75, 340, 46, 50, 44, 45, 9 of a text or shape element
  bool operator==(const LinetypeElement&) const = default;
};

struct Linetype : ObjectBase {
  std::string name;
  int flags = 0;
  std::string description;  ///< 3
  int alignment = 65;       ///< 72, always 'A'
  double patternLength = 0; ///< 40
  std::vector<LinetypeElement> pattern;
};

struct TextStyle : ObjectBase {
  std::string name;
  int flags = 0;
  double fixedHeight = 0;   ///< 40
  double widthFactor = 1;   ///< 41
  double oblique = 0;       ///< 50
  int generation = 0;       ///< 71
  double lastHeight = 2.5;  ///< 42
  std::string font = "txt"; ///< 3, primary font file
  std::string bigFont;      ///< 4
};

struct AppId : ObjectBase {
  std::string name;
  int flags = 0;
};

struct BlockRecord : ObjectBase {
  std::string name;
  std::string layout;       ///< 340, handle of the LAYOUT (paper and model space)
  int insertUnits = 0;      ///< 70
  int explodable = 1;       ///< 280
  int scalable = 0;         ///< 281
  std::vector<std::uint8_t> preview;  ///< 310 chunks joined: the block's preview image
};

/// A record of a table that is not modelled (VPORT, VIEW, UCS, DIMSTYLE, unknown tables):
/// `name` is read from group 2 for lookups; every group stays in `extra`.
struct RawRecord : ObjectBase {
  std::string type;
  std::string name;
};

/// A table head (0 TABLE ... up to the first record) and its records.
template <class R>
struct Table {
  std::string handle;
  std::vector<Tag> headExtra;  ///< head groups other than 2, 5, 330, 70 and AcDbSymbolTable
  std::vector<R> records;

  R* find(std::string_view name);
  const R* find(std::string_view name) const;
};

/// Case-insensitive comparison of table names (DXF names are not case sensitive).
bool sameName(std::string_view a, std::string_view b);

template <class R>
R* Table<R>::find(std::string_view name) {
  for (R& r : records)
    if (sameName(r.name, name)) return &r;
  return nullptr;
}
template <class R>
const R* Table<R>::find(std::string_view name) const {
  for (const R& r : records)
    if (sameName(r.name, name)) return &r;
  return nullptr;
}

struct RawTable {
  std::string name;  ///< the table type, e.g. "VPORT"
  Table<RawRecord> table;
};

struct Tables {
  Table<RawRecord> vports;
  Table<Linetype> linetypes;
  Table<Layer> layers;
  Table<TextStyle> styles;
  Table<RawRecord> views;
  Table<RawRecord> ucs;
  Table<AppId> appids;
  Table<RawRecord> dimstyles;
  Table<BlockRecord> blockRecords;
  std::vector<RawTable> unknown;  ///< tables of other names, kept whole
};

}  // namespace host::dxf
