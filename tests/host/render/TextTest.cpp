// TextTest.cpp - text metrics, TEXT alignment, MTEXT layout, and measured = drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "TestSupport.h"

using namespace host::render;

TEST(RenderTextTest, MeasureScalesWithLengthHeightAndWidthFactor) {
  const TextMetrics one = measureText("A", 1.0);
  const TextMetrics two = measureText("AA", 1.0);
  const TextMetrics tall = measureText("AA", 2.5);
  const TextMetrics narrow = measureText("AA", 1.0, 0.5);
  EXPECT_GT(one.advance, 0.5);
  EXPECT_NEAR(two.advance, 2 * one.advance, 1e-9);  // no kerning: advances add up
  EXPECT_NEAR(tall.advance, 2.5 * two.advance, 1e-9);
  EXPECT_NEAR(narrow.advance, 0.5 * two.advance, 1e-9);
  EXPECT_NEAR(tall.ascent, 2.5 * two.ascent, 1e-9);
  EXPECT_GT(two.descent, 0);

  // Height is the height of capitals.
  const TextMetrics h = measureText("H", 3.0);
  ASSERT_TRUE(h.ink.valid);
  EXPECT_NEAR(h.ink.minY, 0.0, 0.01);
  EXPECT_NEAR(h.ink.maxY, 3.0, 0.01);
  // Descenders go below the baseline.
  EXPECT_LT(measureText("g", 1.0).ink.minY, -0.1);
  // Wide and narrow strings of the same count differ.
  EXPECT_GT(measureText("WWW", 1).advance, measureText("iii", 1).advance);
  EXPECT_NEAR(measureText(std::wstring_view(L"\u0141\u00F3d\u017A"), 1).advance,
              measureText("\xC5\x81\xC3\xB3" "d\xC5\xBA", 1).advance, 1e-12);
}

TEST(RenderTextTest, MeasureDegenerateInput) {
  EXPECT_EQ(measureText("", 1.0).advance, 0);
  EXPECT_FALSE(measureText("", 1.0).ink.valid);
  EXPECT_FALSE(measureText("   ", 1.0).ink.valid);
  EXPECT_GT(measureText("   ", 1.0).advance, 0);
  for (double bad : {0.0, -1.0, double(NAN), double(INFINITY)}) {
    const TextMetrics m = measureText("abc", bad);
    EXPECT_EQ(m.advance, 0) << bad;
    EXPECT_FALSE(m.ink.valid) << bad;
  }
  EXPECT_NEAR(measureText("abc", 1, -2).advance, measureText("abc", 1, 1).advance, 1e-12);
  EXPECT_GT(measureText("a\xFF\xFE", 1).advance, measureText("a", 1).advance);
}

TEST(RenderTextTest, ExtentsFollowAlignment) {
  const double h = 2.0;
  const TextMetrics m = measureText("Hello", h);
  const double adv = m.advance;
  const Point2 at{10, 20};
  struct Case {
    int halign, valign;
    double dx, dy;  // shift of the text's baseline start from the alignment point
  } cases[] = {
      {1, 0, -adv / 2, 0},  {2, 0, -adv, 0},      {0, 3, 0, -h},
      {0, 2, 0, -h / 2},    {1, 2, -adv / 2, -h / 2}, {2, 1, -adv, m.descent},
      {4, 0, -adv / 2, -(h - m.descent) / 2},
  };
  for (const Case& c : cases) {
    TextPrim t;
    t.text = "Hello";
    t.height = h;
    t.insert = {0, 0};  // ignored: the alignment point places the text
    t.align = at;
    t.halign = c.halign;
    t.valign = c.valign;
    const Extents e = textExtents(t);
    ASSERT_TRUE(e.valid);
    EXPECT_NEAR(e.minX, at.x + c.dx + m.ink.minX, 1e-9) << c.halign << "/" << c.valign;
    EXPECT_NEAR(e.maxY, at.y + c.dy + m.ink.maxY, 1e-9) << c.halign << "/" << c.valign;
  }

  // Left/baseline uses the insertion point.
  TextPrim left;
  left.text = "Hello";
  left.height = h;
  left.insert = {1, 2};
  left.align = {100, 100};
  Extents e = textExtents(left);
  EXPECT_NEAR(e.minX, 1 + m.ink.minX, 1e-9);
  EXPECT_NEAR(e.minY, 2 + m.ink.minY, 1e-9);

  // A quarter turn swaps the box's sides.
  left.rotation = std::numbers::pi / 2;
  e = textExtents(left);
  EXPECT_NEAR(e.width(), m.ink.height(), 1e-9);
  EXPECT_NEAR(e.height(), m.ink.width(), 1e-9);
}

