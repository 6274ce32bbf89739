// OutputTest.cpp - scenes drawn to PNG, SVG, PDF and memory; fitting; degenerate input.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <numbers>

#include "TestSupport.h"

using namespace host::render;
namespace fs = std::filesystem;

namespace {

// An evacuation sign: green square, white arrow (a wide polyline ending in a tapered head)
// and a caption.
Scene signScene() {
  Scene s;
  FillPrim square;
  square.loops.push_back({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}});
  square.color = Color::aci(3);
  s.add(square);
  PolylinePrim arrow;
  arrow.vertices = {{{2, 5}, 1.2, 1.2, 0}, {{6, 5}, 3.5, 0, 0}, {{9, 5}, 0, 0, 0}};
  arrow.color = Color::aci(7);
  s.add(arrow);
  TextPrim caption;
  caption.text = "EXIT \xE2\x86\x92 Wyj\xC5\x9B" "cie";
  caption.height = 1.2;
  caption.halign = 1;
  caption.align = {5, -2};
  caption.color = Color::aci(2);
  s.add(caption);
  return s;
}

std::uintmax_t fileSize(const fs::path& p) {
  std::error_code ec;
  const auto n = fs::file_size(p, ec);
  return ec ? 0 : n;
}

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(RenderOutputTest, WritesPngSvgAndPdf) {
  const Scene scene = signScene();
  const fs::path dir = render_test::outputDir();
  RenderOptions opt;
  opt.width = 400;
  opt.height = 400;

  const fs::path png = dir / "sign.png", svg = dir / "sign.svg", pdf = dir / "sign.pdf";
  for (const auto& p : {png, svg, pdf}) fs::remove(p);
  ASSERT_EQ(renderPng(scene, png.string(), opt), Status::Ok);
  ASSERT_EQ(renderSvg(scene, svg.string(), opt), Status::Ok);
  ASSERT_EQ(renderPdf(scene, pdf.string(), opt), Status::Ok);
  EXPECT_GT(fileSize(png), 1000u);
  EXPECT_GT(fileSize(svg), 500u);
  EXPECT_GT(fileSize(pdf), 1000u);
  EXPECT_NE(readAll(svg).find("<svg"), std::string::npos);
  EXPECT_EQ(readAll(pdf).substr(0, 5), "%PDF-");

  auto back = readPng(png.string());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 400);
  EXPECT_EQ(back->height, 400);
  // The square's middle is green, the arrow's shaft white, the corner background black.
  auto img = renderImage(scene, opt);
  ASSERT_TRUE(img);
  const Extents e = sceneExtents(scene);
  const double s = std::min((400 - 32) / e.width(), (400 - 32) / e.height());
  auto at = [&](double x, double y) {
    const double px = 200 + s * (x - (e.minX + e.maxX) / 2);
    const double py = 200 - s * (y - (e.minY + e.maxY) / 2);
    return render_test::pixel(*img, static_cast<int>(px), static_cast<int>(py));
  };
  EXPECT_EQ(at(5, 8.5), (Rgb{0, 255, 0}));
  EXPECT_EQ(at(3, 5), (Rgb{255, 255, 255}));
  EXPECT_EQ(at(6.2, 6.4), (Rgb{255, 255, 255}));  // inside the arrow head
  EXPECT_EQ(at(8.9, 6.4), (Rgb{0, 255, 0}));      // beside the tip
  EXPECT_EQ(render_test::pixel(*img, 1, 1), (Rgb{0, 0, 0}));
  // The file holds the same picture as memory.
  int differing = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x)
      differing += !(render_test::pixel(*back, x, y) == render_test::pixel(*img, x, y));
  EXPECT_EQ(differing, 0);
}

TEST(RenderOutputTest, FitsExtentsWithMarginAndKeepsAspect) {
  Scene scene;
  scene.background = {255, 255, 255};
  LinePrim diag;
  diag.a = {0, 0};
  diag.b = {100, 50};
  scene.add(diag);  // colour 7 turns black on white
  RenderOptions opt;
  opt.width = 300;
  opt.height = 300;
  opt.margin = 10;
  auto img = renderImage(scene, opt);
  ASSERT_TRUE(img);
  render_test::PixelBox box;
  ASSERT_TRUE(render_test::inkBox(*img, scene.background, box));
  EXPECT_NEAR(box.x0, 10, 1.5);
  EXPECT_NEAR(box.x1, 290, 1.5);
  EXPECT_NEAR(box.y1 - box.y0, 140, 2);  // half as tall as wide
  EXPECT_NEAR((box.y0 + box.y1) / 2.0, 150, 1.5);
  // y up: the line's high end (x 100) is at the top of the picture.
  EXPECT_LT(render_test::pixel(*img, 286, box.y0 + 2).r, 128);
  EXPECT_EQ(render_test::pixel(*img, 14, box.y0 + 2), (Rgb{255, 255, 255}));
}

