// HATCH group table: boundary paths (polyline and edge paths), pattern lines, seed points.
#include "Codec.h"

namespace host::dxf::detail {

namespace {

using E = Emit;

bool at(TagSpan t, std::size_t i, int code) { return i < t.size() && t[i].code == code; }

/// Reads the groups of one edge after its 72 type group; returns the index after them.
std::size_t readEdge(HatchEdge& e, TagSpan t, std::size_t i) {
  auto take = [&](int code, double& out) {
    if (at(t, i, code)) out = t[i++].real;
  };
  switch (e.type) {
    case HatchEdge::Type::Line:
      take(10, e.x0), take(20, e.y0), take(11, e.x1), take(21, e.y1);
      break;
    case HatchEdge::Type::Arc:
      take(10, e.x0), take(20, e.y0), take(40, e.radius), take(50, e.startAngle), take(51, e.endAngle);
      if (at(t, i, 73)) e.counterClockwise = static_cast<int>(t[i++].integer);
      break;
    case HatchEdge::Type::Ellipse:
      take(10, e.x0), take(20, e.y0), take(11, e.x1), take(21, e.y1), take(40, e.radius);
      take(50, e.startAngle), take(51, e.endAngle);
      if (at(t, i, 73)) e.counterClockwise = static_cast<int>(t[i++].integer);
      break;
    case HatchEdge::Type::Spline:
      for (; i < t.size(); ++i) {
        int c = t[i].code;
        bool splineCode = c == 94 || c == 73 || c == 74 || c == 95 || c == 96 || c == 40 ||
                          c == 42 || c == 10 || c == 20 || c == 11 || c == 21 || c == 12 ||
                          c == 22 || c == 13 || c == 23;
        // 97 is the fit point count here, unless it is the path's source object count.
        if (c == 97 && i + 1 < t.size()) {
          int n = t[i + 1].code;
          splineCode = n == 11 || n == 12 || n == 13 || n == 97 || n == 72;
        }
        if (!splineCode) break;
        e.splineTags.emplace_back(t[i]);
      }
      break;
  }
  return i;
}

std::size_t readPaths(Hatch& h, TagSpan t, std::size_t i, ReadContext& ctx) {
  std::int64_t count = t[i].integer;
  std::uint32_t line = t[i].line;
  ++i;
  std::int64_t read = 0;
  while (read < count && at(t, i, 92)) {
    HatchPath& p = h.paths.emplace_back();
    p.flags = static_cast<int>(t[i++].integer);
    if (p.isPolyline()) {
      if (at(t, i, 72)) p.hasBulge = static_cast<int>(t[i++].integer);
      if (at(t, i, 73)) p.closed = static_cast<int>(t[i++].integer);
      std::int64_t n = at(t, i, 93) ? t[i++].integer : 0;
      for (std::int64_t k = 0; k < n && at(t, i, 10); ++k) {
        LwVertex& v = p.vertices.emplace_back();
        v.x = t[i++].real;
        if (at(t, i, 20)) v.y = t[i++].real;
        if (at(t, i, 42)) v.bulge = t[i++].real;
      }
      if (static_cast<std::int64_t>(p.vertices.size()) != n)
        ctx.log.add(line, ctx.handle, "hatch path announces " + std::to_string(n) + " vertices but has " +
                                          std::to_string(p.vertices.size()));
    } else {
      std::int64_t n = at(t, i, 93) ? t[i++].integer : 0;
      for (std::int64_t k = 0; k < n && at(t, i, 72); ++k) {
        HatchEdge& e = p.edges.emplace_back();
        std::int64_t type = t[i++].integer;
        if (type < 1 || type > 4) {
          ctx.log.add(t[i - 1].line, ctx.handle, "unknown hatch edge type " + std::to_string(type));
          type = 1;
        }
        e.type = static_cast<HatchEdge::Type>(type);
        i = readEdge(e, t, i);
      }
      if (static_cast<std::int64_t>(p.edges.size()) != n)
        ctx.log.add(line, ctx.handle, "hatch path announces " + std::to_string(n) + " edges but has " +
                                          std::to_string(p.edges.size()));
    }
    if (at(t, i, 97)) {
      std::int64_t n = t[i++].integer;
      for (std::int64_t k = 0; k < n && at(t, i, 330); ++k) p.sourceHandles.emplace_back(t[i++].value);
    }
    ++read;
  }
  if (read != count)
    ctx.log.add(line, ctx.handle, "hatch announces " + std::to_string(count) + " boundary paths but has " +
                                      std::to_string(read));
  return i;
}

void writeEdge(const HatchEdge& e, TagWriter& w) {
  w.write(72, static_cast<int>(e.type));
  switch (e.type) {
    case HatchEdge::Type::Line:
      w.writePoint(10, e.x0, e.y0, 0, 2);
      w.writePoint(11, e.x1, e.y1, 0, 2);
      break;
    case HatchEdge::Type::Arc:
      w.writePoint(10, e.x0, e.y0, 0, 2);
      w.write(40, e.radius);
      w.write(50, e.startAngle);
      w.write(51, e.endAngle);
      w.write(73, e.counterClockwise);
      break;
    case HatchEdge::Type::Ellipse:
      w.writePoint(10, e.x0, e.y0, 0, 2);
      w.writePoint(11, e.x1, e.y1, 0, 2);
      w.write(40, e.radius);
      w.write(50, e.startAngle);
      w.write(51, e.endAngle);
      w.write(73, e.counterClockwise);
      break;
    case HatchEdge::Type::Spline:
      w.write(e.splineTags);
      break;
  }
}

void writePaths(const Hatch& h, TagWriter& w) {
  w.write(91, static_cast<int>(h.paths.size()));
  for (const HatchPath& p : h.paths) {
    w.write(92, p.flags);
    if (p.isPolyline()) {
      bool bulges = p.hasBulge;
      for (const LwVertex& v : p.vertices) bulges = bulges || v.bulge != 0;
      w.write(72, bulges ? 1 : 0);
      w.write(73, p.closed);
      w.write(93, static_cast<int>(p.vertices.size()));
      for (const LwVertex& v : p.vertices) {
        w.writePoint(10, v.x, v.y, 0, 2);
        if (bulges) w.write(42, v.bulge);
      }
    } else {
      w.write(93, static_cast<int>(p.edges.size()));
      for (const HatchEdge& e : p.edges) writeEdge(e, w);
    }
    w.write(97, static_cast<int>(p.sourceHandles.size()));
    for (const std::string& s : p.sourceHandles) w.write(330, s);
  }
}

std::size_t readPatternLines(Hatch& h, TagSpan t, std::size_t i, ReadContext&) {
  for (++i; i < t.size(); ++i) {
    int c = t[i].code;
    if (c != 53 && c != 43 && c != 44 && c != 45 && c != 46 && c != 79 && c != 49) break;
    h.patternLines.emplace_back(t[i]);
  }
  return i;
}

void writePatternLines(const Hatch& h, TagWriter& w) {
  int lines = 0;
  for (const Tag& tag : h.patternLines) lines += tag.code == 53;
  w.write(78, lines);
  w.write(h.patternLines);
}

std::size_t readSeeds(Hatch& h, TagSpan t, std::size_t i, ReadContext&) {
  std::int64_t n = t[i++].integer;
  for (std::int64_t k = 0; k < n && at(t, i, 10); ++k) {
    Vec3& p = h.seeds.emplace_back();
    p.x = t[i++].real;
    if (at(t, i, 20)) p.y = t[i++].real;
  }
  return i;
}

void writeSeeds(const Hatch& h, TagWriter& w) {
  w.write(98, static_cast<int>(h.seeds.size()));
  for (const Vec3& p : h.seeds) w.writePoint(10, p.x, p.y, 0, 2);
}

bool patterned(const Hatch& h) { return h.solidFill == 0; }

}  // namespace

const Schema<Hatch>& hatchSchema() {
  static const Schema<Hatch> s({{"AcDbHatch",
                                 {{10, &Hatch::elevation},
                                  {210, &Hatch::extrusion},
                                  {2, &Hatch::pattern},
                                  {70, &Hatch::solidFill},
                                  {71, &Hatch::associative},
                                  {91, Hook<Hatch>{readPaths, writePaths}},
                                  {75, &Hatch::style},
                                  {76, &Hatch::patternType},
                                  {52, &Hatch::patternAngle, E::Always, patterned},
                                  {41, &Hatch::patternScale, E::Always, patterned},
                                  {77, &Hatch::patternDouble, E::Always, patterned},
                                  {78, Hook<Hatch>{readPatternLines, writePatternLines}, E::Always, patterned},
                                  {47, &Hatch::pixelSize, E::NonDefault},
                                  {98, Hook<Hatch>{readSeeds, writeSeeds}}}}});
  return s;
}

}  // namespace host::dxf::detail
