// Output.h - whole-scene drawing shared by the file writers and the bitmap makers.
#pragma once

#include "Internal.h"

namespace host::render::detail {

constexpr int kMaxRasterSide = 16384;
constexpr long long kMaxRasterPixels = 1LL << 26;
constexpr int kMaxVectorSide = 14400;
constexpr double kRasterTolerance = 0.2;
constexpr double kVectorTolerance = 0.05;

bool validRasterSize(int width, int height);

/// Draws the scene fitted into opt.width x opt.height of cr's user space over `background`.
Status paint(cairo_t* cr, const Scene& scene, const RenderOptions& opt, double tolerance,
             Rgb background);

/// A new image surface of `format` with the scene drawn; null (and `status`) on failure.
cairo_surface_t* renderSurface(const Scene& scene, const RenderOptions& opt, Rgb background,
                               cairo_format_t format, Status& status);

/// The surface's pixels as RGB or RGBA (alpha un-premultiplied).
Image imageFromSurface(cairo_surface_t* surface, int channels);

}  // namespace host::render::detail
