// Transform.cpp - primitives mapped through affine transforms.
#include "host/render/Transform.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Internal.h"

namespace host::render {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Straight pieces a full turn of a bulged segment is cut into under uneven maps.
constexpr double kPiecesPerTurn = 64;

bool isSimilarity(const Transform2D& m) {
  const double c1 = m.a * m.a + m.b * m.b, c2 = m.c * m.c + m.d * m.d;
  const double dot = m.a * m.c + m.b * m.d;
  const double scale = std::max(c1, c2);
  return scale > 0 && std::fabs(c1 - c2) <= 1e-9 * scale && std::fabs(dot) <= 1e-9 * scale;
}

// Replaces the bulged segments of a vertex chain by straight pieces with interpolated
// widths. `closed` adds the segment from the last vertex back to the first.
std::vector<PolylinePrim::Vertex> flattenBulges(const std::vector<PolylinePrim::Vertex>& in,
                                                bool closed) {
  std::vector<PolylinePrim::Vertex> out;
  const std::size_t n = in.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto& v = in[i];
    const bool hasNext = i + 1 < n || closed;
    detail::ArcGeom arc;
    if (!hasNext || !detail::bulgeArc(v.p, in[(i + 1) % n].p, v.bulge, arc)) {
      out.push_back({v.p, v.startWidth, v.endWidth, 0});
      continue;
    }
    const double pieces =
        std::clamp(std::ceil(std::fabs(arc.sweep) / kTwoPi * kPiecesPerTurn), 2.0, 1024.0);
    for (double k = 0; k < pieces; ++k) {
      const double t0 = k / pieces, t1 = (k + 1) / pieces;
      const double a = arc.a0 + arc.sweep * t0;
      const Point2 p = k == 0 ? v.p : Point2{arc.c.x + arc.r * std::cos(a), arc.c.y + arc.r * std::sin(a)};
      out.push_back({p, v.startWidth + (v.endWidth - v.startWidth) * t0,
                     v.startWidth + (v.endWidth - v.startWidth) * t1, 0});
    }
  }
  return out;
}

struct Mapper {
  const Transform2D& m;
  bool similar;
  double k;       // length factor
  double mirror;  // -1 when the map reverses orientation

  Primitive operator()(const LinePrim& l) const {
    LinePrim r = l;
    r.a = m.apply(l.a);
    r.b = m.apply(l.b);
    r.width = l.width * k;
    return r;
  }
  Primitive operator()(const PolylinePrim& p) const {
    PolylinePrim r = p;
    if (!similar) r.vertices = flattenBulges(p.vertices, p.closed);
    for (auto& v : r.vertices) {
      v.p = m.apply(v.p);
      v.startWidth *= k;
      v.endWidth *= k;
      v.bulge *= mirror;
    }
    r.constantWidth = p.constantWidth * k;
    return r;
  }
  Primitive operator()(const CirclePrim& c) const {
    if (similar) {
      CirclePrim r = c;
      r.center = m.apply(c.center);
      r.radius = c.radius * k;
      return r;
    }
    return EllipsePrim{m.apply(c.center), m.applyVector({c.radius, 0}),
                       m.applyVector({0, c.radius}), 0, 0, c.color};
  }
  Primitive operator()(const ArcPrim& a) const {
    if (similar) {
      ArcPrim r = a;
      r.center = m.apply(a.center);
      r.radius = a.radius * k;
      const double turn = std::atan2(m.b, m.a);
      if (mirror > 0) {
        r.startAngle = a.startAngle + turn;
        r.endAngle = a.endAngle + turn;
      } else {
        // A reflection sends angle x to turn - x and reverses the direction of travel.
        r.startAngle = turn - a.endAngle;
        r.endAngle = turn - a.startAngle;
      }
      return r;
    }
    const double sweep = detail::arcSweep(a.startAngle, a.endAngle);
    return EllipsePrim{m.apply(a.center), m.applyVector({a.radius, 0}),
                       m.applyVector({0, a.radius}), a.startAngle, a.startAngle + sweep,
                       a.color};
  }
  Primitive operator()(const EllipsePrim& e) const {
    EllipsePrim r = e;
    r.center = m.apply(e.center);
    r.u = m.applyVector(e.u);
    r.v = m.applyVector(e.v);
    return r;
  }
  Primitive operator()(const FillPrim& f) const {
    FillPrim r = f;
    for (auto& loop : r.loops) {
      const bool bulged = loop.bulges.size() == loop.points.size();
      if (!similar && bulged) {
        std::vector<PolylinePrim::Vertex> chain;
        for (std::size_t i = 0; i < loop.points.size(); ++i)
          chain.push_back({loop.points[i], 0, 0, loop.bulges[i]});
        loop.points.clear();
        loop.bulges.clear();
        for (const auto& v : flattenBulges(chain, true)) loop.points.push_back(v.p);
      }
      for (auto& p : loop.points) p = m.apply(p);
      for (auto& b : loop.bulges) b *= mirror;
    }
    return r;
  }
  Primitive operator()(const PointPrim& p) const {
    PointPrim r = p;
    r.p = m.apply(p.p);
    return r;
  }
  Primitive operator()(const TextPrim& t) const {
    TextPrim r = t;
    r.transform = t.transform.then(m);
    return r;
  }
  Primitive operator()(const MTextPrim& t) const {
    MTextPrim r = t;
    r.transform = t.transform.then(m);
    return r;
  }
};

}  // namespace

Transform2D blockTransform(Point2 basePoint, Point2 insert, double sx, double sy,
                           double rotation) {
  return Transform2D::translation(-basePoint.x, -basePoint.y)
      .then(Transform2D::scaling(sx, sy))
      .then(Transform2D::rotation(rotation))
      .then(Transform2D::translation(insert.x, insert.y));
}

Primitive transformed(const Primitive& p, const Transform2D& m) {
  const double det = m.det();
  const Mapper mapper{m, isSimilarity(m), std::sqrt(std::fabs(det)), det < 0 ? -1.0 : 1.0};
  return std::visit(mapper, p);
}

void appendTransformed(Scene& dst, const Scene& src, const Transform2D& m) {
  dst.items.reserve(dst.items.size() + src.items.size());
  for (const Primitive& p : src.items) dst.items.push_back(transformed(p, m));
}

}  // namespace host::render
