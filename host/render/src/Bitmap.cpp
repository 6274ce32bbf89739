// Bitmap.cpp - 8-bit ACI-palette DIBs (preview icons, thumbnails), DIB decoding, PNG files.
#include <climits>
#include <cstring>
#include <unordered_map>

#include "Output.h"

namespace host::render {
namespace {

constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3;
constexpr int kIconSize = 32;
constexpr int kMaxThumbnailSide = 4096;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Header, ACI palette and bottom-up rows of palette indices for an RGB24 surface.
std::vector<std::uint8_t> encodePaletteDib(cairo_surface_t* surface) {
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(w) + 3) & ~3u;

  std::vector<std::uint8_t> out;
  out.reserve(40 + 1024 + static_cast<std::size_t>(rowBytes) * h);
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(w));
  put32(out, static_cast<std::uint32_t>(h));  // positive: bottom-up
  put16(out, 1);
  put16(out, 8);
  put32(out, kBiRgb);
  put32(out, rowBytes * static_cast<std::uint32_t>(h));
  put32(out, 0);
  put32(out, 0);
  put32(out, 256);
  put32(out, 0);
  for (int i = 0; i < 256; ++i) {
    const Rgb c = i == 0 ? Rgb{0, 0, 0} : aciToRgb(i);
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  std::unordered_map<std::uint32_t, std::uint8_t> nearest;
  for (int y = h - 1; y >= 0; --y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t px = row[x] & 0xFFFFFF;
      auto it = nearest.find(px);
      if (it == nearest.end()) {
        const Rgb c{static_cast<std::uint8_t>(px >> 16), static_cast<std::uint8_t>(px >> 8),
                    static_cast<std::uint8_t>(px)};
        it = nearest.emplace(px, static_cast<std::uint8_t>(nearestAci(c))).first;
      }
      out.push_back(it->second);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(w); pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> paletteBitmap(const Scene& scene, const RenderOptions& opt,
                                        Rgb background) {
  Status status;
  cairo_surface_t* surface =
      detail::renderSurface(scene, opt, background, CAIRO_FORMAT_RGB24, status);
  if (!surface) return {};
  std::vector<std::uint8_t> out = encodePaletteDib(surface);
  cairo_surface_destroy(surface);
  return out;
}

// Bounds-checked little-endian reads.
struct Reader {
  std::span<const std::uint8_t> b;
  bool has(std::size_t off, std::size_t n) const { return off <= b.size() && n <= b.size() - off; }
  std::uint32_t u16(std::size_t off) const { return b[off] | b[off + 1] << 8; }
  std::uint32_t u32(std::size_t off) const {
    return static_cast<std::uint32_t>(b[off]) | static_cast<std::uint32_t>(b[off + 1]) << 8 |
           static_cast<std::uint32_t>(b[off + 2]) << 16 | static_cast<std::uint32_t>(b[off + 3]) << 24;
  }
};

// Extracts the field of `mask` from `v`, scaled to 0..255.
std::uint8_t maskedChannel(std::uint32_t v, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!(mask >> shift & 1)) ++shift;
  const std::uint64_t max = mask >> shift;
  const std::uint64_t field = (v & mask) >> shift;
  return static_cast<std::uint8_t>(field * 255 / max);
}

}  // namespace

std::vector<std::uint8_t> makePreviewIcon(const Scene& scene) {
  if (!sceneExtents(scene).valid) return {};
  RenderOptions opt;
  opt.width = opt.height = kIconSize;
  opt.margin = 1;
  opt.antialias = false;
  return paletteBitmap(scene, opt, Rgb{0, 0, 0});
}

std::vector<std::uint8_t> makeThumbnail(const Scene& scene, int width, int height) {
  if (width < 1 || height < 1 || width > kMaxThumbnailSide || height > kMaxThumbnailSide)
    return {};
  RenderOptions opt;
  opt.width = width;
  opt.height = height;
  return paletteBitmap(scene, opt, scene.background);
}

std::optional<Image> decodeDib(std::span<const std::uint8_t> bytes) {
  const Reader rd{bytes};
  std::size_t off = 0;
  std::size_t pixelOffset = 0;
  if (rd.has(0, 18) && bytes[0] == 'B' && bytes[1] == 'M') {
    off = 14;
    pixelOffset = rd.u32(10);
  }
  if (!rd.has(off, 4)) return std::nullopt;
  const std::uint32_t headerSize = rd.u32(off);
  long long width, height;
  std::uint32_t bpp, compression = kBiRgb, colorsUsed = 0;
  std::size_t paletteEntry = 4, maskBytes = 0;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  if (headerSize == 12) {
    // BITMAPCOREHEADER: 16-bit sides, palette entries of 3 bytes.
    if (!rd.has(off, 12)) return std::nullopt;
    width = rd.u16(off + 4);
    height = rd.u16(off + 6);
    bpp = rd.u16(off + 10);
    paletteEntry = 3;
  } else if (headerSize >= 40 && headerSize <= 1024) {
    if (!rd.has(off, headerSize)) return std::nullopt;
    width = static_cast<std::int32_t>(rd.u32(off + 4));
    height = static_cast<std::int32_t>(rd.u32(off + 8));
    bpp = rd.u16(off + 14);
    compression = rd.u32(off + 16);
    colorsUsed = rd.u32(off + 32);
    if (compression == kBiBitfields) {
      if (headerSize >= 52) {
        for (int i = 0; i < 3; ++i) masks[i] = rd.u32(off + 40 + 4 * i);
        if (headerSize >= 56) masks[3] = rd.u32(off + 52);
      } else {
        if (!rd.has(off + headerSize, 12)) return std::nullopt;
        for (int i = 0; i < 3; ++i) masks[i] = rd.u32(off + headerSize + 4 * i);
        maskBytes = 12;
      }
    }
  } else {
    return std::nullopt;
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width < 1 || height < 1 || width > 32768 || height > 32768 ||
      width * height > (1LL << 26))
    return std::nullopt;
  const bool paletted = bpp == 1 || bpp == 4 || bpp == 8;
  if (!paletted && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
  if (compression != kBiRgb && !(compression == kBiBitfields && (bpp == 16 || bpp == 32)))
    return std::nullopt;
  if (compression == kBiRgb && bpp == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  if (compression == kBiRgb && bpp == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;

  std::size_t paletteCount = 0;
  if (paletted) {
    paletteCount = colorsUsed ? colorsUsed : (1u << bpp);
    if (paletteCount > 256) return std::nullopt;
  } else if (colorsUsed > 256) {
    return std::nullopt;
  } else {
    paletteCount = colorsUsed;  // an optional palette before true-colour pixels
  }
  const std::size_t paletteOffset = off + headerSize + maskBytes;
  if (!rd.has(paletteOffset, paletteCount * paletteEntry)) return std::nullopt;
  const std::size_t dataStart = paletteOffset + paletteCount * paletteEntry;
  if (pixelOffset == 0 || pixelOffset < dataStart) pixelOffset = dataStart;

  const auto w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
  const std::size_t stride = (w * bpp + 31) / 32 * 4;
  const std::size_t lastRow = (w * bpp + 7) / 8;
  if (!rd.has(pixelOffset, stride * (h - 1) + lastRow)) return std::nullopt;

  Image img;
  img.width = static_cast<int>(w);
  img.height = static_cast<int>(h);
  img.channels = 3;
  img.pixels.resize(w * h * 3);
  for (std::size_t y = 0; y < h; ++y) {
    const std::size_t src = pixelOffset + (topDown ? y : h - 1 - y) * stride;
    std::uint8_t* out = img.pixels.data() + y * w * 3;
    for (std::size_t x = 0; x < w; ++x, out += 3) {
      if (paletted) {
        const std::size_t bit = x * bpp;
        const std::uint8_t byte = bytes[src + bit / 8];
        const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
        if (index >= paletteCount) {
          out[0] = out[1] = out[2] = 0;
          continue;
        }
        const std::size_t p = paletteOffset + index * paletteEntry;
        out[0] = bytes[p + 2];
        out[1] = bytes[p + 1];
        out[2] = bytes[p];
      } else if (bpp == 24) {
        const std::size_t p = src + x * 3;
        out[0] = bytes[p + 2];
        out[1] = bytes[p + 1];
        out[2] = bytes[p];
      } else {
        const std::uint32_t v = bpp == 16 ? rd.u16(src + x * 2) : rd.u32(src + x * 4);
        out[0] = maskedChannel(v, masks[0]);
        out[1] = maskedChannel(v, masks[1]);
        out[2] = maskedChannel(v, masks[2]);
      }
    }
  }
  return img;
}

Status writePng(const std::string& path, const Image& image) {
  if (path.empty() || (image.channels != 3 && image.channels != 4) ||
      !detail::validRasterSize(image.width, image.height) ||
      image.pixels.size() <
          static_cast<std::size_t>(image.width) * image.height * image.channels)
    return Status::InvalidArgument;
  const bool alpha = image.channels == 4;
  cairo_surface_t* surface = cairo_image_surface_create(
      alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, image.width, image.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return Status::RenderError;
  }
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const std::uint8_t* in = image.pixels.data();
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < image.width; ++x, in += image.channels) {
      const std::uint32_t a = alpha ? in[3] : 255;
      // cairo keeps colour premultiplied by alpha.
      const std::uint32_t r = (in[0] * a + 127) / 255, g = (in[1] * a + 127) / 255,
                          b = (in[2] * a + 127) / 255;
      row[x] = a << 24 | r << 16 | g << 8 | b;
    }
  }
  cairo_surface_mark_dirty(surface);
  const cairo_status_t cs = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  return cs == CAIRO_STATUS_SUCCESS ? Status::Ok : Status::IoError;
}

std::optional<Image> readPng(const std::string& path) {
  if (path.empty()) return std::nullopt;
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return std::nullopt;
  }
  cairo_surface_t* argb = surface;
  if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32 &&
      cairo_image_surface_get_format(surface) != CAIRO_FORMAT_RGB24) {
    // Grey or alpha-only images: convert by painting.
    argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface),
                                      cairo_image_surface_get_height(surface));
    cairo_t* cr = cairo_create(argb);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(argb);
  }
  std::optional<Image> img;
  if (cairo_surface_status(argb) == CAIRO_STATUS_SUCCESS)
    img = detail::imageFromSurface(argb, 4);
  if (argb != surface) cairo_surface_destroy(argb);
  cairo_surface_destroy(surface);
  return img;
}

}  // namespace host::render
