// Old-style 2D POLYLINE/VERTEX/SEQEND read as a lightweight polyline.
#include <algorithm>

#include "host/dxf/Entities.h"

namespace host::dxf::detail {

namespace {

bool isEntitySubclass(const ExtraTag& x) { return x.subclass == "AcDbEntity"; }

}  // namespace

/// Converts a raw POLYLINE with its VERTEX children into an LWPOLYLINE when nothing would be
/// lost: a 2D polyline without curve or spline fitting, whose groups are all known. Returns
/// false (and leaves the entity raw) otherwise.
bool convertPolyline(Entity& e) {
  LwPolyline lw;
  double defStart = 0, defEnd = 0;
  int flags = 0;
  std::vector<ExtraTag> kept;
  for (const ExtraTag& x : e.extra) {
    if (isEntitySubclass(x)) {
      kept.push_back(x);
      continue;
    }
    const Tag& t = x.tag;
    auto d = t.toDouble().value_or(0);
    switch (t.code) {
      case 100:
        if (t.value != "AcDb2dPolyline") return false;
        break;
      case 66: case 10: case 20: break;
      case 30: lw.elevation = d; break;
      case 39: lw.thickness = d; break;
      case 40: defStart = d; break;
      case 41: defEnd = d; break;
      case 70: flags = static_cast<int>(t.toInt().value_or(0)); break;
      case 210: lw.extrusion.x = d; break;
      case 220: lw.extrusion.y = d; break;
      case 230: lw.extrusion.z = d; break;
      case 71: case 72: case 73: case 74: case 75:
        if (d != 0) return false;
        break;
      default:
        return false;
    }
  }
  if (flags & ~(1 | 128)) return false;  // fitted, 3D, mesh or polyface
  for (const Entity& v : e.children) {
    if (!v.xdata.empty() || !v.appData.empty()) return false;
    LwVertex& out = lw.vertices.emplace_back();
    out.startWidth = defStart;
    out.endWidth = defEnd;
    for (const ExtraTag& x : v.extra) {
      if (isEntitySubclass(x)) continue;
      const Tag& t = x.tag;
      auto d = t.toDouble().value_or(0);
      switch (t.code) {
        case 100:
          if (t.value != "AcDbVertex" && t.value != "AcDb2dVertex") return false;
          break;
        case 10: out.x = d; break;
        case 20: out.y = d; break;
        case 30: break;
        case 40: out.startWidth = d; break;
        case 41: out.endWidth = d; break;
        case 42: out.bulge = d; break;
        case 91: out.id = static_cast<int>(d); break;
        case 70:
          if (d != 0) return false;
          break;
        default:
          return false;
      }
    }
  }
  lw.flags = flags;
  bool constant = !lw.vertices.empty() && std::all_of(lw.vertices.begin(), lw.vertices.end(), [&](const LwVertex& v) {
    return v.startWidth == lw.vertices[0].startWidth && v.endWidth == v.startWidth;
  });
  if (constant && lw.vertices[0].startWidth != 0) {
    lw.constantWidth = lw.vertices[0].startWidth;
    for (LwVertex& v : lw.vertices) v.startWidth = v.endWidth = 0;
  }
  e.type = "LWPOLYLINE";
  e.data = std::move(lw);
  e.extra = std::move(kept);
  e.children.clear();
  e.seqend.reset();
  return true;
}

}  // namespace host::dxf::detail
