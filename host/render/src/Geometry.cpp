// Geometry.cpp - extents of primitives and the circular-arc helpers behind them.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Internal.h"

namespace host::render {

void Extents::add(Point2 p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (!valid) {
    minX = maxX = p.x;
    minY = maxY = p.y;
    valid = true;
    return;
  }
  minX = std::min(minX, p.x);
  maxX = std::max(maxX, p.x);
  minY = std::min(minY, p.y);
  maxY = std::max(maxY, p.y);
}

void Extents::merge(const Extents& e) {
  if (!e.valid) return;
  add(Point2{e.minX, e.minY});
  add(Point2{e.maxX, e.maxY});
}

namespace detail {

bool bulgeArc(Point2 p0, Point2 p1, double bulge, ArcGeom& out) {
  if (!finite(bulge) || bulge == 0 || !finite(p0) || !finite(p1)) return false;
  const double dx = p1.x - p0.x, dy = p1.y - p0.y;
  const double d = std::hypot(dx, dy);
  if (!(d > 0) || !finite(d)) return false;
  // The centre lies off the chord's midpoint along its left normal.
  const double off = d / 2 * (1 - bulge * bulge) / (2 * bulge);
  if (!finite(off)) return false;
  out.c = {(p0.x + p1.x) / 2 - dy / d * off, (p0.y + p1.y) / 2 + dx / d * off};
  out.r = std::hypot(p0.x - out.c.x, p0.y - out.c.y);
  out.a0 = std::atan2(p0.y - out.c.y, p0.x - out.c.x);
  out.sweep = 4 * std::atan(bulge);
  return finite(out.r) && finite(out.c);
}

void addArcExtents(Extents& e, Point2 c, double r, double a0, double sweep) {
  constexpr double kTwoPi = 2 * std::numbers::pi;
  double start = a0, len = sweep;
  if (len < 0) {
    start += len;
    len = -len;
  }
  e.add(Point2{c.x + r * std::cos(a0), c.y + r * std::sin(a0)});
  e.add(Point2{c.x + r * std::cos(a0 + sweep), c.y + r * std::sin(a0 + sweep)});
  for (int q = 0; q < 4; ++q) {
    const double axis = q * std::numbers::pi / 2;
    double rel = std::fmod(axis - start, kTwoPi);
    if (rel < 0) rel += kTwoPi;
    if (rel <= len || len >= kTwoPi) {
      e.add(Point2{c.x + r * std::cos(axis), c.y + r * std::sin(axis)});
    }
  }
}

double arcSweep(double startAngle, double endAngle) {
  constexpr double kTwoPi = 2 * std::numbers::pi;
  double sweep = std::fmod(endAngle - startAngle, kTwoPi);
  if (sweep <= 0) sweep += kTwoPi;
  return sweep;
}

namespace {

// Adds a segment of width w0 -> w1 drawn as a band (its corners, or its arc grown by the
// larger half width).
void addSegment(Extents& e, Point2 p0, Point2 p1, double bulge, double w0, double w1) {
  ArcGeom arc;
  const double hw = std::max(w0, w1) / 2;
  if (bulgeArc(p0, p1, bulge, arc)) {
    Extents a;
    addArcExtents(a, arc.c, arc.r, arc.a0, arc.sweep);
    if (a.valid && hw > 0) {
      a.minX -= hw;
      a.minY -= hw;
      a.maxX += hw;
      a.maxY += hw;
    }
    e.merge(a);
    return;
  }
  e.add(p0);
  e.add(p1);
  const double dx = p1.x - p0.x, dy = p1.y - p0.y, d = std::hypot(dx, dy);
  if (hw > 0 && d > 0) {
    const double nx = -dy / d, ny = dx / d;
    e.add(Point2{p0.x + nx * w0 / 2, p0.y + ny * w0 / 2});
    e.add(Point2{p0.x - nx * w0 / 2, p0.y - ny * w0 / 2});
    e.add(Point2{p1.x + nx * w1 / 2, p1.y + ny * w1 / 2});
    e.add(Point2{p1.x - nx * w1 / 2, p1.y - ny * w1 / 2});
  }
}

struct ExtentsOf {
  Extents operator()(const LinePrim& l) const {
    Extents e;
    if (!finite(l.a) || !finite(l.b) || !finite(l.width)) return e;
    addSegment(e, l.a, l.b, 0, std::max(0.0, l.width), std::max(0.0, l.width));
    return e;
  }
  Extents operator()(const PolylinePrim& p) const {
    Extents e;
    if (!validPolyline(p)) return e;
    const std::size_t n = p.vertices.size();
    if (n == 1) e.add(p.vertices[0].p);
    const std::size_t segments = p.closed ? n : n - 1;
    for (std::size_t i = 0; i < segments && n > 1; ++i) {
      const auto& v = p.vertices[i];
      const auto& next = p.vertices[(i + 1) % n];
      double w0 = v.startWidth, w1 = v.endWidth;
      if (p.constantWidth > 0) w0 = w1 = p.constantWidth;
      addSegment(e, v.p, next.p, v.bulge, std::max(0.0, w0), std::max(0.0, w1));
    }
    return e;
  }
  Extents operator()(const CirclePrim& c) const {
    Extents e;
    if (!finite(c.center) || !finite(c.radius) || c.radius < 0) return e;
    e.add(Point2{c.center.x - c.radius, c.center.y - c.radius});
    e.add(Point2{c.center.x + c.radius, c.center.y + c.radius});
    return e;
  }
  Extents operator()(const ArcPrim& a) const {
    Extents e;
    if (!finite(a.center) || !finite(a.radius) || a.radius < 0 || !finite(a.startAngle) ||
        !finite(a.endAngle))
      return e;
    addArcExtents(e, a.center, a.radius, a.startAngle, arcSweep(a.startAngle, a.endAngle));
    return e;
  }
  Extents operator()(const EllipsePrim& el) const {
    Extents e;
    if (!validEllipse(el)) return e;
    const double sweep = arcSweep(el.startParam, el.endParam);
    auto at = [&](double t) {
      return Point2{el.center.x + el.u.x * std::cos(t) + el.v.x * std::sin(t),
                    el.center.y + el.u.y * std::cos(t) + el.v.y * std::sin(t)};
    };
    e.add(at(el.startParam));
    e.add(at(el.startParam + sweep));
    // x and y are extreme where their derivatives vanish: tan t = v / u per coordinate.
    const double tx = std::atan2(el.v.x, el.u.x), ty = std::atan2(el.v.y, el.u.y);
    for (double t : {tx, tx + std::numbers::pi, ty, ty + std::numbers::pi}) {
      double rel = std::fmod(t - el.startParam, 2 * std::numbers::pi);
      if (rel < 0) rel += 2 * std::numbers::pi;
      if (rel <= sweep) e.add(at(t));
    }
    return e;
  }
  Extents operator()(const FillPrim& f) const {
    Extents e;
    if (!validFill(f)) return e;
    for (const auto& loop : f.loops) {
      const std::size_t n = loop.points.size();
      const bool bulged = loop.bulges.size() == n;
      for (std::size_t i = 0; i < n; ++i) {
        addSegment(e, loop.points[i], loop.points[(i + 1) % n], bulged ? loop.bulges[i] : 0, 0,
                   0);
      }
    }
    return e;
  }
  Extents operator()(const PointPrim& p) const {
    Extents e;
    e.add(p.p);
    return e;
  }
  Extents operator()(const TextPrim& t) const { return textExtents(t); }
  Extents operator()(const MTextPrim& m) const { return mtextExtents(m); }
};

}  // namespace

bool validPolyline(const PolylinePrim& p) {
  if (p.vertices.empty() || !finite(p.constantWidth)) return false;
  for (const auto& v : p.vertices) {
    if (!finite(v.p) || !finite(v.startWidth) || !finite(v.endWidth) || !finite(v.bulge))
      return false;
  }
  return true;
}

bool validEllipse(const EllipsePrim& e) {
  return finite(e.center) && finite(e.u) && finite(e.v) && finite(e.startParam) &&
         finite(e.endParam);
}

bool validFill(const FillPrim& f) {
  bool any = false;
  for (const auto& loop : f.loops) {
    for (Point2 p : loop.points) {
      if (!finite(p)) return false;
    }
    for (double b : loop.bulges) {
      if (!finite(b)) return false;
    }
    any = any || !loop.points.empty();
  }
  return any;
}

}  // namespace detail

Extents primitiveExtents(const Primitive& p) { return std::visit(detail::ExtentsOf{}, p); }

Extents sceneExtents(const Scene& scene) {
  Extents e;
  for (const Primitive& p : scene.items) e.merge(primitiveExtents(p));
  return e;
}

}  // namespace host::render
