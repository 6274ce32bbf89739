// BitmapTest.cpp - preview icons, thumbnails, DIB decoding and PNG files of pixel buffers.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>

#include "TestSupport.h"

using namespace host::render;

namespace {

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t off) {
  return b[off] | b[off + 1] << 8 | b[off + 2] << 16 | static_cast<std::uint32_t>(b[off + 3]) << 24;
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t off) {
  return static_cast<std::uint16_t>(b[off] | b[off + 1] << 8);
}

// A white square outline 0..10 with a red line across at y = 8.
Scene squareWithRedLine() {
  Scene s;
  PolylinePrim square;
  square.vertices = {{{0, 0}}, {{10, 0}}, {{10, 10}}, {{0, 10}}};
  square.closed = true;
  s.add(square);
  s.add(LinePrim{{0, 8}, {10, 8}, 0, Color::aci(1)});
  return s;
}

struct DibBuilder {
  std::vector<std::uint8_t> b;
  void p16(std::uint32_t v) { b.push_back(v & 0xFF), b.push_back(v >> 8 & 0xFF); }
  void p32(std::uint32_t v) { p16(v & 0xFFFF), p16(v >> 16); }
  void header(int w, int h, int bpp, std::uint32_t compression = 0, std::uint32_t colors = 0) {
    p32(40), p32(static_cast<std::uint32_t>(w)), p32(static_cast<std::uint32_t>(h)), p16(1),
        p16(static_cast<std::uint32_t>(bpp)), p32(compression), p32(0), p32(0), p32(0),
        p32(colors), p32(0);
  }
  void bytes(std::initializer_list<int> v) {
    for (int x : v) b.push_back(static_cast<std::uint8_t>(x));
  }
};

}  // namespace

TEST(RenderBitmapTest, PreviewIconLayout) {
  const std::vector<std::uint8_t> icon = makePreviewIcon(squareWithRedLine());
  ASSERT_EQ(icon.size(), 40u + 1024u + 32u * 32u);
  EXPECT_EQ(u32(icon, 0), 40u);   // biSize
  EXPECT_EQ(u32(icon, 4), 32u);   // width
  EXPECT_EQ(u32(icon, 8), 32u);   // height, positive: bottom-up
  EXPECT_EQ(u16(icon, 12), 1);    // planes
  EXPECT_EQ(u16(icon, 14), 8);    // bits a pixel
  EXPECT_EQ(u32(icon, 16), 0u);   // BI_RGB
  EXPECT_EQ(u32(icon, 20), 1024u);
  EXPECT_EQ(u32(icon, 32), 256u);  // colours used

  auto entry = [&](int i) {
    const std::size_t p = 40 + 4 * static_cast<std::size_t>(i);
    return std::vector<int>{icon[p], icon[p + 1], icon[p + 2], icon[p + 3]};
  };
  EXPECT_EQ(entry(0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(entry(1), (std::vector<int>{0, 0, 255, 0}));  // B, G, R: red
  EXPECT_EQ(entry(5), (std::vector<int>{255, 0, 0, 0}));  // blue
  EXPECT_EQ(entry(7), (std::vector<int>{255, 255, 255, 0}));
  EXPECT_EQ(entry(30), (std::vector<int>{0, 127, 255, 0}));

  // Stored rows run from the bottom: the red line (80% up) lies in a high row, the white
  // bottom edge in row 0 or 1; nothing but palette indices 0, 1 and 7 is used.
  const std::uint8_t* pixels = icon.data() + 40 + 1024;
  int redCount = 0, bottomWhite = 0;
  for (int row = 0; row < 32; ++row) {
    for (int x = 0; x < 32; ++x) {
      const int v = pixels[row * 32 + x];
      EXPECT_TRUE(v == 0 || v == 1 || v == 7) << v;
      if (v == 1) {
        ++redCount;
        EXPECT_GE(row, 23);
        EXPECT_LE(row, 26);
      }
      if (v == 7 && row <= 1) ++bottomWhite;
    }
  }
  EXPECT_GE(redCount, 25);
  EXPECT_GE(bottomWhite, 25);
}

TEST(RenderBitmapTest, IconNeedsGeometry) {
  EXPECT_TRUE(makePreviewIcon(Scene{}).empty());
  Scene onlyBad;
  onlyBad.add(LinePrim{{NAN, 0}, {1, 1}, 0, {}});
  onlyBad.add(TextPrim{});  // empty text
  EXPECT_TRUE(makePreviewIcon(onlyBad).empty());
  Scene text;
  TextPrim t;
  t.text = "A";
  text.add(t);
  EXPECT_EQ(makePreviewIcon(text).size(), 2088u);
}

TEST(RenderBitmapTest, ThumbnailDecodesBack) {
  Scene scene = squareWithRedLine();
  FillPrim green;
  green.loops.push_back({{{2, 2}, {8, 2}, {8, 6}, {2, 6}}, {}});
  green.color = Color::aci(3);
  scene.add(green);
  for (auto [w, h] : {std::pair{180, 135}, {33, 21}}) {
    const std::vector<std::uint8_t> dib = makeThumbnail(scene, w, h);
    const std::size_t rowBytes = (static_cast<std::size_t>(w) + 3) / 4 * 4;
    ASSERT_EQ(dib.size(), 40 + 1024 + rowBytes * h) << w;
    auto img = decodeDib(dib);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width, w);
    EXPECT_EQ(img->height, h);
    // Compare with the unquantised picture: every pixel lands on its nearest palette colour.
    RenderOptions opt;
    opt.width = w;
    opt.height = h;
    auto ref = renderImage(scene, opt);
    ASSERT_TRUE(ref);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const Rgb want = aciToRgb(nearestAci(render_test::pixel(*ref, x, y)));
        const Rgb got = render_test::pixel(*img, x, y);
        const Rgb black{0, 0, 0};
        ASSERT_TRUE(got == want || (got == black && nearestAci(render_test::pixel(*ref, x, y)) == 0))
            << x << "," << y;
      }
    }
    EXPECT_EQ(render_test::pixel(*img, w / 2, h * 6 / 10), (Rgb{0, 255, 0}));
  }
  EXPECT_TRUE(makeThumbnail(scene, 0, 10).empty());
  EXPECT_TRUE(makeThumbnail(scene, 5000, 10).empty());
  EXPECT_EQ(makeThumbnail(Scene{}, 8, 8).size(), 40u + 1024u + 64u);  // blank picture
}

