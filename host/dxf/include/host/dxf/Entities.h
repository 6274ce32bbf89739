// Entity model of the DXF codec: plain structs, one per modelled entity type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/dxf/Tag.h"

namespace host::dxf {

struct Vec3 {
  double x = 0, y = 0, z = 0;
  bool operator==(const Vec3&) const = default;
};
inline constexpr Vec3 kZAxis{0, 0, 1};
inline constexpr Vec3 kXAxis{1, 0, 0};

/// A group that is not modelled, with the subclass marker (100, or 101 "Embedded Object")
/// it followed; "" before the first marker. Written back in order within that subclass.
struct ExtraTag {
  std::string subclass;
  Tag tag;
  bool operator==(const ExtraTag&) const = default;
};

/// Extended data of one application: the 1001 group and everything up to the next one.
struct XData {
  std::string app;
  std::vector<Tag> tags;  ///< without the 1001 tag
  bool operator==(const XData&) const = default;
};

/// What every object has: handle (5), owner (330), application groups (102), the groups
/// that are not modelled and extended data.
struct ObjectBase {
  std::string handle;  ///< hex, empty when none (the writer allocates one)
  std::string owner;   ///< set by the writer from the structure
  std::vector<Tag> appData;   ///< 102 groups ({ACAD_REACTORS, {ACAD_XDICTIONARY ...) as read
  std::vector<ExtraTag> extra;
  std::vector<XData> xdata;

  /// XData of `app`, nullptr when none.
  const XData* findXData(std::string_view app) const;
  XData& xdataFor(std::string_view app);  ///< adds an empty one if missing
};

/// Common graphical properties (subclass AcDbEntity).
struct EntityBase : ObjectBase {
  int paperSpace = 0;        ///< 67
  std::string layer = "0";   ///< 8
  std::string linetype;      ///< 6, empty = BYLAYER (not written)
  int color = 256;           ///< 62, 256 = BYLAYER, 0 = BYBLOCK
  std::optional<std::int32_t> trueColor;  ///< 420, 0x00RRGGBB
  int lineweight = -1;       ///< 370, -1 BYLAYER, -2 BYBLOCK, -3 default
  double linetypeScale = 1;  ///< 48
  int invisible = 0;         ///< 60
};

struct Line {
  double thickness = 0;
  Vec3 start, end;
  Vec3 extrusion = kZAxis;
};

struct Circle {
  double thickness = 0;
  Vec3 center;
  double radius = 0;
  Vec3 extrusion = kZAxis;
};

struct Arc {
  double thickness = 0;
  Vec3 center;
  double radius = 0;
  Vec3 extrusion = kZAxis;
  double startAngle = 0, endAngle = 360;  ///< degrees
};

struct Point {
  Vec3 position;
  double thickness = 0;
  Vec3 extrusion = kZAxis;
  double xAxisAngle = 0;
};

struct LwVertex {
  double x = 0, y = 0;
  double startWidth = 0, endWidth = 0, bulge = 0;
  int id = 0;  ///< 91 vertex identifier (R2010), 0 when none
  bool operator==(const LwVertex&) const = default;
};

/// LWPOLYLINE; an old-style 2D POLYLINE/VERTEX/SEQEND is read into this too.
struct LwPolyline {
  int flags = 0;  ///< 70: 1 closed, 128 linetype generation
  double constantWidth = 0;  ///< 43
  double elevation = 0;      ///< 38
  double thickness = 0;      ///< 39
  std::vector<LwVertex> vertices;
  Vec3 extrusion = kZAxis;
  bool closed() const { return flags & 1; }
  void setClosed(bool on) { flags = on ? flags | 1 : flags & ~1; }
};

/// TEXT.
struct Text {
  double thickness = 0;
  Vec3 position;             ///< 10, first alignment point
  double height = 2.5;       ///< 40
  std::string value;         ///< 1
  double rotation = 0;       ///< 50, degrees
  double widthFactor = 1;    ///< 41
  double oblique = 0;        ///< 51
  std::string style = "Standard";  ///< 7
  int generation = 0;        ///< 71
  int halign = 0;            ///< 72
  Vec3 alignPoint;           ///< 11
  Vec3 extrusion = kZAxis;
  int valign = 0;            ///< 73
};

/// MTEXT. `contents` joins the 3 chunks and the final 1 group.
struct MText {
  Vec3 position;
  double height = 2.5;       ///< 40
  double width = 0;          ///< 41, reference rectangle width
  double definedHeight = 0;  ///< 46
  int attachment = 1;        ///< 71, 1 top left ... 9 bottom right
  int direction = 1;         ///< 72, drawing direction
  std::string contents;
  std::string style = "Standard";
  Vec3 extrusion = kZAxis;
  Vec3 xDirection = kXAxis;  ///< 11 (written when not the x axis)
  double rotation = 0;       ///< 50, degrees (written when not 0)
  int lineSpacingStyle = 1;  ///< 73
  double lineSpacing = 1;    ///< 44
};

/// ATTRIB and ATTDEF (the entity's type tells which; `prompt` is ATTDEF only).
struct Attrib {
  enum Flags { Invisible = 1, Constant = 2, Verify = 4, Preset = 8 };
  double thickness = 0;
  Vec3 position;
  double height = 2.5;
  std::string value;  ///< 1: value of ATTRIB, default value of ATTDEF
  double rotation = 0;
  double widthFactor = 1;
  double oblique = 0;
  std::string style = "Standard";
  int generation = 0;
  int halign = 0;     ///< 72
  Vec3 alignPoint;    ///< 11
  Vec3 extrusion = kZAxis;
  int version = 0;    ///< 280 before the tag
  std::string prompt; ///< 3
  std::string tag;    ///< 2
  int flags = 0;      ///< 70
  int fieldLength = 0;  ///< 73
  int valign = 0;     ///< 74
  int lockPosition = 0;  ///< 280 after the tag
  int attributeType = 0; ///< 71 (R2018): 1 single line, 2 multiline ATTRIB, 4 multiline ATTDEF
  /// Embedded MTEXT of a multiline attribute: the groups after 101 "Embedded Object".
  std::vector<Tag> embeddedMText;

