// Output.cpp - drawing whole scenes into cairo contexts, PNG, SVG and PDF files and memory.
#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <cmath>

#include "Output.h"
#include "Painter.h"

namespace host::render {
namespace detail {

bool validRasterSize(int width, int height) {
  return width >= 1 && height >= 1 && width <= kMaxRasterSide && height <= kMaxRasterSide &&
         static_cast<long long>(width) * height <= kMaxRasterPixels;
}

Status paint(cairo_t* cr, const Scene& scene, const RenderOptions& opt, double tolerance,
             Rgb background) {
  if (!cr || cairo_status(cr) != CAIRO_STATUS_SUCCESS) return Status::RenderError;
  if (opt.width < 1 || opt.height < 1) return Status::InvalidArgument;
  const Extents world =
      (opt.view && opt.view->valid) ? *opt.view : sceneExtents(scene);
  const double margin = finite(opt.margin) ? opt.margin : -1.0;
  const View view = fitView(world, opt.width, opt.height, margin);

  cairo_save(cr);
  if (!opt.transparent) {
    cairo_set_source_rgb(cr, background.r / 255.0, background.g / 255.0, background.b / 255.0);
    cairo_rectangle(cr, 0, 0, opt.width, opt.height);
    cairo_fill(cr);
  }
  {
    Painter::Options po;
    po.antialias = opt.antialias;
    po.hairline = (finite(opt.hairline) && opt.hairline > 0) ? std::min(opt.hairline, 1000.0)
                                                             : 1.0;
    po.tolerance = tolerance;
    Painter painter(cr, view, po);
    for (const Primitive& p : scene.items) painter.draw(p, background);
  }
  cairo_restore(cr);
  return cairo_status(cr) == CAIRO_STATUS_SUCCESS ? Status::Ok : Status::RenderError;
}

cairo_surface_t* renderSurface(const Scene& scene, const RenderOptions& opt, Rgb background,
                               cairo_format_t format, Status& status) {
  status = Status::InvalidArgument;
  if (!validRasterSize(opt.width, opt.height)) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(format, opt.width, opt.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    status = Status::RenderError;
    return nullptr;
  }
  cairo_t* cr = cairo_create(surface);
  status = paint(cr, scene, opt, kRasterTolerance, background);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  if (status != Status::Ok) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  return surface;
}

namespace {

using CreateVector = cairo_surface_t* (*)(const char*, double, double);

Status renderVector(const Scene& scene, const std::string& path, const RenderOptions& opt,
                    CreateVector create, void (*prepare)(cairo_surface_t*, const RenderOptions&) = nullptr) {
  if (opt.width < 1 || opt.height < 1 || opt.width > kMaxVectorSide ||
      opt.height > kMaxVectorSide || path.empty())
    return Status::InvalidArgument;
  cairo_surface_t* surface = create(path.c_str(), opt.width, opt.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return Status::IoError;
  }
  if (prepare) prepare(surface, opt);
  cairo_t* cr = cairo_create(surface);
  Status status = paint(cr, scene, opt, kVectorTolerance, scene.background);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t cs = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != Status::Ok) return status;
  if (cs == CAIRO_STATUS_WRITE_ERROR) return Status::IoError;
  return cs == CAIRO_STATUS_SUCCESS ? Status::Ok : Status::RenderError;
}

}  // namespace

Image imageFromSurface(cairo_surface_t* surface, int channels) {
  Image img;
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const bool alpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
  const unsigned char* data = cairo_image_surface_get_data(surface);
  img.width = w;
  img.height = h;
  img.channels = channels;
  img.pixels.resize(static_cast<std::size_t>(w) * h * channels);
  std::uint8_t* out = img.pixels.data();
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t px = row[x];
      unsigned a = alpha ? px >> 24 : 255;
      unsigned r = px >> 16 & 0xFF, g = px >> 8 & 0xFF, b = px & 0xFF;
      if (a != 0 && a != 255) {
        r = (r * 255 + a / 2) / a;
        g = (g * 255 + a / 2) / a;
        b = (b * 255 + a / 2) / a;
      }
      *out++ = static_cast<std::uint8_t>(std::min(r, 255u));
      *out++ = static_cast<std::uint8_t>(std::min(g, 255u));
      *out++ = static_cast<std::uint8_t>(std::min(b, 255u));
      if (channels == 4) *out++ = static_cast<std::uint8_t>(a);
    }
  }
  return img;
}

}  // namespace detail

const char* statusText(Status s) {
  switch (s) {
    case Status::Ok: return "ok";
    case Status::InvalidArgument: return "invalid argument";
    case Status::IoError: return "input/output error";
    case Status::RenderError: return "rendering error";
  }
  return "unknown status";
}

Status drawScene(cairo_t* cr, const Scene& scene, const RenderOptions& opt) {
  if (!cr) return Status::InvalidArgument;
  const cairo_surface_type_t type = cairo_surface_get_type(cairo_get_target(cr));
  const double tolerance = type == CAIRO_SURFACE_TYPE_IMAGE ? detail::kRasterTolerance
                                                            : detail::kVectorTolerance;
  return detail::paint(cr, scene, opt, tolerance, scene.background);
}

Status renderPng(const Scene& scene, const std::string& path, const RenderOptions& opt) {
  if (path.empty()) return Status::InvalidArgument;
  Status status;
  cairo_surface_t* surface =
      detail::renderSurface(scene, opt, scene.background, CAIRO_FORMAT_ARGB32, status);
  if (!surface) return status;
  const cairo_status_t cs = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  return cs == CAIRO_STATUS_SUCCESS ? Status::Ok : Status::IoError;
}

Status renderSvg(const Scene& scene, const std::string& path, const RenderOptions& opt) {
  return detail::renderVector(scene, path, opt, &cairo_svg_surface_create);
}

Status renderPdf(const Scene& scene, const std::string& path, const RenderOptions& opt) {
  return detail::renderVector(scene, path, opt, &cairo_pdf_surface_create, [](cairo_surface_t* surface, const RenderOptions& o) {
    if (!o.pdfDate.empty()) cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, o.pdfDate.c_str());
  });
}

std::optional<Image> renderImage(const Scene& scene, const RenderOptions& opt, int channels) {
  if (channels != 3 && channels != 4) return std::nullopt;
  RenderOptions o = opt;
  if (channels == 3) o.transparent = false;
  Status status;
  cairo_surface_t* surface = detail::renderSurface(
      scene, o, scene.background, channels == 4 ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24,
      status);
  if (!surface) return std::nullopt;
  Image img = detail::imageFromSurface(surface, channels);
  cairo_surface_destroy(surface);
  return img;
}

}  // namespace host::render
