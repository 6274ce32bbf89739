// Painter.cpp - draws scene primitives into a cairo context: fitting the view, tessellating
// curves in device space, clipping far geometry before it reaches cairo, batching paths.
#include "Painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace host::render::detail {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;
// Device coordinates are kept within this distance of the picture: cairo stores paths in
// 24.8 fixed point, which wraps beyond about 8.4 million.
constexpr double kGuard = 1 << 20;
// A path is filled or stroked once it holds this many segments.
constexpr std::size_t kBatchLimit = 20000;
// Cap heights (device units) above which glyphs are filled as outlines.
constexpr double kMaxGlyphSize = 4096;
// Most segments one curve is cut into.
constexpr double kMaxArcSegments = 100000;

double cross(Point2 a, Point2 b) { return a.x * b.y - a.y * b.x; }
Point2 sub(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
Point2 add(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
Point2 mul(Point2 a, double k) { return {a.x * k, a.y * k}; }

double signedArea(const std::vector<Point2>& pts) {
  double a = 0;
  for (std::size_t i = 0, n = pts.size(); i < n; ++i) a += cross(pts[i], pts[(i + 1) % n]);
  return a / 2;
}

// Liang-Barsky: clips p0 -> p1 to r; false when nothing is left.
bool clipSegment(Point2& p0, Point2& p1, const Rect& r) {
  double t0 = 0, t1 = 1;
  const double dx = p1.x - p0.x, dy = p1.y - p0.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {p0.x - r.x0, r.x1 - p0.x, p0.y - r.y0, r.y1 - p0.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const Point2 a = p0;
  if (t1 < 1) p1 = {a.x + t1 * dx, a.y + t1 * dy};
  if (t0 > 0) p0 = {a.x + t0 * dx, a.y + t0 * dy};
  return true;
}

// Sutherland-Hodgman against one edge of r: side 0..3 = left, right, top, bottom.
std::vector<Point2> clipEdge(const std::vector<Point2>& in, const Rect& r, int side) {
  auto inside = [&](Point2 p) {
    switch (side) {
      case 0: return p.x >= r.x0;
      case 1: return p.x <= r.x1;
      case 2: return p.y >= r.y0;
      default: return p.y <= r.y1;
    }
  };
  auto cut = [&](Point2 a, Point2 b) {
    double t;
    switch (side) {
      case 0: t = (r.x0 - a.x) / (b.x - a.x); break;
      case 1: t = (r.x1 - a.x) / (b.x - a.x); break;
      case 2: t = (r.y0 - a.y) / (b.y - a.y); break;
      default: t = (r.y1 - a.y) / (b.y - a.y); break;
    }
    Point2 p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    // Exact values on the clipped coordinate keep rounding from leaking outside.
    if (side == 0) p.x = r.x0;
    if (side == 1) p.x = r.x1;
    if (side == 2) p.y = r.y0;
    if (side == 3) p.y = r.y1;
    return p;
  };
  std::vector<Point2> out;
  out.reserve(in.size() + 4);
  for (std::size_t i = 0, n = in.size(); i < n; ++i) {
    const Point2 a = in[i], b = in[(i + 1) % n];
    const bool ia = inside(a), ib = inside(b);
    if (ia) out.push_back(a);
    if (ia != ib) out.push_back(cut(a, b));
  }
  return out;
}

bool insideRect(const Rect& r, Point2 p) {
  return p.x >= r.x0 && p.x <= r.x1 && p.y >= r.y0 && p.y <= r.y1;
}

}  // namespace

View fitView(const Extents& worldExtents, int width, int height, double margin) {
  Extents e = worldExtents;
  if (!e.valid) {
    e = Extents{};
    e.add(Point2{-1, -1});
    e.add(Point2{1, 1});
  }
  // Halves and centres are formed from halved values so that they never overflow.
  double cx = e.minX / 2 + e.maxX / 2, cy = e.minY / 2 + e.maxY / 2;
  double hw = e.maxX / 2 - e.minX / 2, hh = e.maxY / 2 - e.minY / 2;
  const double tiny = std::max({1e-9 * std::fabs(cx), 1e-9 * std::fabs(cy), 1e-300});
  if (hw <= tiny && hh <= tiny) {
    hw = hh = std::max({1.0, 1e-9 * std::fabs(cx), 1e-9 * std::fabs(cy)});
  } else if (hw <= tiny) {
    hw = hh;
  } else if (hh <= tiny) {
    hh = hw;
  }
  const double w = width, h = height;
  if (margin < 0) margin = 0.04 * std::min(w, h);
  if (2 * margin >= std::min(w, h)) margin = 0;
  View v;
  v.width = width;
  v.height = height;
  v.s = std::min((w / 2 - margin) / hw, (h / 2 - margin) / hh);
  if (!(v.s > 0) || !finite(v.s)) v.s = 1;
  v.ox = w / 2 - v.s * cx;
  v.oy = h / 2 + v.s * cy;
  return v;
}

Painter::Painter(cairo_t* cr, const View& view, const Options& opt)
    : cr_(cr), view_(view), opt_(opt) {
  const double pad = std::max(opt.hairline, 1.0) + 2;
  visible_ = {-pad, -pad, view.width + pad, view.height + pad};
  guard_ = {-kGuard, -kGuard, view.width + kGuard, view.height + kGuard};
  toDevice_.xx = view.s;
  toDevice_.yy = -view.s;
  toDevice_.x0 = view.ox;
  toDevice_.y0 = view.oy;
  fontOptions_ = makeFontOptions(opt.antialias);
  cairo_set_antialias(cr_, opt.antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  cairo_set_tolerance(cr_, opt.tolerance);
  cairo_new_path(cr_);
}

Painter::~Painter() {
  flush();
  cairo_font_options_destroy(fontOptions_);
}

Point2 Painter::dev(Point2 p) const { return {view_.ox + view_.s * p.x, view_.oy - view_.s * p.y}; }

bool Painter::visibleWorld(const Extents& e) const {
  if (!e.valid) return false;
  const Point2 a = dev({e.minX, e.minY}), b = dev({e.maxX, e.maxY});
  const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
  const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
  return finite(x0) && finite(x1) && finite(y0) && finite(y1) && x1 >= visible_.x0 &&
         x0 <= visible_.x1 && y1 >= visible_.y0 && y0 <= visible_.y1;
}

void Painter::begin(Batch kind, Rgb color) {
  if (batch_ != kind || !(color_ == color) || segments_ >= kBatchLimit) flush();
  batch_ = kind;
  color_ = color;
}

void Painter::flush() {
  if (batch_ == Batch::None) return;
  if (segments_ > 0) {
    cairo_set_source_rgb(cr_, color_.r / 255.0, color_.g / 255.0, color_.b / 255.0);
    if (batch_ == Batch::Stroke) {
      cairo_set_line_width(cr_, opt_.hairline);
      cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke(cr_);
    } else {
      cairo_set_fill_rule(cr_, batch_ == Batch::FillEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD
                                                            : CAIRO_FILL_RULE_WINDING);
      cairo_fill(cr_);
    }
  }
  cairo_new_path(cr_);
  batch_ = Batch::None;
  segments_ = 0;
  penValid_ = false;
}

std::vector<double> Painter::arcAngles(Point2 c, double r, double a0, double sweep) const {
  // Angles are world angles; c and r are in device units.
  std::vector<double> out;
  const double len = std::fabs(sweep);
  const double fine = r > opt_.tolerance
                          ? std::min(kPi / 4, 2 * std::acos(1 - opt_.tolerance / r))
                          : kPi / 4;
  const bool huge = r > 4.0 * (view_.width + view_.height) + 1000;
  if (!huge) {
    const double n = std::clamp(std::ceil(len / fine), 1.0, kMaxArcSegments);
    const auto count = static_cast<std::size_t>(n);
    out.reserve(count + 1);
    for (std::size_t i = 0; i <= count; ++i) out.push_back(a0 + sweep * static_cast<double>(i) / n);
    return out;
  }
  // A circle much larger than the picture: only the angles that see the picture are cut
  // finely, the rest coarsely. A coarse chord stays in its own sector, so it never
  // crosses the picture.
  double winStart = 0, winLen = -1;  // in world angles
  if (!insideRect(visible_, c)) {
    const double cx = (visible_.x0 + visible_.x1) / 2, cy = (visible_.y0 + visible_.y1) / 2;
    const double phi = std::atan2(cy - c.y, cx - c.x);
    double lo = kPi, hi = -kPi;
    const Point2 corners[4] = {{visible_.x0, visible_.y0}, {visible_.x1, visible_.y0},
                               {visible_.x1, visible_.y1}, {visible_.x0, visible_.y1}};
    for (Point2 k : corners) {
      double rel = std::atan2(k.y - c.y, k.x - c.x) - phi;
      while (rel > kPi) rel -= kTwoPi;
      while (rel < -kPi) rel += kTwoPi;
      lo = std::min(lo, rel);
      hi = std::max(hi, rel);
    }
    // Device angles run the other way round: world angle = -device angle.
    winStart = -(phi + hi);
    winLen = hi - lo;
  }
  const double coarse = std::max(fine, kTwoPi / 64);
  const double lo = std::min(a0, a0 + sweep), hi = std::max(a0, a0 + sweep);
  std::vector<double> cuts{lo, hi};
  if (winLen >= 0) {
    for (double edge : {winStart, winStart + winLen}) {
      double k = edge + kTwoPi * std::ceil((lo - edge) / kTwoPi);
      for (; k < hi; k += kTwoPi) {
        if (k > lo) cuts.push_back(k);
      }
    }
  }
  std::sort(cuts.begin(), cuts.end());
  std::vector<double> asc{lo};
  for (std::size_t i = 1; i < cuts.size(); ++i) {
    const double s = cuts[i - 1], e = cuts[i];
    if (e <= s) continue;
    double mid = std::fmod((s + e) / 2 - winStart, kTwoPi);
    if (mid < 0) mid += kTwoPi;
    const double step = (winLen >= 0 && mid <= winLen) ? fine : coarse;
    const double n = std::clamp(std::ceil((e - s) / step), 1.0, kMaxArcSegments);
    for (double j = 1; j <= n; ++j) asc.push_back(s + (e - s) * j / n);
  }
  if (sweep < 0) std::reverse(asc.begin(), asc.end());
  return asc;
}

Point2 Painter::arcPoint(Point2 c, double r, double a) const {
  return {c.x + r * std::cos(a), c.y - r * std::sin(a)};
}

void Painter::appendSegment(std::vector<Point2>& pts, Point2 p0, Point2 p1, double bulge) const {
  ArcGeom arc;
  if (!bulgeArc(p0, p1, bulge, arc)) {
    pts.push_back(dev(p1));
    return;
  }
  const Point2 c = dev(arc.c);
  const double r = arc.r * view_.s;
  const std::vector<double> angles = arcAngles(c, r, arc.a0, arc.sweep);
  for (std::size_t i = 1; i < angles.size(); ++i) pts.push_back(arcPoint(c, r, angles[i]));
  pts.back() = dev(p1);
}

void Painter::strokePoints(const std::vector<Point2>& pts, Rgb color) {
  if (pts.empty()) return;
  begin(Batch::Stroke, color);
  if (pts.size() == 1) {
    Point2 p = pts[0];
    if (!insideRect(guard_, p)) return;
    cairo_move_to(cr_, p.x, p.y);
    cairo_line_to(cr_, p.x, p.y);
    ++segments_;
    penValid_ = false;
    return;
  }
  penValid_ = false;
  for (std::size_t i = 1; i < pts.size(); ++i) {
    Point2 a = pts[i - 1], b = pts[i];
    if (!finite(a) || !finite(b) || !clipSegment(a, b, guard_)) {
      penValid_ = false;
      continue;
    }
    if (!penValid_ || !(pen_ == a)) cairo_move_to(cr_, a.x, a.y);
    cairo_line_to(cr_, b.x, b.y);
    pen_ = b;
    penValid_ = true;
    ++segments_;
  }
  penValid_ = false;
}

void Painter::addLoop(std::vector<Point2> pts, bool normalize) {
  for (Point2 p : pts) {
    if (!finite(p)) return;
  }
  bool inside = true;
  for (Point2 p : pts) inside = inside && insideRect(guard_, p);
  if (!inside) {
    for (int side = 0; side < 4 && !pts.empty(); ++side) pts = clipEdge(pts, guard_, side);
  }
  if (pts.size() < 3) return;
  if (normalize) {
    const double a = signedArea(pts);
    if (a == 0) return;
    if (a < 0) std::reverse(pts.begin(), pts.end());
  }
  cairo_move_to(cr_, pts[0].x, pts[0].y);
  for (std::size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr_, pts[i].x, pts[i].y);
  cairo_close_path(cr_);
  segments_ += pts.size();
}

void Painter::fillUnion(std::vector<Point2> pts, Rgb color) {
  begin(Batch::FillUnion, color);
  addLoop(std::move(pts), true);
}

// ---- primitives ----------------------------------------------------------------------------

void Painter::draw(const Primitive& p, Rgb background) {
  std::visit([&](const auto& prim) {
    const Rgb color = resolveColor(prim.color, background);
    drawOne(prim, color);
  }, p);
}

void Painter::drawOne(const LinePrim& l, Rgb color) {
  if (!visibleWorld(primitiveExtents(l))) return;
  if (l.width * view_.s > opt_.hairline) {
    PolylinePrim pl;
    pl.vertices = {{l.a, l.width, l.width, 0}, {l.b, l.width, l.width, 0}};
    drawOne(pl, color);
    return;
  }
  strokePoints({dev(l.a), dev(l.b)}, color);
}

Painter::Band Painter::band(Point2 p0, Point2 p1, double bulge, double w0, double w1) const {
  Band b;
  const double h0 = w0 * view_.s / 2, h1 = w1 * view_.s / 2;
  ArcGeom arc;
  if (bulgeArc(p0, p1, bulge, arc)) {
    const Point2 c = dev(arc.c);
    const double r = arc.r * view_.s;
    const std::vector<double> angles = arcAngles(c, r, arc.a0, arc.sweep);
    // Side A lies to the left of the direction of travel (the tangent turned by +90 degrees
    // in device coordinates): outward on counter-clockwise arcs, inward on clockwise ones.
    const double sideA = arc.sweep > 0 ? 1.0 : -1.0;
    std::vector<Point2> sideB;
    for (double a : angles) {
      const double t = std::clamp((a - arc.a0) / arc.sweep, 0.0, 1.0);
      const double h = (h0 + (h1 - h0) * t) * sideA;
      const Point2 e{std::cos(a), -std::sin(a)};
      const Point2 on = arcPoint(c, r, a);
      b.outline.push_back(add(on, mul(e, h)));
      sideB.push_back(sub(on, mul(e, h)));
    }
    b.startA = b.outline.front();
    b.endA = b.outline.back();
    b.startB = sideB.front();
    b.endB = sideB.back();
    b.outline.insert(b.outline.end(), sideB.rbegin(), sideB.rend());
    auto tangent = [&](double a) { return mul(Point2{-std::sin(a), -std::cos(a)}, sideA); };
    b.startDir = tangent(angles.front());
    b.endDir = tangent(angles.back());
    b.straight = false;
  } else {
    const Point2 d0 = dev(p0), d1 = dev(p1);
    const Point2 d = sub(d1, d0);
    const double len = std::hypot(d.x, d.y);
    if (!(len > 0) || !finite(len)) return b;
    const Point2 n{-d.y / len, d.x / len};
    b.startA = add(d0, mul(n, h0));
    b.endA = add(d1, mul(n, h1));
    b.endB = sub(d1, mul(n, h1));
    b.startB = sub(d0, mul(n, h0));
    b.outline = {b.startA, b.endA, b.endB, b.startB};
    b.startDir = b.endDir = mul(d, 1 / len);
    b.straight = true;
  }
  b.ok = true;
  return b;
}

void Painter::join(const Band& prev, const Band& next, Point2 vertex, Rgb color) {
  // Bevels on both sides close the wedge between the bands; between straight bands the
  // outer side is mitred while the mitre stays within four half widths of the vertex.
  fillUnion({vertex, prev.endA, next.startA}, color);
  fillUnion({vertex, prev.endB, next.startB}, color);
  if (!prev.straight || !next.straight) return;
  // Turning towards side A makes side B the outer one.
  const bool outerIsA = cross(prev.endDir, next.startDir) < 0;
  const Point2 pe = outerIsA ? prev.endA : prev.endB;
  const Point2 ns = outerIsA ? next.startA : next.startB;
  const Point2 dp = outerIsA ? sub(prev.endA, prev.startA) : sub(prev.endB, prev.startB);
  const Point2 dn = outerIsA ? sub(next.endA, next.startA) : sub(next.endB, next.startB);
  const double denom = cross(dp, dn);
  if (std::fabs(denom) < 1e-12) return;
  const double t = cross(sub(ns, pe), dn) / denom;
  const Point2 miter = add(pe, mul(dp, t));
  const double half = std::hypot(pe.x - vertex.x, pe.y - vertex.y);
  if (!finite(miter) || std::hypot(miter.x - vertex.x, miter.y - vertex.y) > 4 * half) return;
  fillUnion({vertex, pe, miter, ns}, color);
}

void Painter::drawOne(const PolylinePrim& pl, Rgb color) {
  if (!validPolyline(pl) || !visibleWorld(primitiveExtents(pl))) return;
  const auto& v = pl.vertices;
  const std::size_t n = v.size();
  if (n == 1) {
    strokePoints({dev(v[0].p)}, color);
    return;
  }
  const std::size_t segments = pl.closed ? n : n - 1;
  std::vector<Point2> thin;
  std::vector<Band> bands(segments);
  for (std::size_t i = 0; i < segments; ++i) {
    const auto& a = v[i];
    const auto& b = v[(i + 1) % n];
    double w0 = std::max(0.0, a.startWidth), w1 = std::max(0.0, a.endWidth);
    if (pl.constantWidth > 0) w0 = w1 = pl.constantWidth;
    if (std::max(w0, w1) * view_.s > opt_.hairline) {
      if (!thin.empty()) {
        strokePoints(thin, color);
        thin.clear();
      }
      bands[i] = band(a.p, b.p, a.bulge, w0, w1);
      if (bands[i].ok) fillUnion(bands[i].outline, color);
      if (i > 0 && bands[i - 1].ok && bands[i].ok) join(bands[i - 1], bands[i], dev(a.p), color);
      continue;
    }
    if (thin.empty()) thin.push_back(dev(a.p));
    appendSegment(thin, a.p, b.p, a.bulge);
  }
  if (!thin.empty()) strokePoints(thin, color);
  if (pl.closed && segments > 1 && bands.back().ok && bands.front().ok)
    join(bands.back(), bands.front(), dev(v[0].p), color);
}

void Painter::drawOne(const CirclePrim& c, Rgb color) {
  if (!visibleWorld(primitiveExtents(c))) return;
  const Point2 d = dev(c.center);
  const double r = c.radius * view_.s;
  std::vector<Point2> pts;
  for (double a : arcAngles(d, r, 0, kTwoPi)) pts.push_back(arcPoint(d, r, a));
  strokePoints(pts, color);
}

void Painter::drawOne(const ArcPrim& a, Rgb color) {
  if (!visibleWorld(primitiveExtents(a))) return;
  const Point2 d = dev(a.center);
  const double r = a.radius * view_.s;
  std::vector<Point2> pts;
  for (double t : arcAngles(d, r, a.startAngle, arcSweep(a.startAngle, a.endAngle)))
    pts.push_back(arcPoint(d, r, t));
  strokePoints(pts, color);
}

void Painter::drawOne(const EllipsePrim& e, Rgb color) {
  if (!visibleWorld(primitiveExtents(e))) return;
  const Point2 c = dev(e.center);
  const Point2 u{e.u.x * view_.s, -e.u.y * view_.s}, v{e.v.x * view_.s, -e.v.y * view_.s};
  // Steps fine enough for the larger semi-axis bound the chord error everywhere.
  const double r = std::hypot(u.x, u.y) + std::hypot(v.x, v.y);
  if (!finite(r)) return;
  const double sweep = arcSweep(e.startParam, e.endParam);
  const double step = r > opt_.tolerance
                          ? std::min(kPi / 4, 2 * std::acos(1 - opt_.tolerance / r))
                          : kPi / 4;
  const double n = std::clamp(std::ceil(sweep / step), 1.0, kMaxArcSegments);
  std::vector<Point2> pts;
  pts.reserve(static_cast<std::size_t>(n) + 1);
  for (double i = 0; i <= n; ++i) {
    const double t = e.startParam + sweep * i / n;
    pts.push_back(add(c, add(mul(u, std::cos(t)), mul(v, std::sin(t)))));
  }
  strokePoints(pts, color);
}

void Painter::drawOne(const FillPrim& f, Rgb color) {
  if (!visibleWorld(primitiveExtents(f))) return;
  flush();
  begin(f.rule == FillPrim::Rule::EvenOdd ? Batch::FillEvenOdd : Batch::FillNonZero, color);
  // Loops with fewer than three corners enclose nothing; they still show as a line or a dot.
  std::vector<std::vector<Point2>> degenerate;
  for (const auto& loop : f.loops) {
    const std::size_t n = loop.points.size();
    if (n == 0) continue;
    const bool bulged = loop.bulges.size() == n;
    std::vector<Point2> pts{dev(loop.points[0])};
    for (std::size_t i = 0; i < n; ++i)
      appendSegment(pts, loop.points[i], loop.points[(i + 1) % n], bulged ? loop.bulges[i] : 0);
    pts.pop_back();  // the closing point repeats the first
    if (pts.size() < 3) degenerate.push_back(std::move(pts));
    else addLoop(std::move(pts), false);
  }
  flush();
  for (const auto& pts : degenerate) strokePoints(pts, color);
}

void Painter::drawOne(const PointPrim& p, Rgb color) {
  if (!finite(p.p)) return;
  const Point2 d = dev(p.p);
  if (!finite(d) || !insideRect(visible_, d)) return;
  const double h = std::max(opt_.hairline, 1.0) / 2;
  fillUnion({{d.x - h, d.y - h}, {d.x + h, d.y - h}, {d.x + h, d.y + h}, {d.x - h, d.y + h}},
            color);
}

void Painter::drawOne(const TextPrim& t, Rgb color) { drawRuns(placeText(t), color); }
void Painter::drawOne(const MTextPrim& m, Rgb color) { drawRuns(placeMText(m), color); }

void Painter::drawRuns(const std::vector<PlacedRun>& runs, Rgb color) {
  if (runs.empty()) return;
  flush();
  for (const PlacedRun& r : runs) {
    const Affine full = toDevice_.after(r.toWorld);
    Point2 box[4];
    if (!full.finite() || !runBox(r, box) || !r.run.hasInk) continue;
    Extents e;
    for (Point2 p : box) e.add(full.apply(p));
    if (!e.valid || e.maxX < visible_.x0 || e.minX > visible_.x1 || e.maxY < visible_.y0 ||
        e.minY > visible_.y1)
      continue;
    const double det = std::fabs(full.xx * full.yy - full.xy * full.yx);
    const double devCap = r.capHeight * std::sqrt(det);
    if (!(devCap > 0.05)) continue;  // smaller than a twentieth of a pixel
    // cairo's own glyph drawing fails on huge sizes; those are filled as clipped outlines.
    if (devCap < kMaxGlyphSize && insideRect(guard_, {e.minX, e.minY}) &&
        insideRect(guard_, {e.maxX, e.maxY})) {
      showGlyphs(r, full, color);
    } else {
      fillGlyphOutlines(r, full, color);
    }
  }
}

void Painter::showGlyphs(const PlacedRun& r, const Affine& full, Rgb color) {
  cairo_matrix_t m = full.toCairo();
  cairo_matrix_t inv = m;
  if (cairo_matrix_invert(&inv) != CAIRO_STATUS_SUCCESS) return;
  cairo_save(cr_);
  cairo_set_matrix(cr_, &m);
  cairo_set_font_face(cr_, font().face);
  cairo_set_font_size(cr_, kRefSize);
  cairo_set_font_options(cr_, fontOptions_);
  cairo_set_source_rgb(cr_, color.r / 255.0, color.g / 255.0, color.b / 255.0);
  cairo_show_glyphs(cr_, r.run.glyphs.data(), static_cast<int>(r.run.glyphs.size()));
  cairo_restore(cr_);
}

void Painter::fillGlyphOutlines(const PlacedRun& r, const Affine& full, Rgb color) {
  // Outlines are taken one glyph at a time at the origin, at a large size for precision,
  // then mapped and clipped here in double precision.
  constexpr double kOutlineSize = 16384;  // FreeType refuses sizes from 65536 on
  constexpr double kToRef = kRefSize / kOutlineSize;
  const double pxPerUnit = std::sqrt(std::fabs(full.xx * full.yy - full.xy * full.yx)) * kToRef;
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* sc = cairo_create(scratch);
  cairo_set_font_face(sc, font().face);
  cairo_set_font_size(sc, kOutlineSize);
  cairo_set_font_options(sc, fontOptions_);
  cairo_set_tolerance(sc, std::clamp(opt_.tolerance / pxPerUnit, 0.01, 1.0));
  begin(Batch::FillNonZero, color);
  for (const cairo_glyph_t& g : r.run.glyphs) {
    cairo_text_extents_t te;
    cairo_glyph_t at{g.index, 0, 0};
    cairo_glyph_extents(sc, &at, 1, &te);
    if (te.width <= 0 || te.height <= 0) continue;
    auto map = [&](double x, double y) { return full.apply({x * kToRef + g.x, y * kToRef + g.y}); };
    Extents ge;
    ge.add(map(te.x_bearing, te.y_bearing));
    ge.add(map(te.x_bearing + te.width, te.y_bearing));
    ge.add(map(te.x_bearing, te.y_bearing + te.height));
    ge.add(map(te.x_bearing + te.width, te.y_bearing + te.height));
    if (!ge.valid || ge.maxX < visible_.x0 || ge.minX > visible_.x1 || ge.maxY < visible_.y0 ||
        ge.minY > visible_.y1)
      continue;
    cairo_new_path(sc);
    cairo_glyph_path(sc, &at, 1);
    cairo_path_t* path = cairo_copy_path_flat(sc);
    std::vector<Point2> loop;
    auto finishLoop = [&] {
      if (loop.size() >= 3) addLoop(std::move(loop), false);
      loop.clear();
    };
    for (int i = 0; path->status == CAIRO_STATUS_SUCCESS && i < path->num_data;
         i += path->data[i].header.length) {
      const cairo_path_data_t& d = path->data[i];
      if (d.header.type == CAIRO_PATH_MOVE_TO) finishLoop();
      if (d.header.type == CAIRO_PATH_MOVE_TO || d.header.type == CAIRO_PATH_LINE_TO)
        loop.push_back(map(path->data[i + 1].point.x, path->data[i + 1].point.y));
      if (d.header.type == CAIRO_PATH_CLOSE_PATH) finishLoop();
    }
    finishLoop();
    cairo_path_destroy(path);
  }
  flush();
  cairo_destroy(sc);
  cairo_surface_destroy(scratch);
}

}  // namespace host::render::detail
