// TestSupport.h - helpers shared by the renderer's tests: an output folder and ink boxes.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/render/Render.h"

namespace render_test {

/// A folder for files the tests write, under the build tree.
inline std::filesystem::path outputDir() {
  std::filesystem::path dir = std::filesystem::path(TAVRIX_BUILD_DIR) / "test-output" / "render";
  std::filesystem::create_directories(dir);
  return dir;
}

/// Pixel box (inclusive) of the pixels that differ from `background`; false if none.
struct PixelBox {
  int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};
inline bool inkBox(const host::render::Image& img, host::render::Rgb background, PixelBox& box,
                   int threshold = 64) {
  bool any = false;
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const std::uint8_t* p = &img.pixels[(static_cast<std::size_t>(y) * img.width + x) * img.channels];
      const int d = std::abs(p[0] - background.r) + std::abs(p[1] - background.g) +
                    std::abs(p[2] - background.b);
      if (d < threshold) continue;
      if (!any) box = {x, y, x, y};
      box.x0 = std::min(box.x0, x);
      box.x1 = std::max(box.x1, x);
      box.y0 = std::min(box.y0, y);
      box.y1 = std::max(box.y1, y);
      any = true;
    }
  }
  return any;
}

inline host::render::Rgb pixel(const host::render::Image& img, int x, int y) {
  const std::uint8_t* p = &img.pixels[(static_cast<std::size_t>(y) * img.width + x) * img.channels];
  return {p[0], p[1], p[2]};
}

}  // namespace render_test
