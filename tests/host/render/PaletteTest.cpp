// PaletteTest.cpp - the ACI table, nearest-colour lookup and colour resolution.
#include <gtest/gtest.h>

#include "host/render/Scene.h"

using namespace host::render;

TEST(RenderPaletteTest, KnownEntries) {
  struct Case {
    int index;
    Rgb rgb;
  } cases[] = {
      {1, {255, 0, 0}},     {2, {255, 255, 0}},   {3, {0, 255, 0}},     {4, {0, 255, 255}},
      {5, {0, 0, 255}},     {6, {255, 0, 255}},   {7, {255, 255, 255}}, {8, {128, 128, 128}},
      {9, {192, 192, 192}}, {10, {255, 0, 0}},    {11, {255, 127, 127}}, {12, {165, 0, 0}},
      {20, {255, 63, 0}},   {30, {255, 127, 0}},  {40, {255, 191, 0}},  {50, {255, 255, 0}},
      {90, {0, 255, 0}},    {130, {0, 255, 255}}, {170, {0, 0, 255}},   {210, {255, 0, 255}},
      {19, {38, 19, 19}},   {249, {38, 19, 23}},  {250, {51, 51, 51}},  {254, {190, 190, 190}},
      {255, {255, 255, 255}},
  };
  for (const Case& c : cases) EXPECT_EQ(aciToRgb(c.index), c.rgb) << "ACI " << c.index;
}

TEST(RenderPaletteTest, OutOfRangeIndicesGiveWhite) {
  for (int i : {0, 256, -1, 1000}) EXPECT_EQ(aciToRgb(i), (Rgb{255, 255, 255})) << i;
}

TEST(RenderPaletteTest, NearestPrefersLowestExactIndex) {
  EXPECT_EQ(nearestAci({255, 0, 0}), 1);  // 10 has the same colour
  EXPECT_EQ(nearestAci({255, 255, 255}), 7);
  EXPECT_EQ(nearestAci({0, 0, 0}), 0);
  EXPECT_EQ(nearestAci({250, 5, 3}), 1);
  for (int i = 1; i < 256; ++i) EXPECT_EQ(aciToRgb(nearestAci(aciToRgb(i))), aciToRgb(i)) << i;
}

TEST(RenderPaletteTest, ColourSevenFollowsBackground) {
  EXPECT_EQ(resolveColor(Color::aci(7), {0, 0, 0}), (Rgb{255, 255, 255}));
  EXPECT_EQ(resolveColor(Color::aci(7), {255, 255, 255}), (Rgb{0, 0, 0}));
  EXPECT_EQ(resolveColor(Color::aci(256), {255, 255, 255}), (Rgb{0, 0, 0}));
  EXPECT_EQ(resolveColor(Color::aci(3), {255, 255, 255}), (Rgb{0, 255, 0}));
  EXPECT_EQ(resolveColor(Color::trueColor(1, 2, 3), {0, 0, 0}), (Rgb{1, 2, 3}));
}