TEST(RenderTextTest, AlignedAndFitStretchBetweenPoints) {
  const TextMetrics m = measureText("HHHH", 1.0);
  TextPrim t;
  t.text = "HHHH";
  t.height = 1.0;
  t.insert = {0, 0};
  t.align = {2 * m.advance, 0};
  t.halign = 3;  // aligned: height grows with the width
  Extents e = textExtents(t);
  EXPECT_NEAR(e.height(), 2 * m.ink.height(), 1e-6);
  EXPECT_NEAR(e.width(), 2 * m.ink.width(), 1e-6);
  t.halign = 5;  // fit: height kept
  e = textExtents(t);
  EXPECT_NEAR(e.height(), m.ink.height(), 1e-6);
  EXPECT_NEAR(e.width(), 2 * m.ink.width(), 1e-6);
  // Along a diagonal the text turns with the baseline.
  t.align = {0, 2 * m.advance};
  e = textExtents(t);
  EXPECT_NEAR(e.height(), 2 * m.ink.width(), 1e-6);
  // Coincident points fall back to left alignment at the insertion point.
  t.align = t.insert;
  e = textExtents(t);
  EXPECT_NEAR(e.width(), m.ink.width(), 1e-9);
}

TEST(RenderTextTest, ExtentsOfDegenerateText) {
  TextPrim t;
  t.text = "";
  EXPECT_FALSE(textExtents(t).valid);
  t.text = "  ";
  t.insert = {5, 5};
  const Extents blank = textExtents(t);  // blank text: baseline to cap height
  ASSERT_TRUE(blank.valid);
  EXPECT_NEAR(blank.minY, 5, 1e-9);
  EXPECT_NEAR(blank.maxY, 6, 1e-9);
  t.text = "x";
  for (double bad : {double(NAN), double(INFINITY), -1.0, 0.0}) {
    t.height = bad;
    EXPECT_FALSE(textExtents(t).valid) << bad;
  }
  t.height = 1;
  t.insert = {NAN, 0};
  EXPECT_FALSE(textExtents(t).valid);
  t.insert = {1e300, 1e300};
  t.height = 1e300;
  EXPECT_NO_FATAL_FAILURE(textExtents(t));
}

TEST(RenderTextTest, MTextWrapsAndStacksLines) {
  const double h = 1.0;
  const double twoWords = measureText("aaa bbb", h).advance;
  MTextPrim m;
  m.text = "aaa bbb ccc\nsecond paragraph";
  m.height = h;
  m.location = {0, 0};
  m.referenceWidth = twoWords * 1.01;
  MTextLayout l = layoutMText(m);
  ASSERT_EQ(l.lines.size(), 4u);
  EXPECT_EQ(l.lines[0].text, "aaa bbb");
  EXPECT_EQ(l.lines[1].text, "ccc");
  EXPECT_EQ(l.lines[2].text, "second");
  EXPECT_EQ(l.lines[3].text, "paragraph");
  EXPECT_NEAR(l.lines[0].origin.y, -h, 1e-12);  // top attachment: first baseline one cap down
  EXPECT_NEAR(l.lines[0].origin.y - l.lines[1].origin.y, h * 5 / 3, 1e-12);
  EXPECT_NEAR(l.width, std::max(twoWords, measureText("paragraph", h).advance), 1e-9);
  EXPECT_NEAR(l.height, h + 3 * h * 5 / 3, 1e-12);

  // A word wider than the width keeps a line of its own; no width means no wrapping.
  m.text = "tiny enormouslylongword end";
  m.referenceWidth = measureText("tiny", h).advance;
  l = layoutMText(m);
  ASSERT_EQ(l.lines.size(), 3u);
  EXPECT_EQ(l.lines[1].text, "enormouslylongword");
  m.referenceWidth = 0;
  EXPECT_EQ(layoutMText(m).lines.size(), 1u);

  // Double line spacing.
  m.text = "a\nb";
  m.lineSpacing = 2;
  l = layoutMText(m);
  EXPECT_NEAR(l.lines[0].origin.y - l.lines[1].origin.y, 2 * h * 5 / 3, 1e-12);
}