TEST(RenderBitmapTest, DecodesCommonDepths) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> dib;
    int width, height;
    std::vector<int> rgb;  // top row first
  };
  std::vector<Case> cases;
  {
    DibBuilder d;  // 1 bit, 3 x 2, top-down, 2 colours
    d.header(3, -2, 1, 0, 2);
    d.bytes({0, 0, 0, 0, 255, 255, 255, 0});
    d.bytes({0xA0, 0, 0, 0, 0x40, 0, 0, 0});
    cases.push_back({"1 bit", d.b, 3, 2, {255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0}});
  }
  {
    DibBuilder d;  // 4 bits, 2 x 1, palette of 16 implied by clrUsed 0
    d.header(2, 1, 4);
    for (int i = 0; i < 16; ++i) d.bytes({i * 16, 0, 255 - i * 16, 0});
    d.bytes({0x2F, 0, 0, 0});
    cases.push_back({"4 bits", d.b, 2, 1, {255 - 32, 0, 32, 255 - 240, 0, 240}});
  }
  {
    DibBuilder d;  // 24 bits, 2 x 2, bottom-up, rows padded to 8 bytes
    d.header(2, 2, 24);
    d.bytes({1, 2, 3, 4, 5, 6, 0, 0});       // bottom row
    d.bytes({7, 8, 9, 10, 11, 12, 0, 0});    // top row
    cases.push_back({"24 bits", d.b, 2, 2, {9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}});
  }
  {
    DibBuilder d;  // 32 bits BI_RGB: B, G, R, unused
    d.header(1, 1, 32);
    d.bytes({10, 20, 30, 99});
    cases.push_back({"32 bits", d.b, 1, 1, {30, 20, 10}});
  }
  {
    DibBuilder d;  // 16 bits, 5-5-5
    d.header(2, 1, 16);
    d.p16(0x7C00);
    d.p16(0x001F);
    cases.push_back({"16 bits", d.b, 2, 1, {255, 0, 0, 0, 0, 255}});
  }
  {
    DibBuilder d;  // 16 bits, 5-6-5 through BI_BITFIELDS masks after the header
    d.header(1, 1, 16, 3);
    d.p32(0xF800), d.p32(0x07E0), d.p32(0x001F);
    d.p16(0x07E0);
    d.p16(0);
    cases.push_back({"bitfields", d.b, 1, 1, {0, 255, 0}});
  }
  {
    DibBuilder d;  // a BMP file: "BM" header first
    DibBuilder body;
    body.header(1, 1, 24);
    body.bytes({0, 0, 200, 0});
    d.bytes({'B', 'M'});
    d.p32(static_cast<std::uint32_t>(14 + body.b.size()));
    d.p32(0);
    d.p32(54);
    d.b.insert(d.b.end(), body.b.begin(), body.b.end());
    cases.push_back({"file", d.b, 1, 1, {200, 0, 0}});
  }
  {
    DibBuilder d;  // BITMAPCOREHEADER with 3-byte palette entries
    d.p32(12), d.p16(1), d.p16(1), d.p16(1), d.p16(8);
    for (int i = 0; i < 256; ++i) d.bytes({i, 0, 0});
    d.bytes({77, 0, 0, 0});
    cases.push_back({"core", d.b, 1, 1, {0, 0, 77}});
  }
  for (const Case& c : cases) {
    auto img = decodeDib(c.dib);
    ASSERT_TRUE(img) << c.what;
    EXPECT_EQ(img->width, c.width) << c.what;
    EXPECT_EQ(img->height, c.height) << c.what;
    EXPECT_EQ(std::vector<int>(img->pixels.begin(), img->pixels.end()), c.rgb) << c.what;
  }
}

