// Scene.h - the neutral primitive scene that the renderer draws: colours, primitives in
// world coordinates, extents.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "host/render/TextCodes.h"

namespace host::render {

/// An 8-bit RGB triple.
struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// The standard AutoCAD Colour Index palette. Index 0 (by block) and 256 (by layer) have no
/// colour of their own; like every index outside 1..255 they give white (colour 7).
Rgb aciToRgb(int index);

/// The palette index 0..255 whose colour is nearest to `c` (squared RGB distance; the lowest
/// index wins a tie). Entry 0 is black.
int nearestAci(Rgb c);

/// A drawing colour: an ACI index or a true colour.
struct Color {
  bool isTrueColor = false;
  int index = 7;  ///< ACI 1..255 when !isTrueColor
  Rgb rgb;        ///< when isTrueColor

  static Color aci(int i) { return Color{false, i, {}}; }
  static Color trueColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Color{true, 7, {r, g, b}};
  }
  friend bool operator==(const Color&, const Color&) = default;
};

/// The colour a primitive is drawn with on `background`: ACI 7 is white on dark
/// backgrounds and black on light ones; other indices come from the palette.
Rgb resolveColor(const Color& c, Rgb background);

struct Point2 {
  double x = 0, y = 0;
  friend bool operator==(const Point2&, const Point2&) = default;
};

/// An affine map of the plane: x' = a x + c y + tx, y' = b x + d y + ty.
struct Transform2D {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  Point2 apply(Point2 p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
  Point2 applyVector(Point2 v) const { return {a * v.x + c * v.y, b * v.x + d * v.y}; }
  double det() const { return a * d - b * c; }
  /// `outer` after this: p -> outer(this(p)).
  Transform2D then(const Transform2D& outer) const {
    return {outer.a * a + outer.c * b, outer.b * a + outer.d * b,
            outer.a * c + outer.c * d, outer.b * c + outer.d * d,
            outer.a * tx + outer.c * ty + outer.tx, outer.b * tx + outer.d * ty + outer.ty};
  }
  static Transform2D translation(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }
  static Transform2D rotation(double angle) {
    return {std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), 0, 0};
  }
  static Transform2D scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  friend bool operator==(const Transform2D&, const Transform2D&) = default;
};

/// An axis-aligned box; empty until a point is added.
struct Extents {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool valid = false;

  void add(Point2 p);
  void merge(const Extents& e);
  double width() const { return valid ? maxX - minX : 0.0; }
  double height() const { return valid ? maxY - minY : 0.0; }
};

/// A straight line; `width` > 0 draws it as a filled band of that world width.
struct LinePrim {
  Point2 a, b;
  double width = 0;
  Color color;
};

/// A lightweight polyline. Segment i runs from vertex i to vertex i+1 (and, when closed,
/// from the last vertex back to the first) with the start/end widths and bulge stored on
/// vertex i; bulge = tan(included angle / 4), positive counter-clockwise. `constantWidth`,
/// when > 0, overrides the per-vertex widths for every segment.
struct PolylinePrim {
  struct Vertex {
    Point2 p;
    double startWidth = 0, endWidth = 0, bulge = 0;
  };
  std::vector<Vertex> vertices;
  bool closed = false;
  double constantWidth = 0;
  Color color;
};

struct CirclePrim {
  Point2 center;
  double radius = 0;
  Color color;
};

/// A circular arc, counter-clockwise from `startAngle` to `endAngle` (radians).
struct ArcPrim {
  Point2 center;
  double radius = 0, startAngle = 0, endAngle = 0;
  Color color;
};

/// An elliptical arc p(t) = center + u cos t + v sin t for t from `startParam` to
/// `endParam` (radians, increasing; equal values make the whole ellipse). `u` and `v` are
/// conjugate semi-axes: for a DXF ELLIPSE, u is the major axis and v the major axis turned
/// by 90 degrees times the ratio; any circle or arc under any affine map is one of these.
struct EllipsePrim {
  Point2 center, u{1, 0}, v{0, 1};
  double startParam = 0, endParam = 0;
  Color color;
};

/// A filled area made of closed loops (a 2D solid, a solid hatch). Segment i of a loop runs
/// from point i to point i+1, the last one back to the first; `bulges`, when as long as
/// `points`, makes segment i an arc as in PolylinePrim. A 2D solid's corners are passed in
/// outline order (1, 2, 4, 3).
struct FillPrim {
  enum class Rule { EvenOdd, NonZero };
  struct Loop {
    std::vector<Point2> points;
    std::vector<double> bulges;
  };
  std::vector<Loop> loops;
  Rule rule = Rule::EvenOdd;
  Color color;
};

struct PointPrim {
  Point2 p;
  Color color;
};

/// Single-line text placed as a DXF TEXT entity. `text` is UTF-8 and drawn literally (see
/// decodeTextCodes for %%d and friends). Alignment: horizontal 0 left, 1 centre, 2 right,
/// 3 aligned (fitted between `insert` and `align`, height scaled), 4 middle, 5 fit (fitted
/// between the points, height kept); vertical 0 baseline, 1 bottom, 2 middle, 3 top. With
/// both 0 the text starts at `insert`; otherwise `align` is the reference point, as in DXF.
/// `height` is the height of capital letters; `oblique` (radians) slants the glyphs.
/// `transform` maps the placed text once more (a block reference's insertion: mirrored or
/// unevenly scaled texts stay exact); identity by default.
struct TextPrim {
  std::string text;
  Point2 insert, align;
  double height = 1, rotation = 0, widthFactor = 1, oblique = 0;
  int halign = 0, valign = 0;
  Color color;
  Transform2D transform;

  void setText(std::wstring_view w) { text = utf8FromWide(w); }
};

/// Multiline text. `text` holds plain paragraphs separated by '\n' (see mtextToPlain).
/// `referenceWidth` > 0 wraps words at that width. Attachment 1..9: top/middle/bottom x
/// left/centre/right as in DXF MTEXT. Baselines are `height` * 5/3 * `lineSpacing` apart.
/// `transform` as in TextPrim.
struct MTextPrim {
  std::string text;
  Point2 location;
  double height = 1, referenceWidth = 0, rotation = 0, lineSpacing = 1, widthFactor = 1;
  int attachment = 1;
  Color color;
  Transform2D transform;

  void setText(std::wstring_view w) { text = utf8FromWide(w); }
};

using Primitive = std::variant<LinePrim, PolylinePrim, CirclePrim, ArcPrim, EllipsePrim,
                               FillPrim, PointPrim, TextPrim, MTextPrim>;

/// What the renderer draws: primitives in drawing order over a background. Nested blocks are
/// flattened by the caller.
struct Scene {
  Rgb background{0, 0, 0};
  std::vector<Primitive> items;

  template <class P>
  void add(P p) { items.emplace_back(std::move(p)); }
  bool empty() const { return items.empty(); }
};

}  // namespace host::render