TEST(RenderTextTest, MTextAttachmentPlacesTheBlock) {
  MTextPrim m;
  m.text = "HH\nHHHH";
  m.height = 2;
  m.location = {100, 50};
  const TextMetrics wide = measureText("HHHH", 2);
  const double blockHeight = 2 + 2 * 5.0 / 3;
  struct Case {
    int attachment;
    double right, top;  // expected right edge of the widest line's advance, top of caps
  } cases[] = {
      {1, 100 + wide.advance, 50},
      {5, 100 + wide.advance / 2, 50 + blockHeight / 2},
      {9, 100, 50 + blockHeight},
  };
  for (const Case& c : cases) {
    m.attachment = c.attachment;
    const Extents e = mtextExtents(m);
    ASSERT_TRUE(e.valid);
    EXPECT_NEAR(e.maxX, c.right - (wide.advance - wide.ink.maxX), 1e-9) << c.attachment;
    EXPECT_NEAR(e.maxY, c.top, 0.02) << c.attachment;
  }
  m.attachment = 42;  // invalid attachment counts as top left
  EXPECT_NEAR(mtextExtents(m).maxY, 50, 0.02);
  m.text = "";
  EXPECT_FALSE(mtextExtents(m).valid);
  EXPECT_TRUE(layoutMText(m).lines.empty());
}

// Renders `scene` over an exact world window and compares the ink of the picture with the
// extents the measuring functions give.
static void expectInkMatches(const Scene& scene, const Extents& expected, const char* what) {
  RenderOptions opt;
  opt.width = 800;
  opt.height = 400;
  opt.margin = 0;
  Extents view;
  view.add({0, 0});
  view.add({40, 20});
  opt.view = view;
  const double s = 20;  // pixels a drawing unit
  auto img = renderImage(scene, opt);
  ASSERT_TRUE(img) << what;
  render_test::PixelBox box;
  ASSERT_TRUE(render_test::inkBox(*img, scene.background, box)) << what;
  const double tol = 1.5 / s;
  EXPECT_NEAR(box.x0 / s, expected.minX, tol) << what;
  EXPECT_NEAR((box.x1 + 1) / s, expected.maxX, tol) << what;
  EXPECT_NEAR(20 - (box.y1 + 1) / s, expected.minY, tol) << what;
  EXPECT_NEAR(20 - box.y0 / s, expected.maxY, tol) << what;
}

TEST(RenderTextTest, MeasuredExtentsMatchRenderedInk) {
  TextPrim t;
  t.text = "Hxg Ag";
  t.height = 3;
  t.insert = {2, 5};
  Scene scene;
  scene.add(t);
  expectInkMatches(scene, textExtents(t), "left text");

  t.halign = 1;
  t.valign = 2;
  t.align = {20, 10};
  t.widthFactor = 0.7;
  scene.items = {t};
  expectInkMatches(scene, textExtents(t), "centred narrow text");

  t.rotation = std::numbers::pi / 2;
  scene.items = {t};
  expectInkMatches(scene, textExtents(t), "rotated text");

  MTextPrim m;
  m.text = "Jestes tu\nYou are here";
  m.height = 1.5;
  m.location = {30, 12};
  m.attachment = 5;
  scene.items = {m};
  expectInkMatches(scene, mtextExtents(m), "multiline text");
}
