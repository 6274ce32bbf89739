// Internal.h - pieces shared by the renderer's sources: the font, glyph runs placed in the
// world, affine maps and circular-arc helpers.
#pragma once

#include <cairo.h>

#include <string_view>
#include <vector>

#include "host/render/Render.h"

namespace host::render::detail {

/// Glyph runs are laid out at this font size (em), in units with y down; placing a run
/// scales it to the drawing.
constexpr double kRefSize = 1000.0;

/// An affine map x' = xx x + xy y + x0, y' = yx x + yy y + y0 (cairo's convention).
struct Affine {
  double xx = 1, yx = 0, xy = 0, yy = 1, x0 = 0, y0 = 0;

  Point2 apply(Point2 p) const { return {xx * p.x + xy * p.y + x0, yx * p.x + yy * p.y + y0}; }
  /// this after `inner`: p -> this(inner(p)).
  Affine after(const Affine& inner) const;
  bool finite() const;
  cairo_matrix_t toCairo() const { return {xx, yx, xy, yy, x0, y0}; }
};

/// The face every text is drawn with, and the proportions of its em.
struct Font {
  cairo_font_face_t* face = nullptr;
  cairo_scaled_font_t* ref = nullptr;  ///< the face at kRefSize, identity CTM, no hinting
  double capHeight = 0.729;            ///< height of 'H' / em
  double ascent = 0.928, descent = 0.236;
};

/// The process-wide font, loaded on first use (DejaVu Sans from its file, else the
/// fontconfig face of that name).
const Font& font();

/// Font options that keep outlines and advances unhinted.
cairo_font_options_t* makeFontOptions(bool antialias);

/// A line of text shaped at kRefSize (y down, baseline at 0).
struct GlyphRun {
  std::vector<cairo_glyph_t> glyphs;
  double advance = 0;
  bool hasInk = false;
  double inkX0 = 0, inkY0 = 0, inkX1 = 0, inkY1 = 0;
};

/// Shapes UTF-8 text by the font's character map (malformed input as U+FFFD, control
/// characters as spaces).
GlyphRun shapeText(std::string_view utf8);

/// A run together with the map from its glyph space to the world and the cap height.
struct PlacedRun {
  GlyphRun run;
  Affine toWorld;
  double capHeight = 0;  ///< in glyph units: kRefSize * font().capHeight
};

/// The runs of a TEXT or MTEXT; none for invalid or empty input.
std::vector<PlacedRun> placeText(const TextPrim& t);
std::vector<PlacedRun> placeMText(const MTextPrim& m);

/// The corners of a run's box in glyph space: its ink, or for blank runs baseline to cap
/// height over the advance. False for runs with nothing to show.
bool runBox(const PlacedRun& r, Point2 corners[4]);

/// The world box of runs.
Extents runsExtents(const std::vector<PlacedRun>& runs);

/// The arc of a bulged segment p0 -> p1: centre, radius, start angle, signed sweep. False
/// for a straight segment (zero bulge, coincident ends, non-finite values).
struct ArcGeom {
  Point2 c;
  double r = 0, a0 = 0, sweep = 0;
};
bool bulgeArc(Point2 p0, Point2 p1, double bulge, ArcGeom& out);

/// Adds the box of the arc centred at c with radius r from a0 over the signed sweep.
void addArcExtents(Extents& e, Point2 c, double r, double a0, double sweep);

/// The counter-clockwise sweep of an ARC, in (0, 2 pi]; equal angles make a full circle.
double arcSweep(double startAngle, double endAngle);

/// False when a polyline has no vertices or a non-finite value; such are not drawn.
bool validPolyline(const PolylinePrim& p);
/// False when an ellipse has a non-finite value.
bool validEllipse(const EllipsePrim& e);
/// False when a fill has no points or a non-finite value; such are not drawn.
bool validFill(const FillPrim& f);

/// True when every value is finite.
inline bool finite(double v) { return v - v == 0; }
inline bool finite(Point2 p) { return finite(p.x) && finite(p.y); }

}  // namespace host::render::detail