TEST(RenderBitmapTest, RejectsBadDibs) {
  const std::vector<std::uint8_t> icon = makePreviewIcon(squareWithRedLine());
  ASSERT_TRUE(decodeDib(icon));
  for (std::size_t n = 0; n < icon.size(); ++n) {
    ASSERT_FALSE(decodeDib(std::span(icon.data(), n))) << "cut at " << n;
  }
  auto patched = [&](std::size_t off, std::uint32_t v, int bytes = 4) {
    std::vector<std::uint8_t> b = icon;
    for (int i = 0; i < bytes; ++i) b[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
    return b;
  };
  struct Case {
    const char* what;
    std::vector<std::uint8_t> dib;
  } cases[] = {
      {"RLE", patched(16, 1)},
      {"2 bits", patched(14, 2, 2)},
      {"zero width", patched(4, 0)},
      {"negative width", patched(4, static_cast<std::uint32_t>(-32))},
      {"huge height", patched(8, 100000)},
      {"INT_MIN height", patched(8, 0x80000000u)},
      {"big sides", patched(4, 30000)},
      {"palette of 1000", patched(32, 1000)},
      {"header size 20", patched(0, 20)},
      {"header size 4 GB", patched(0, 0xFFFFFFFFu)},
  };
  for (const Case& c : cases) EXPECT_FALSE(decodeDib(c.dib)) << c.what;
  // A small palette leaves higher indices black instead of reading past it.
  auto img = decodeDib(patched(32, 2));
  ASSERT_TRUE(img);
}

TEST(RenderBitmapTest, PngOfPixelBuffers) {
  const auto dir = render_test::outputDir();
  Image rgb;
  rgb.width = 3;
  rgb.height = 2;
  rgb.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
  const std::string path = (dir / "buffer.png").string();
  ASSERT_EQ(writePng(path, rgb), Status::Ok);
  auto back = readPng(path);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->channels, 4);
  for (int i = 0; i < 6; ++i) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(back->pixels[i * 4 + c], rgb.pixels[i * 3 + c]);
    EXPECT_EQ(back->pixels[i * 4 + 3], 255);
  }

  Image rgba;
  rgba.width = 1;
  rgba.height = 1;
  rgba.channels = 4;
  rgba.pixels = {200, 100, 50, 128};
  ASSERT_EQ(writePng(path, rgba), Status::Ok);
  back = readPng(path);
  ASSERT_TRUE(back);
  EXPECT_NEAR(back->pixels[0], 200, 2);
  EXPECT_NEAR(back->pixels[1], 100, 2);
  EXPECT_NEAR(back->pixels[2], 50, 2);
  EXPECT_EQ(back->pixels[3], 128);

  Image bad = rgb;
  bad.pixels.pop_back();
  EXPECT_EQ(writePng(path, bad), Status::InvalidArgument);
  bad = rgb;
  bad.channels = 2;
  EXPECT_EQ(writePng(path, bad), Status::InvalidArgument);
  EXPECT_EQ(writePng("/nonexistent-folder/a.png", rgb), Status::IoError);
  EXPECT_FALSE(readPng((dir / "missing.png").string()));
  const std::string notPng = (dir / "not.png").string();
  std::ofstream(notPng) << "hello";
  EXPECT_FALSE(readPng(notPng));
}
