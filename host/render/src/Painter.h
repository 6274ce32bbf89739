// Painter.h - the object that draws primitives into a cairo context for one picture.
#pragma once

#include <vector>

#include "Internal.h"

namespace host::render::detail {

/// World to device: x' = ox + s x, y' = oy - s y over a width x height picture.
struct View {
  double s = 1, ox = 0, oy = 0;
  int width = 0, height = 0;
};

/// Fits `worldExtents` (or a unit box for invalid extents; degenerate sides are widened)
/// into the picture less `margin` (negative: 4% of the shorter side), aspect kept, centred.
View fitView(const Extents& worldExtents, int width, int height, double margin);

struct Rect {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

class Painter {
 public:
  struct Options {
    bool antialias = true;
    double hairline = 1.0;
    double tolerance = 0.2;  ///< largest distance of a chord from its curve, device units
  };

  Painter(cairo_t* cr, const View& view, const Options& opt);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  /// Draws one primitive; colour 7 is resolved against `background`.
  void draw(const Primitive& p, Rgb background);
  /// Fills or strokes what is still batched.
  void flush();

 private:
  enum class Batch { None, Stroke, FillUnion, FillEvenOdd, FillNonZero };

  // A wide segment: its outline and the two corners at each end, side A left of travel.
  struct Band {
    bool ok = false, straight = true;
    std::vector<Point2> outline;
    Point2 startA, startB, endA, endB, startDir, endDir;
  };

  Point2 dev(Point2 p) const;
  bool visibleWorld(const Extents& e) const;
  void begin(Batch kind, Rgb color);

  std::vector<double> arcAngles(Point2 c, double r, double a0, double sweep) const;
  Point2 arcPoint(Point2 c, double r, double a) const;
  void appendSegment(std::vector<Point2>& pts, Point2 p0, Point2 p1, double bulge) const;
  Band band(Point2 p0, Point2 p1, double bulge, double w0, double w1) const;
  void join(const Band& prev, const Band& next, Point2 vertex, Rgb color);

  void strokePoints(const std::vector<Point2>& pts, Rgb color);
  void addLoop(std::vector<Point2> pts, bool normalize);
  void fillUnion(std::vector<Point2> pts, Rgb color);

  void drawOne(const LinePrim& l, Rgb color);
  void drawOne(const PolylinePrim& p, Rgb color);
  void drawOne(const CirclePrim& c, Rgb color);
  void drawOne(const ArcPrim& a, Rgb color);
  void drawOne(const EllipsePrim& e, Rgb color);
  void drawOne(const FillPrim& f, Rgb color);
  void drawOne(const PointPrim& p, Rgb color);
  void drawOne(const TextPrim& t, Rgb color);
  void drawOne(const MTextPrim& m, Rgb color);
  void drawRuns(const std::vector<PlacedRun>& runs, Rgb color);
  void showGlyphs(const PlacedRun& r, const Affine& full, Rgb color);
  void fillGlyphOutlines(const PlacedRun& r, const Affine& full, Rgb color);

  cairo_t* cr_;
  View view_;
  Options opt_;
  Affine toDevice_;
  Rect visible_, guard_;
  cairo_font_options_t* fontOptions_ = nullptr;
  Batch batch_ = Batch::None;
  Rgb color_;
  std::size_t segments_ = 0;
  Point2 pen_;
  bool penValid_ = false;
};

}  // namespace host::render::detail
