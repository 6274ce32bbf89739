// Render.h - text metrics, extents, and drawing of scenes into PNG/SVG/PDF files, memory
// images, block preview icons and drawing thumbnails.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/render/Scene.h"
#include "host/render/Transform.h"

typedef struct _cairo cairo_t;

namespace host::render {

// ---- Text metrics -------------------------------------------------------------------------
// All texts are measured and drawn with one face, DejaVu Sans, scaled so that capital letters
// are `height` tall; no hinting, so sizes scale linearly and what is measured is what is drawn.

/// Metrics of one line of text at the origin, baseline along +x, y up, drawing units.
struct TextMetrics {
  double advance = 0;  ///< where the next character would start
  double ascent = 0;   ///< the face's ascender above the baseline
  double descent = 0;  ///< the face's descender below the baseline (positive)
  Extents ink;         ///< box of the drawn glyphs; not valid for empty or blank text
};

/// Metrics of `utf8` (malformed sequences count as U+FFFD). A non-finite or non-positive
/// height gives all zeros; a non-positive width factor counts as 1.
TextMetrics measureText(std::string_view utf8, double height, double widthFactor = 1.0);
TextMetrics measureText(std::wstring_view text, double height, double widthFactor = 1.0);

/// World box of a TEXT after alignment, rotation and its transform: the box around its
/// glyphs' box as placed (exact for unrotated text), or for blank text around the box from
/// the baseline to the cap height over the advance. Empty text, a non-positive height or
/// non-finite values give an invalid box.
Extents textExtents(const TextPrim& t);

/// One laid-out line of a multiline text. `origin` is the start of its baseline relative to
/// the location, before rotation.
struct MTextLine {
  std::string text;
  Point2 origin;
  double advance = 0;
};

struct MTextLayout {
  std::vector<MTextLine> lines;
  double width = 0;   ///< the widest line's advance
  double height = 0;  ///< from the top of the first line to the last baseline
};

/// Breaks a multiline text into lines (paragraphs, then word wrap at the reference width;
/// a word wider than the width keeps a line of its own) and places them by attachment.
/// Invalid input (non-finite, height <= 0) gives no lines.
MTextLayout layoutMText(const MTextPrim& m);

/// World box of a multiline text, like textExtents over its lines.
Extents mtextExtents(const MTextPrim& m);

/// World box of any primitive; invalid for degenerate or non-finite ones. Lines, arcs and
/// curves count without their width unless they are drawn as bands.
Extents primitiveExtents(const Primitive& p);

/// Union of the boxes of all primitives; invalid when none has any.
Extents sceneExtents(const Scene& scene);

// ---- Rendering ----------------------------------------------------------------------------

enum class Status {
  Ok,
  InvalidArgument,  ///< a size out of range, no pixels, an unsupported layout
  IoError,          ///< the file could not be written or read
  RenderError,      ///< cairo failed (memory)
};
const char* statusText(Status s);

/// Pixels in rows from the top, `channels` bytes a pixel (3: R,G,B; 4: R,G,B,A straight
/// alpha), no padding between rows.
struct Image {
  int width = 0, height = 0, channels = 3;
  std::vector<std::uint8_t> pixels;
  bool empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
};

/// How a scene is fitted into its picture. The view (the scene's extents unless given) is
/// fitted into width x height device units less the margin on every side, aspect kept,
/// centred, y axis up.
struct RenderOptions {
  int width = 800, height = 600;       ///< pixels (PNG, memory) or points (SVG, PDF)
  double margin = -1;                  ///< device units; negative: 4% of the shorter side
  std::optional<Extents> view;         ///< world area to show; invalid means the extents
  bool antialias = true;
  double hairline = 1.0;               ///< device width of zero-width lines
  bool transparent = false;            ///< leave the background transparent (alpha only)
  std::string pdfDate;                 ///< PDF: the creation date recorded (ISO 8601); empty: now
};

/// Draws `scene` into `cr` over the device area (0,0)-(width,height) of its current user
/// space. Non-finite primitives are skipped; parts far outside the picture are clipped
/// before they reach cairo. Returns RenderError when the context is in an error state.
[[nodiscard]] Status drawScene(cairo_t* cr, const Scene& scene, const RenderOptions& opt);

/// Raster sizes: 1..16384 a side and at most 2^26 pixels; vector sizes 1..14400 points.
[[nodiscard]] Status renderPng(const Scene& scene, const std::string& path,
                               const RenderOptions& opt = {});
[[nodiscard]] Status renderSvg(const Scene& scene, const std::string& path,
                               const RenderOptions& opt = {});
[[nodiscard]] Status renderPdf(const Scene& scene, const std::string& path,
                               const RenderOptions& opt = {});
/// The scene as RGB (channels 3) or RGBA (channels 4) pixels; nothing on a bad size.
std::optional<Image> renderImage(const Scene& scene, const RenderOptions& opt = {},
                                 int channels = 3);

// ---- Bitmaps ------------------------------------------------------------------------------

/// A block preview icon as the host keeps it with a block table record: BITMAPINFOHEADER
/// (32 x 32, bottom-up, 8 bits, BI_RGB, 256 colours), the ACI palette as 256 B,G,R,0
/// entries (entry 0 black), then 32 rows of 32 palette indices, bottom row first. The
/// geometry is fitted on black without antialiasing. Empty when the scene has no geometry.
std::vector<std::uint8_t> makePreviewIcon(const Scene& scene);

/// A drawing thumbnail in the layout of a DXF THUMBNAILIMAGE section (a BMP file without its
/// 14-byte file header): the same 8-bit ACI-palette layout as the preview icon at
/// width x height (1..4096), drawn antialiased over the scene's background and quantised.
/// A scene without geometry gives a blank picture; a bad size gives an empty vector.
std::vector<std::uint8_t> makeThumbnail(const Scene& scene, int width = 180, int height = 135);

/// Decodes an uncompressed device-independent bitmap (BITMAPINFOHEADER, V4/V5 or core
/// header; 1, 4, 8, 16, 24 or 32 bits; BI_RGB or BI_BITFIELDS; bottom-up or top-down)
/// into RGB. A leading 14-byte "BM" file header is skipped. Truncated, compressed or
/// implausible data (sides above 32768, more than 2^26 pixels) gives nothing.
std::optional<Image> decodeDib(std::span<const std::uint8_t> bytes);

/// Writes an RGB or RGBA image as PNG.
[[nodiscard]] Status writePng(const std::string& path, const Image& image);

/// Reads a PNG file into RGBA pixels; nothing when the file is missing or not a PNG.
std::optional<Image> readPng(const std::string& path);

}  // namespace host::render