TEST(RenderOutputTest, TransparentRgbaKeepsBackgroundClear) {
  Scene scene;
  CirclePrim c;
  c.center = {0, 0};
  c.radius = 5;
  c.color = Color::aci(1);
  scene.add(c);
  RenderOptions opt;
  opt.width = opt.height = 64;
  opt.transparent = true;
  auto img = renderImage(scene, opt, 4);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->channels, 4);
  EXPECT_EQ(img->pixels[3], 0);  // top-left corner: transparent
  render_test::PixelBox box;
  ASSERT_TRUE(render_test::inkBox(*img, {0, 0, 0}, box));
  const auto* p = &img->pixels[(static_cast<std::size_t>(box.y0) * 64 + 32) * 4];
  EXPECT_EQ(p[0], 255);
  EXPECT_EQ(p[1], 0);
  EXPECT_GT(p[3], 100);
  EXPECT_FALSE(renderImage(scene, opt, 2));
}

TEST(RenderOutputTest, ReportsBadSizesAndPaths) {
  const Scene scene = signScene();
  RenderOptions opt;
  for (auto [w, h] : {std::pair{0, 10}, {10, -1}, {20000, 10}, {16384, 16384}}) {
    opt.width = w;
    opt.height = h;
    EXPECT_EQ(renderPng(scene, (render_test::outputDir() / "bad.png").string(), opt),
              Status::InvalidArgument) << w << "x" << h;
    EXPECT_FALSE(renderImage(scene, opt)) << w << "x" << h;
  }
  opt = {};
  EXPECT_EQ(renderPng(scene, "/nonexistent-folder/x.png", opt), Status::IoError);
  EXPECT_EQ(renderSvg(scene, "/nonexistent-folder/x.svg", opt), Status::IoError);
  EXPECT_EQ(renderPdf(scene, "/nonexistent-folder/x.pdf", opt), Status::IoError);
  EXPECT_EQ(renderPng(scene, "", opt), Status::InvalidArgument);
  opt.width = 20000;
  EXPECT_EQ(renderSvg(scene, (render_test::outputDir() / "bad.svg").string(), opt),
            Status::InvalidArgument);
  EXPECT_STREQ(statusText(Status::IoError), "input/output error");
}

TEST(RenderOutputTest, DrawsIntoCallersContext) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 50, 50);
  cairo_t* cr = cairo_create(surface);
  Scene scene;
  scene.background = {0, 0, 255};
  RenderOptions opt;
  opt.width = opt.height = 50;
  EXPECT_EQ(drawScene(cr, scene, opt), Status::Ok);
  cairo_surface_flush(surface);
  const auto* px = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface));
  EXPECT_EQ(px[25 * 50 + 25] & 0xFFFFFF, 0x0000FFu);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  EXPECT_EQ(drawScene(nullptr, scene, opt), Status::InvalidArgument);
}

