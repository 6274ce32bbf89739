// Document: the whole content of a DXF file as plain structs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/dxf/Entities.h"
#include "host/dxf/Tables.h"

namespace host::dxf {

/// One header variable ($NAME) with its value tags, in file order.
struct HeaderVar {
  std::string name;
  std::vector<Tag> values;
};

/// The HEADER section, ordered as read, with typed accessors for the variables the host uses.
struct Header {
  std::vector<HeaderVar> vars;

  const HeaderVar* find(std::string_view name) const;
  /// Replaces the values of `name`, or appends the variable.
  void set(std::string_view name, std::vector<Tag> values);
  void erase(std::string_view name);

  /// First value of `name` as text/number/point; nullopt when missing or not numeric.
  std::optional<std::string> text(std::string_view name) const;
  std::optional<double> real(std::string_view name) const;
  std::optional<std::int64_t> integer(std::string_view name) const;
  std::optional<Vec3> point(std::string_view name) const;

  std::string acadVersion() const { return text("$ACADVER").value_or(""); }  ///< "AC1024"
  std::optional<Vec3> insBase() const { return point("$INSBASE"); }
  std::optional<Vec3> extMin() const { return point("$EXTMIN"); }
  std::optional<Vec3> extMax() const { return point("$EXTMAX"); }
  std::string handSeed() const { return text("$HANDSEED").value_or(""); }
  std::optional<int> insUnits() const;
  std::optional<int> measurement() const;

  void setText(std::string_view name, int code, std::string value);
  void setInteger(std::string_view name, int code, std::int64_t value);
  void setPoint(std::string_view name, Vec3 p, int dims = 3);
  void setInsBase(Vec3 p) { setPoint("$INSBASE", p); }
  void setExtents(Vec3 min, Vec3 max) { setPoint("$EXTMIN", min); setPoint("$EXTMAX", max); }
  void setInsUnits(int units) { setInteger("$INSUNITS", 70, units); }
  void setMeasurement(int m) { setInteger("$MEASUREMENT", 70, m); }
};

/// The BLOCK entity's own data (subclass AcDbBlockBegin).
struct BlockBegin {
  std::string name;         ///< 2 (3 repeats it)
  int flags = 0;            ///< 70: 1 anonymous, 2 has attributes, 4 xref
  Vec3 base;                ///< 10
  std::string xrefPath;     ///< 1
  std::string description;  ///< 4
};

/// A block definition: BLOCK, its entities, ENDBLK.
struct Block {
  EntityBase begin;   ///< handle, owner, layer of the BLOCK entity
  BlockBegin def;
  std::vector<Entity> entities;
  EntityBase end;     ///< the ENDBLK entity

  const std::string& name() const { return def.name; }
};

/// A CLASS record or an object of the OBJECTS section, kept whole.
struct RawObject {
  std::string type;        ///< e.g. "DICTIONARY", "CLASS"
  std::vector<Tag> tags;   ///< every group after (0, type)

  /// Value of the first group `code` (5 handle, 330 owner), empty when none.
  std::string first(int code) const;
  std::string handle() const { return first(5); }
};

/// A DICTIONARY read from its groups: entry names (3) and their object handles (350/360).
struct Dictionary {
  std::string handle;
  std::vector<std::pair<std::string, std::string>> entries;
  const std::string* find(std::string_view name) const;
};
/// The dictionary held by `object`; nullopt when it is not a DICTIONARY.
std::optional<Dictionary> readDictionary(const RawObject& object);

/// A section of another name, kept whole (tags after 2 NAME up to ENDSEC).
struct RawSection {
  std::string name;
  std::vector<Tag> tags;
};

/// A repairable problem met while reading (checked mode).
struct Problem {
  int number = 0;          ///< 1, 2, ... in order of discovery
  std::uint32_t line = 0;  ///< input line, 0 when not tied to one
  std::string handle;      ///< handle of the object concerned, if known
  std::string message;
};

struct Document {
  Header header;
  std::vector<RawObject> classes;
  Tables tables;
  std::vector<Block> blocks;      ///< including *Model_Space and *Paper_Space when present
  std::vector<Entity> entities;   ///< ENTITIES: model space and (paperSpace = 1) paper space
  std::vector<RawObject> objects; ///< OBJECTS, the root dictionary first
  std::vector<std::uint8_t> thumbnail;  ///< THUMBNAILIMAGE bytes (a BMP), empty when none
  std::vector<RawSection> unknownSections;
  std::vector<Problem> problems;  ///< filled by checked reading
  std::size_t problemsDropped = 0;  ///< problems beyond the recorded limit

  Block* findBlock(std::string_view name);
  const Block* findBlock(std::string_view name) const;
  /// The root dictionary (the first object when it is a DICTIONARY).
  std::optional<Dictionary> rootDictionary() const;

  /// Adds a layer (or returns the existing one of that name).
  Layer& addLayer(std::string name, int color = 7, std::string linetype = "Continuous");
  /// Adds an empty block definition with its block record; returns the existing one of that name.
  Block& addBlock(std::string name, Vec3 base = {});
  TextStyle& addTextStyle(std::string name, std::string font = "txt");
  AppId& addAppId(std::string name);
};

/// A new drawing with what every drawing has: layer "0", linetypes ByBlock, ByLayer and
/// Continuous, text style Standard, application ACAD, DIMSTYLE Standard, the *Active
/// viewport, the *Model_Space and *Paper_Space blocks, and a metric header. Handles are
/// left empty: the writer allocates them.
Document newDocument();

/// Whether a table record may have the name: 1 to 255 characters (UTF-8), none of them a
/// control character or one of < > / \ " : ; ? * | , = `.
bool validRecordName(std::string_view name);

/// Gives the layout blocks of an R12 file ($MODEL_SPACE, $PAPER_SPACE, any case) and their
/// records the names later versions use (*Model_Space, *Paper_Space); a drawing that already
/// has the later name keeps its block and the R12 one stays an ordinary block.
void renameR12Spaces(Document& doc);

}  // namespace host::dxf
