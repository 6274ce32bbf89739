// TransformTest.cpp - primitives mapped through block transforms keep their shapes.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "TestSupport.h"

using namespace host::render;

namespace {

constexpr double kPi = std::numbers::pi;

// Points along an arc of a bulged segment, computed independently of the library.
void sampleBulge(std::vector<Point2>& out, Point2 p0, Point2 p1, double bulge) {
  if (bulge == 0) {
    out.push_back(p0);
    out.push_back(p1);
    return;
  }
  const double theta = 4 * std::atan(bulge);
  const double chord = std::hypot(p1.x - p0.x, p1.y - p0.y);
  const double r = chord / (2 * std::sin(std::fabs(theta) / 2));
  const Point2 mid{(p0.x + p1.x) / 2, (p0.y + p1.y) / 2};
  const double h = std::sqrt(std::max(0.0, r * r - chord * chord / 4));
  const Point2 n{-(p1.y - p0.y) / chord, (p1.x - p0.x) / chord};
  // Small counter-clockwise arcs have their centre on the chord's left.
  const double side = (std::fabs(theta) < kPi) == (theta > 0) ? 1 : -1;
  const Point2 c{mid.x + n.x * h * side, mid.y + n.y * h * side};
  const double a0 = std::atan2(p0.y - c.y, p0.x - c.x);
  for (int i = 0; i <= 2000; ++i) {
    const double a = a0 + theta * i / 2000;
    out.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
}

std::vector<Point2> samples(const Primitive& p) {
  std::vector<Point2> out;
  if (auto* c = std::get_if<CirclePrim>(&p)) {
    for (int i = 0; i < 4000; ++i) {
      const double a = 2 * kPi * i / 4000;
      out.push_back({c->center.x + c->radius * std::cos(a), c->center.y + c->radius * std::sin(a)});
    }
  } else if (auto* a = std::get_if<ArcPrim>(&p)) {
    double end = a->endAngle;
    while (end <= a->startAngle) end += 2 * kPi;
    for (int i = 0; i <= 4000; ++i) {
      const double t = a->startAngle + (end - a->startAngle) * i / 4000;
      out.push_back({a->center.x + a->radius * std::cos(t), a->center.y + a->radius * std::sin(t)});
    }
  } else if (auto* pl = std::get_if<PolylinePrim>(&p)) {
    for (std::size_t i = 0; i + 1 < pl->vertices.size(); ++i)
      sampleBulge(out, pl->vertices[i].p, pl->vertices[i + 1].p, pl->vertices[i].bulge);
  }
  return out;
}

Extents boxOf(const std::vector<Point2>& pts, const Transform2D& m) {
  Extents e;
  for (Point2 p : pts) e.add(m.apply(p));
  return e;
}

}  // namespace

TEST(RenderTransformTest, BlockTransformMovesBasePointToInsertion) {
  const Transform2D m = blockTransform({1, 1}, {10, 20}, 2, 3, kPi / 2);
  const Point2 base = m.apply({1, 1});
  EXPECT_NEAR(base.x, 10, 1e-12);
  EXPECT_NEAR(base.y, 20, 1e-12);
  const Point2 p = m.apply({2, 1});  // one unit along x: scaled by 2, then turned up
  EXPECT_NEAR(p.x, 10, 1e-12);
  EXPECT_NEAR(p.y, 22, 1e-12);
  const Point2 q = m.apply({1, 2});  // one unit along y: scaled by 3, then turned left
  EXPECT_NEAR(q.x, 7, 1e-12);
  EXPECT_NEAR(q.y, 20, 1e-12);
}

TEST(RenderTransformTest, CurvesKeepTheirShapeUnderBlockTransforms) {
  const Primitive shapes[] = {
      CirclePrim{{3, 4}, 2, {}},
      ArcPrim{{1, -1}, 3, kPi / 6, kPi * 0.9, {}},
      ArcPrim{{0, 0}, 1, kPi * 1.5, kPi / 4, {}},  // through angle 0
      PolylinePrim{{{{0, 0}, 0, 0, 1}, {{4, 0}, 0, 0, -0.4}, {{6, 1}, 0, 0, 0}}, false, 0, {}},
  };
  const Transform2D maps[] = {
      blockTransform({0, 0}, {5, 5}, 1, 1, 0.7),
      blockTransform({1, 2}, {-3, 8}, 2.5, 2.5, -2),
      blockTransform({0, 0}, {0, 0}, -1, 1, 0),       // mirrored in x
      blockTransform({0, 0}, {2, 0}, 1.5, -1.5, 1),  // mirrored in y, turned
      blockTransform({0, 0}, {0, 0}, 3, 0.5, 0.3),   // uneven scale
      Transform2D{1, 0, 0.5, 1, 0, 0},               // shear
  };
  int shape = 0;
  for (const Primitive& p : shapes) {
    int map = 0;
    for (const Transform2D& m : maps) {
      const Extents want = boxOf(samples(p), m);
      const Extents got = primitiveExtents(transformed(p, m));
      ASSERT_TRUE(got.valid);
      const double tol = 2e-3 * std::max(want.width(), want.height());
      EXPECT_NEAR(got.minX, want.minX, tol) << "shape " << shape << " map " << map;
      EXPECT_NEAR(got.maxX, want.maxX, tol) << "shape " << shape << " map " << map;
      EXPECT_NEAR(got.minY, want.minY, tol) << "shape " << shape << " map " << map;
      EXPECT_NEAR(got.maxY, want.maxY, tol) << "shape " << shape << " map " << map;
      ++map;
    }
    ++shape;
  }
  // Similarities keep circles as circles; uneven scales make ellipses.
  EXPECT_TRUE(std::holds_alternative<CirclePrim>(transformed(shapes[0], maps[2])));
  EXPECT_NEAR(std::get<CirclePrim>(transformed(shapes[0], maps[1])).radius, 5, 1e-12);
  EXPECT_TRUE(std::holds_alternative<EllipsePrim>(transformed(shapes[0], maps[4])));
  EXPECT_TRUE(std::holds_alternative<EllipsePrim>(transformed(shapes[1], maps[5])));
}

TEST(RenderTransformTest, WidthsScaleWithTheBlock) {
  PolylinePrim pl;
  pl.vertices = {{{0, 0}, 1, 0.5, 0}, {{10, 0}, 0, 0, 0}};
  pl.constantWidth = 0;
  const auto r = std::get<PolylinePrim>(transformed(pl, blockTransform({}, {}, -2, 2, 0)));
  EXPECT_NEAR(r.vertices[0].startWidth, 2, 1e-12);
  EXPECT_NEAR(r.vertices[0].endWidth, 1, 1e-12);
  const auto l = std::get<LinePrim>(transformed(LinePrim{{0, 0}, {1, 0}, 0.5, {}},
                                                blockTransform({}, {}, 4, 4, 1)));
  EXPECT_NEAR(l.width, 2, 1e-12);
}

TEST(RenderTransformTest, TextsFollowAnyTransform) {
  TextPrim t;
  t.text = "Sign";
  t.height = 2;
  t.insert = {1, 1};
  const Extents plain = textExtents(t);
  struct Case {
    const char* what;
    Transform2D m;
  } cases[] = {
      {"mirrored", blockTransform({0, 0}, {50, 0}, -1, 1, 0)},
      {"uneven", blockTransform({0, 0}, {0, 0}, 3, 0.5, 0)},
      {"upside down", blockTransform({0, 0}, {0, 0}, 1, -2, 0)},
  };
  for (const Case& c : cases) {
    const Primitive p = transformed(t, c.m);
    Extents want;
    want.add(c.m.apply({plain.minX, plain.minY}));
    want.add(c.m.apply({plain.maxX, plain.maxY}));
    const Extents got = primitiveExtents(p);
    ASSERT_TRUE(got.valid) << c.what;
    EXPECT_NEAR(got.minX, want.minX, 1e-9) << c.what;
    EXPECT_NEAR(got.maxX, want.maxX, 1e-9) << c.what;
    EXPECT_NEAR(got.minY, want.minY, 1e-9) << c.what;
    EXPECT_NEAR(got.maxY, want.maxY, 1e-9) << c.what;
  }
  // The mirrored text is drawn mirrored: its picture is the plain one flipped.
  Scene plainScene, mirroredScene;
  plainScene.add(t);
  mirroredScene.add(transformed(t, cases[0].m));
  RenderOptions opt;
  opt.width = 400;
  opt.height = 200;
  auto a = renderImage(plainScene, opt), b = renderImage(mirroredScene, opt);
  ASSERT_TRUE(a && b);
  int ink = 0, differing = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 400; ++x) {
      const int p = render_test::pixel(*a, x, y).r, q = render_test::pixel(*b, 399 - x, y).r;
      ink += p > 128;
      differing += std::abs(p - q) > 64;
    }
  }
  EXPECT_GT(ink, 2000);
  EXPECT_LT(differing, ink / 100);

  MTextPrim m;
  m.text = "A\nB";
  m.location = {0, 0};
  const Extents mplain = mtextExtents(m);
  const Extents moved = primitiveExtents(transformed(m, Transform2D::translation(10, 0)));
  EXPECT_NEAR(moved.minX, mplain.minX + 10, 1e-9);
}