  bool isMultiline() const { return !embeddedMText.empty(); }
  /// Text of the embedded MTEXT (its 3 chunks and 1 group joined).
  std::string multilineContents() const;
  /// Makes the attribute multiline with `contents`, replacing any embedded MTEXT text.
  void setMultilineContents(const std::string& contents, bool definition);
};

/// INSERT (block reference). Its ATTRIBs are the Entity's `children`.
struct Insert {
  int attribsFollow = 0;  ///< 66 (the writer sets it from the children)
  std::string name;       ///< 2
  Vec3 position;
  double xScale = 1, yScale = 1, zScale = 1;
  double rotation = 0;
  int columns = 1, rows = 1;
  double columnSpacing = 0, rowSpacing = 0;
  Vec3 extrusion = kZAxis;
};

/// LEADER. DIMSTYLE overrides (DIMASZ, DIMSCALE, DIMLDRBLK) stay in the ACAD xdata.
struct Leader {
  std::string dimstyle = "Standard";  ///< 3
  int arrowhead = 1;       ///< 71
  int pathType = 0;        ///< 72, 0 straight, 1 spline
  int creation = 3;        ///< 73, 0 text, 1 tolerance, 2 block, 3 none
  int hooklineDirection = 1;  ///< 74
  int hookline = 0;        ///< 75
  double textHeight = 0;   ///< 40
  double textWidth = 0;    ///< 41
  std::vector<Vec3> vertices;
  int colorOverride = 256;  ///< 77 (when 73 = 0... written when not 256)
  std::string annotation;  ///< 340, handle of the annotation
  Vec3 normal = kZAxis;    ///< 210
  Vec3 horizontalDirection = kXAxis;  ///< 211
  Vec3 blockOffset;        ///< 212
  Vec3 annotationOffset;   ///< 213
  bool operator==(const Leader&) const = default;
};

/// SOLID (2D filled quadrilateral).
/// Corners in DXF order: the fourth is drawn opposite the third ("bow tie" order).
struct Solid {
  Vec3 corner1, corner2, corner3, corner4;
  double thickness = 0;
  Vec3 extrusion = kZAxis;
};

struct HatchEdge {
  enum class Type { Line = 1, Arc = 2, Ellipse = 3, Spline = 4 };
  Type type = Type::Line;
  double x0 = 0, y0 = 0;   ///< line start, arc/ellipse centre
  double x1 = 0, y1 = 0;   ///< line end, ellipse major axis end (relative)
  double radius = 0;       ///< arc radius, ellipse minor/major ratio
  double startAngle = 0, endAngle = 360;
  int counterClockwise = 1;
  std::vector<Tag> splineTags;  ///< the groups of a spline edge, kept as read
  bool operator==(const HatchEdge&) const = default;
};

struct HatchPath {
  enum Flags { External = 1, Polyline = 2, Derived = 4, Textbox = 8, Outermost = 16 };
  int flags = External | Polyline;
  // Polyline path:
  int hasBulge = 0;
  int closed = 1;
  std::vector<LwVertex> vertices;  ///< x, y, bulge (widths unused)
  // Edge path:
  std::vector<HatchEdge> edges;
  std::vector<std::string> sourceHandles;  ///< 330 source boundary objects
  bool isPolyline() const { return flags & Polyline; }
  bool operator==(const HatchPath&) const = default;
};

/// HATCH; the pattern definition lines of a pattern fill are kept as read.
struct Hatch {
  Vec3 elevation;           ///< 10 (only z matters)
  Vec3 extrusion = kZAxis;
  std::string pattern = "SOLID";  ///< 2
  int solidFill = 1;        ///< 70
  int associative = 0;      ///< 71
  std::vector<HatchPath> paths;
  int style = 0;            ///< 75
  int patternType = 1;      ///< 76
  double patternAngle = 0;  ///< 52
  double patternScale = 1;  ///< 41
  int patternDouble = 0;    ///< 77
  std::vector<Tag> patternLines;  ///< 53,43,44,45,46,79,49 groups after 78
  double pixelSize = 0;     ///< 47
  std::vector<Vec3> seeds;  ///< 98 seed points (x, y)
  bool operator==(const Hatch&) const = default;
};

/// ACAD_TABLE: every group is kept in `extra`; these fields are read from them.
struct AcadTable {
  std::string blockName;           ///< 2 of AcDbBlockReference
  Vec3 position;                   ///< 10 of AcDbBlockReference
  std::string blockRecordHandle;   ///< 343 of AcDbTable: the table's graphical block
};

/// Entity types not modelled (DIMENSION, ELLIPSE, ...): everything is in `extra`.
struct RawEntity {};

using EntityData = std::variant<RawEntity, Line, Circle, Arc, Point, LwPolyline, Text, MText,
                                Insert, Attrib, Leader, Solid, Hatch, AcadTable>;

/// One entity: its DXF type name, common properties, type data, and the entities that
/// follow it in the file (ATTRIBs of an INSERT, VERTEXes of a raw POLYLINE) with their SEQEND.
struct Entity : EntityBase {
  std::string type;  ///< "LINE", "ATTDEF", ...
  EntityData data;
  std::vector<Entity> children;
  std::optional<EntityBase> seqend;

