// Text.cpp - placement of TEXT and MTEXT in the world, their metrics and extents.
#include <algorithm>
#include <cmath>

#include "Internal.h"

namespace host::render {
namespace detail {
namespace {

double sanitizeWidthFactor(double wf) { return (finite(wf) && wf > 0) ? wf : 1.0; }

// Glyph space (kRefSize units, y down) to the text's own frame (drawing units, y up) with
// the baseline start moved to (dx, dy).
Affine glyphToLocal(double k, double widthFactor, double oblique, double dx, double dy) {
  Affine a;
  a.xx = k * widthFactor;
  a.xy = -k * std::tan(oblique);
  a.yx = 0;
  a.yy = -k;
  a.x0 = dx;
  a.y0 = dy;
  return a;
}

Affine fromTransform(const Transform2D& t) { return Affine{t.a, t.b, t.c, t.d, t.tx, t.ty}; }

Affine localToWorld(Point2 origin, double rotation) {
  Affine a;
  a.xx = std::cos(rotation);
  a.yx = std::sin(rotation);
  a.xy = -a.yx;
  a.yy = a.xx;
  a.x0 = origin.x;
  a.y0 = origin.y;
  return a;
}

}  // namespace

Affine Affine::after(const Affine& in) const {
  Affine r;
  r.xx = xx * in.xx + xy * in.yx;
  r.xy = xx * in.xy + xy * in.yy;
  r.yx = yx * in.xx + yy * in.yx;
  r.yy = yx * in.xy + yy * in.yy;
  r.x0 = xx * in.x0 + xy * in.y0 + x0;
  r.y0 = yx * in.x0 + yy * in.y0 + y0;
  return r;
}

bool Affine::finite() const {
  return detail::finite(xx) && detail::finite(yx) && detail::finite(xy) &&
         detail::finite(yy) && detail::finite(x0) && detail::finite(y0);
}

std::vector<PlacedRun> placeText(const TextPrim& t) {
  std::vector<PlacedRun> out;
  if (t.text.empty() || !finite(t.height) || t.height <= 0 || !finite(t.insert) ||
      !finite(t.rotation) || !finite(t.oblique))
    return out;
  const Font& f = font();
  GlyphRun run = shapeText(t.text);
  if (run.glyphs.empty()) return out;

  double wf = sanitizeWidthFactor(t.widthFactor);
  double k = t.height / (f.capHeight * kRefSize);  // drawing units a glyph unit
  double rotation = t.rotation;
  Point2 origin = t.insert;
  double dx = 0, dy = 0;
  const int h = (t.halign >= 0 && t.halign <= 5) ? t.halign : 0;
  const int v = (t.valign >= 0 && t.valign <= 3) ? t.valign : 0;
  const bool useAlign = (h != 0 || v != 0) && finite(t.align);

  if (h == 3 || h == 5) {
    // Aligned and fit run the baseline from the insertion point to the alignment point.
    const double ddx = t.align.x - t.insert.x, ddy = t.align.y - t.insert.y;
    const double len = std::hypot(ddx, ddy);
    const double natural = k * wf * run.advance;
    if (useAlign && finite(len) && len > 0 && natural > 0) {
      rotation = std::atan2(ddy, ddx);
      if (h == 3) k *= len / natural;
      else wf *= len / natural;
    }
  } else if (useAlign) {
    origin = t.align;
    const double width = k * wf * run.advance;
    const double capHeight = t.height;
    const double descent = k * f.descent * kRefSize;
    if (h == 4) {
      dx = -width / 2;
      dy = -(capHeight - descent) / 2;
    } else {
      dx = h == 1 ? -width / 2 : h == 2 ? -width : 0.0;
      dy = v == 1 ? descent : v == 2 ? -capHeight / 2 : v == 3 ? -capHeight : 0.0;
    }
  }

  PlacedRun pr;
  pr.toWorld = fromTransform(t.transform)
                   .after(localToWorld(origin, rotation))
                   .after(glyphToLocal(k, wf, t.oblique, dx, dy));
  if (!pr.toWorld.finite()) return out;
  pr.run = std::move(run);
  pr.capHeight = f.capHeight * kRefSize;
  out.push_back(std::move(pr));
  return out;
}

namespace {

bool validMText(const MTextPrim& m) {
  return !m.text.empty() && finite(m.height) && m.height > 0 && finite(m.location) &&
         finite(m.rotation);
}

// Splits at ' ' keeping empty words, so runs of spaces survive a join with ' '.
std::vector<std::string_view> splitWords(std::string_view para) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (;;) {
    const std::size_t sp = para.find(' ', start);
    if (sp == std::string_view::npos) {
      words.push_back(para.substr(start));
      return words;
    }
    words.push_back(para.substr(start, sp - start));
    start = sp + 1;
  }
}

// Lines of the text with their advances in glyph units.
std::vector<std::pair<std::string, double>> wrapLines(const MTextPrim& m, double unitsPerGlyph) {
  std::vector<std::pair<std::string, double>> lines;
  const double limit = (finite(m.referenceWidth) && m.referenceWidth > 0)
                           ? m.referenceWidth / unitsPerGlyph
                           : 0.0;
  const double space = shapeText(" ").advance;
  std::string_view text = m.text;
  std::size_t start = 0;
  for (;;) {
    const std::size_t nl = text.find('\n', start);
    std::string_view para = text.substr(start, nl == std::string_view::npos ? nl : nl - start);
    if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
    if (limit <= 0) {
      lines.emplace_back(std::string(para), shapeText(para).advance);
    } else {
      std::string line;
      double width = 0;
      bool first = true;
      for (std::string_view word : splitWords(para)) {
        const double w = word.empty() ? 0.0 : shapeText(word).advance;
        if (!first && width + space + w > limit * (1 + 1e-9)) {
          lines.emplace_back(std::move(line), width);
          line.assign(word);
          width = w;
          continue;
        }
        if (!first) {
          line += ' ';
          width += space;
        }
        line.append(word);
        width += w;
        first = false;
      }
      lines.emplace_back(std::move(line), width);
    }
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
  return lines;
}

struct LaidOut {
  MTextLayout layout;
  double k = 0, wf = 1;
};

LaidOut layout(const MTextPrim& m) {
  LaidOut out;
  if (!validMText(m)) return out;
  const Font& f = font();
  out.wf = sanitizeWidthFactor(m.widthFactor);
  out.k = m.height / (f.capHeight * kRefSize);
  const double unit = out.k * out.wf;
  auto lines = wrapLines(m, unit);
  const double spacing = (finite(m.lineSpacing) && m.lineSpacing > 0) ? m.lineSpacing : 1.0;
  const double step = m.height * 5.0 / 3.0 * spacing;
  const int a = (m.attachment >= 1 && m.attachment <= 9) ? m.attachment : 1;
  const int col = (a - 1) % 3, row = (a - 1) / 3;
  const double blockHeight = m.height + step * static_cast<double>(lines.size() - 1);
  const double shift = row == 0 ? 0.0 : row == 1 ? blockHeight / 2 : blockHeight;

  MTextLayout& l = out.layout;
  l.height = blockHeight;
  double y = -m.height + shift;
  for (auto& [text, glyphAdvance] : lines) {
    MTextLine line;
    line.advance = glyphAdvance * unit;
    line.origin.x = col == 0 ? 0.0 : col == 1 ? -line.advance / 2 : -line.advance;
    line.origin.y = y;
    line.text = std::move(text);
    l.width = std::max(l.width, line.advance);
    l.lines.push_back(std::move(line));
    y -= step;
  }
  return out;
}

}  // namespace

std::vector<PlacedRun> placeMText(const MTextPrim& m) {
  std::vector<PlacedRun> out;
  LaidOut lo = layout(m);
  if (lo.layout.lines.empty()) return out;
  const Affine world = fromTransform(m.transform).after(localToWorld(m.location, m.rotation));
  for (const MTextLine& line : lo.layout.lines) {
    if (line.text.empty()) continue;
    PlacedRun pr;
    pr.run = shapeText(line.text);
    if (pr.run.glyphs.empty()) continue;
    pr.toWorld = world.after(glyphToLocal(lo.k, lo.wf, 0, line.origin.x, line.origin.y));
    if (!pr.toWorld.finite()) continue;
    pr.capHeight = font().capHeight * kRefSize;
    out.push_back(std::move(pr));
  }
  return out;
}

bool runBox(const PlacedRun& r, Point2 corners[4]) {
  double x0, y0, x1, y1;
  if (r.run.hasInk) {
    x0 = r.run.inkX0;
    y0 = r.run.inkY0;
    x1 = r.run.inkX1;
    y1 = r.run.inkY1;
  } else if (r.run.advance > 0) {
    x0 = 0;
    x1 = r.run.advance;
    y0 = -r.capHeight;
    y1 = 0;
  } else {
    return false;
  }
  corners[0] = {x0, y0};
  corners[1] = {x1, y0};
  corners[2] = {x1, y1};
  corners[3] = {x0, y1};
  return true;
}

Extents runsExtents(const std::vector<PlacedRun>& runs) {
  Extents e;
  for (const PlacedRun& r : runs) {
    Point2 c[4];
    if (!runBox(r, c)) continue;
    for (Point2 p : c) e.add(r.toWorld.apply(p));
  }
  return e;
}

}  // namespace detail

TextMetrics measureText(std::string_view utf8, double height, double widthFactor) {
  TextMetrics m;
  if (!detail::finite(height) || height <= 0) return m;
  const detail::Font& f = detail::font();
  const double wf = detail::sanitizeWidthFactor(widthFactor);
  const double k = height / (f.capHeight * detail::kRefSize);
  m.ascent = f.ascent * detail::kRefSize * k;
  m.descent = f.descent * detail::kRefSize * k;
  const detail::GlyphRun run = detail::shapeText(utf8);
  m.advance = run.advance * k * wf;
  if (run.hasInk) {
    m.ink.add(Point2{run.inkX0 * k * wf, -run.inkY1 * k});
    m.ink.add(Point2{run.inkX1 * k * wf, -run.inkY0 * k});
  }
  return m;
}

TextMetrics measureText(std::wstring_view text, double height, double widthFactor) {
  return measureText(utf8FromWide(text), height, widthFactor);
}

Extents textExtents(const TextPrim& t) { return detail::runsExtents(detail::placeText(t)); }

MTextLayout layoutMText(const MTextPrim& m) { return detail::layout(m).layout; }

Extents mtextExtents(const MTextPrim& m) { return detail::runsExtents(detail::placeMText(m)); }

}  // namespace host::render