TEST(RenderOutputTest, DegenerateInputDoesNotCrash) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Scene scene;
  scene.add(LinePrim{{nan, 0}, {1, 1}, 0, {}});
  scene.add(LinePrim{{0, 0}, {inf, 1}, 0, {}});
  scene.add(LinePrim{{3, 3}, {3, 3}, 5, {}});  // zero length, wide
  scene.add(CirclePrim{{0, 0}, -1, {}});
  scene.add(CirclePrim{{0, 0}, nan, {}});
  scene.add(ArcPrim{{0, 0}, 1, nan, 1, {}});
  scene.add(ArcPrim{{0, 0}, 1, 1, 1, {}});  // equal angles: full circle
  scene.add(PolylinePrim{});
  PolylinePrim pl;
  pl.vertices = {{{0, 0}, 0, 0, 1e300}, {{0, 0}, 0, 0, nan}, {{1, 1}, -5, 1e300, 0}};
  scene.add(pl);
  pl.vertices = {{{0, 0}, 0, 0, 1e300}, {{0, 0}, 1, 1, -1e-300}, {{1, 1}, 2, 0, 1e10}};
  pl.closed = true;
  scene.add(pl);
  FillPrim fill;
  fill.loops = {{{}, {}}, {{{0, 0}}, {}}, {{{0, 0}, {1, 1}}, {0.5}}, {{{1, 1}, {2, 2}}, {1, 1}}};
  scene.add(fill);
  scene.add(FillPrim{});
  TextPrim t;
  t.text = std::string("\0\x01\xFF", 3);
  scene.add(t);
  t.text = "huge";
  t.height = 1e200;
  t.widthFactor = nan;
  scene.add(t);
  MTextPrim m;
  m.text = "\n\n  \n";
  m.referenceWidth = 1e-300;
  scene.add(m);
  scene.add(PointPrim{{nan, nan}, {}});

  RenderOptions opt;
  opt.width = opt.height = 64;
  EXPECT_TRUE(renderImage(scene, opt));
  EXPECT_FALSE(makePreviewIcon(scene).empty());
  EXPECT_EQ(renderSvg(scene, (render_test::outputDir() / "degenerate.svg").string(), opt),
            Status::Ok);

  // Huge coordinates: fitted far away, and partly visible from far away.
  Scene far;
  far.add(LinePrim{{-1e300, -1e300}, {1e300, 1e300}, 0, {}});
  far.add(CirclePrim{{1e15, 0}, 1e15, {}});
  EXPECT_TRUE(renderImage(far, opt));
  Extents window;
  window.add({-1, -1});
  window.add({1, 1});
  opt.view = window;
  opt.margin = 0;  // 32 pixels a unit, origin at the picture's centre
  Scene crossing;
  // A circle of radius 1e9 whose left side passes through the middle of pixel column 32.
  crossing.add(CirclePrim{{1e9 + 0.5 / 32, 0}, 1e9, Color::aci(1)});
  PolylinePrim wide;
  wide.vertices = {{{-1e12, 0.5}, 0.2, 0.2, 0}, {{1e12, 0.5}, 0.2, 0.2, 0}};
  crossing.add(wide);
  auto img = renderImage(crossing, opt);
  ASSERT_TRUE(img);
  const Rgb onCircle = render_test::pixel(*img, 32, 50);
  EXPECT_GT(onCircle.r, 180);
  EXPECT_EQ(onCircle.g, 0);
  EXPECT_EQ(render_test::pixel(*img, 40, 50), (Rgb{0, 0, 0}));
  EXPECT_EQ(render_test::pixel(*img, 10, 16), (Rgb{255, 255, 255}));  // the wide band
  EXPECT_EQ(render_test::pixel(*img, 32, 16), (Rgb{255, 255, 255}));  // drawn over the circle
  EXPECT_EQ(render_test::pixel(*img, 10, 22), (Rgb{0, 0, 0}));

  TextPrim giant;
  giant.text = "W";
  giant.height = 1e7;
  giant.insert = {-3e6, -3e6};
  crossing.add(giant);
  EXPECT_TRUE(renderImage(crossing, opt));
}

TEST(RenderOutputTest, ManyPrimitivesStayBounded) {
  Scene scene;
  scene.items.reserve(200000);
  for (int i = 0; i < 100000; ++i) {
    const double x = i % 317, y = i / 317;
    scene.add(LinePrim{{x, y}, {x + 0.5, y + 0.5}, 0, Color::aci(1 + i % 255)});
    scene.add(CirclePrim{{x, y}, 0.3, Color::aci(1 + i % 7)});
  }
  RenderOptions opt;
  opt.width = opt.height = 256;
  EXPECT_TRUE(renderImage(scene, opt));
}

TEST(RenderOutputTest, HugeTextIsDrawnAsClippedOutlines) {
  // A window 20000 units wide across the left edge of an "I" whose em is ten million units:
  // far beyond what cairo draws as glyphs, so the outline is clipped and filled here.
  TextPrim t;
  t.text = "I";
  t.height = 1e7;
  Scene scene;
  scene.add(t);
  const Extents ink = textExtents(t);
  ASSERT_TRUE(ink.valid);
  const double midY = (ink.minY + ink.maxY) / 2;
  Extents window;
  window.add({ink.minX - 1e4, midY - 1e3});
  window.add({ink.minX + 1e4, midY + 1e3});
  RenderOptions opt;
  opt.width = 200;
  opt.height = 20;
  opt.margin = 0;
  opt.view = window;
  auto img = renderImage(scene, opt);
  ASSERT_TRUE(img);
  render_test::PixelBox box;
  ASSERT_TRUE(render_test::inkBox(*img, scene.background, box));
  EXPECT_NEAR(box.x0, 100, 3);  // the stem's edge, 100 units a pixel
  EXPECT_EQ(box.x1, 199);
  EXPECT_EQ(box.y0, 0);
  EXPECT_EQ(box.y1, 19);
}