  template <class T> T* get() { return std::get_if<T>(&data); }
  template <class T> const T* get() const { return std::get_if<T>(&data); }
};

/// An entity of type `type` with `data` and the default common properties.
template <class T>
Entity makeEntity(std::string type, T data) {
  Entity e;
  e.type = std::move(type);
  e.data = std::move(data);
  return e;
}
Entity makeLine(Vec3 start, Vec3 end);
Entity makeCircle(Vec3 center, double radius);
Entity makeArc(Vec3 center, double radius, double startAngle, double endAngle);
Entity makeText(Vec3 position, double height, std::string value);
Entity makeMText(Vec3 position, double height, std::string contents);
Entity makeLwPolyline(std::vector<LwVertex> vertices, bool closed);
/// A block reference; add ATTRIBs to `children`.
Entity makeInsert(std::string block, Vec3 position);
Entity makeAttdef(std::string tag, std::string prompt, std::string defaultValue, Vec3 position,
                  double height);
Entity makeAttrib(std::string tag, std::string value, Vec3 position, double height);

/// A DIMSTYLE override stored in the ACAD xdata ("DSTYLE" { code value ... }) of a leader
/// or dimension; nullopt when not overridden. `dimvar` is the DIMSTYLE group code
/// (41 DIMASZ, 40 DIMSCALE, 341 DIMLDRBLK).
std::optional<Tag> dimstyleOverride(const EntityBase& entity, int dimvar);
/// Sets (adds or replaces) one DIMSTYLE override in the ACAD xdata.
void setDimstyleOverride(EntityBase& entity, int dimvar, const Tag& value);

}  // namespace host::dxf
