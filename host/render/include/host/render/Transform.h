// Transform.h - mapping primitives through affine transforms, for flattening block
// references into one scene.
#pragma once

#include "host/render/Scene.h"

namespace host::render {

/// The transform of a block reference: the block's base point goes to `insert`, scaled by
/// (sx, sy) and then turned by `rotation` (radians) about it.
Transform2D blockTransform(Point2 basePoint, Point2 insert, double sx, double sy,
                           double rotation);

/// `p` mapped through `m`. Under similarities (uniform scale, rotation, mirroring, moves)
/// the result is exact: circles stay circles, bulges keep their arcs (mirroring reverses
/// them), widths scale. Under uneven scaling or shear, circles and arcs become ellipses
/// (exact); bulged segments of polylines and fill loops are cut into short straight pieces
/// and widths scale by the square root of the area factor. Texts keep their placement and
/// carry `m` in their own transform, so they are exact under any map.
Primitive transformed(const Primitive& p, const Transform2D& m);

/// Appends every primitive of `src` to `dst`, mapped through `m`.
void appendTransformed(Scene& dst, const Scene& src, const Transform2D& m);

}  // namespace host::render
