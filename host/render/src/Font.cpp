// Font.cpp - the drawing face (DejaVu Sans through FreeType) and the shaping of text runs.
#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>

#include "Internal.h"

namespace host::render::detail {
namespace {

constexpr const char* kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/TTF/DejaVuSans.ttf",
};

const cairo_user_data_key_t kFaceKey{};

cairo_font_face_t* loadFreeTypeFace() {
  static FT_Library library = nullptr;  // kept for the life of the process
  if (!library && FT_Init_FreeType(&library) != 0) {
    library = nullptr;
    return nullptr;
  }
  for (const char* file : kFontFiles) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file, 0, &face) != 0) continue;
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
    if (cairo_font_face_status(cf) != CAIRO_STATUS_SUCCESS ||
        cairo_font_face_set_user_data(cf, &kFaceKey, face,
                                      [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); }) !=
            CAIRO_STATUS_SUCCESS) {
      cairo_font_face_destroy(cf);
      FT_Done_Face(face);
      continue;
    }
    return cf;
  }
  return nullptr;
}

Font loadFont() {
  Font f;
  f.face = loadFreeTypeFace();
  if (!f.face) f.face = cairo_toy_font_face_create("DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                                                   CAIRO_FONT_WEIGHT_NORMAL);
  cairo_matrix_t fm, ctm;
  cairo_matrix_init_scale(&fm, kRefSize, kRefSize);
  cairo_matrix_init_identity(&ctm);
  cairo_font_options_t* opts = makeFontOptions(true);
  f.ref = cairo_scaled_font_create(f.face, &fm, &ctm, opts);
  cairo_font_options_destroy(opts);
  if (cairo_scaled_font_status(f.ref) != CAIRO_STATUS_SUCCESS) return f;

  cairo_font_extents_t fe;
  cairo_scaled_font_extents(f.ref, &fe);
  if (fe.ascent > 0) f.ascent = fe.ascent / kRefSize;
  if (fe.descent > 0) f.descent = fe.descent / kRefSize;
  cairo_text_extents_t te;
  cairo_scaled_font_text_extents(f.ref, "H", &te);
  if (te.height > 0) f.capHeight = te.height / kRefSize;
  return f;
}

}  // namespace

cairo_font_options_t* makeFontOptions(bool antialias) {
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(o, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  return o;
}

const Font& font() {
  static const Font f = loadFont();
  return f;
}

GlyphRun shapeText(std::string_view utf8) {
  GlyphRun run;
  if (utf8.empty()) return run;
  // Longer lines are cut: no drawing holds them, and cairo counts bytes in an int.
  constexpr std::size_t kMaxBytes = 1 << 20;
  std::string text = sanitizeUtf8(utf8.substr(0, kMaxBytes));
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  const Font& f = font();
  if (cairo_scaled_font_status(f.ref) != CAIRO_STATUS_SUCCESS) return run;

  cairo_glyph_t* glyphs = nullptr;
  int count = 0;
  if (cairo_scaled_font_text_to_glyphs(f.ref, 0, 0, text.data(), static_cast<int>(text.size()),
                                       &glyphs, &count, nullptr, nullptr, nullptr) !=
      CAIRO_STATUS_SUCCESS) {
    return run;
  }
  run.glyphs.assign(glyphs, glyphs + count);
  cairo_glyph_free(glyphs);
  if (run.glyphs.empty()) return run;

  cairo_text_extents_t te;
  cairo_scaled_font_glyph_extents(f.ref, run.glyphs.data(), static_cast<int>(run.glyphs.size()),
                                  &te);
  run.advance = te.x_advance;
  if (te.width > 0 && te.height > 0) {
    run.hasInk = true;
    run.inkX0 = te.x_bearing;
    run.inkY0 = te.y_bearing;
    run.inkX1 = te.x_bearing + te.width;
    run.inkY1 = te.y_bearing + te.height;
  }
  return run;
}

}  // namespace host::render::detail
