// Drawing entities as renderer primitives: block scenes for preview icons, thumbnails and
// exports.
#include <cmath>
#include <memory>

#include "DbScene.h"

namespace host::db {
namespace {

namespace hr = host::render;

struct Context {
    hr::Color byBlock = hr::Color::aci(7);
    int depth = 0;
    bool drawAttributeDefinitions = false;
};

hr::Point2 xy(const ZcGePoint3d& p) { return {p.x, p.y}; }

/// The layer of an entity is displayed (not off, not frozen).
bool layerShown(const ZcDbEntity* e, hr::Color* layerColor) {
    auto* layer = peek<ZcDbLayerTableRecord>(e->layerId());
    if (!layer) {
        *layerColor = hr::Color::aci(7);
        return true;
    }
    ZcCmColor c = layer->color();
    *layerColor = c.isByColor() ? hr::Color::trueColor(c.red(), c.green(), c.blue())
                                : hr::Color::aci(c.colorIndex());
    return !layer->isOff() && !layer->isFrozen();
}

hr::Color resolve(const ZcCmColor& c, const hr::Color& layerColor, const Context& ctx) {
    if (c.isByLayer())
        return layerColor;
    if (c.isByBlock())
        return ctx.byBlock;
    if (c.isByColor())
        return hr::Color::trueColor(c.red(), c.green(), c.blue());
    return hr::Color::aci(c.colorIndex());
}

hr::Transform2D transform2d(const ZcGeMatrix3d& m) {
    return {m.entry[0][0], m.entry[1][0], m.entry[0][1], m.entry[1][1], m.entry[0][3], m.entry[1][3]};
}

void appendBlock(hr::Scene& scene, ZcDbObjectId blockId, const Context& ctx);
void append(hr::Scene& scene, const ZcDbEntity* e, const Context& ctx);

void appendLeader(hr::Scene& scene, const ZcDbLeader* leader, const hr::Color& color, const Context& ctx) {
    int n = leader->numVertices();
    if (n == 0)
        return;
    hr::PolylinePrim line;
    for (int i = 0; i < n; ++i)
        line.vertices.push_back({xy(leader->vertexAt(i)), 0, 0, 0});
    line.color = color;
    scene.add(line);
    if (!leader->hasArrowHead() || n < 2)
        return;
    double size = leader->dimasz() * (leader->dimscale() > 0.0 ? leader->dimscale() : 1.0);
    ZcGePoint3d tip = leader->vertexAt(0), next = leader->vertexAt(1);
    double angle = std::atan2(tip.y - next.y, tip.x - next.x);  // the arrow points at the tip
    if (size <= 0.0)
        return;
    if (!leader->dimldrblk().isNull()) {
        hr::Scene arrow;
        Context inner = ctx;
        inner.byBlock = color;
        inner.depth = ctx.depth + 1;
        appendBlock(arrow, leader->dimldrblk(), inner);
        hr::Transform2D t = hr::Transform2D::scaling(size, size)
                                .then(hr::Transform2D::rotation(angle))
                                .then(hr::Transform2D::translation(tip.x, tip.y));
        hr::appendTransformed(scene, arrow, t);
        return;
    }
    // The default arrow: a closed filled triangle.
    hr::FillPrim fill;
    hr::FillPrim::Loop loop;
    double c = std::cos(angle), s = std::sin(angle);
    auto rot = [&](double x, double y) { return hr::Point2{tip.x + x * c - y * s, tip.y + x * s + y * c}; };
    loop.points = {rot(0, 0), rot(-size, size / 6), rot(-size, -size / 6)};
    fill.loops.push_back(loop);
    fill.color = color;
    scene.add(fill);
}

void append(hr::Scene& scene, const ZcDbEntity* e, const Context& ctx) {
    if (!e || e->isErased() || e->visibility() == ZcDb::kInvisible)
        return;
    hr::Color layerColor;
    if (!layerShown(e, &layerColor))
        return;
    hr::Color color = resolve(e->color(), layerColor, ctx);

    if (auto* line = ZcDbLine::cast(e)) {
        scene.add(hr::LinePrim{xy(line->startPoint()), xy(line->endPoint()), 0, color});
    } else if (auto* circle = ZcDbCircle::cast(e)) {
        scene.add(hr::CirclePrim{xy(circle->center()), circle->radius(), color});
    } else if (auto* arc = ZcDbArc::cast(e)) {
        ZcGePoint3d a, b;
        arc->getStartPoint(a);
        arc->getEndPoint(b);
        ZcGePoint3d c = arc->center();
        double a0 = std::atan2(a.y - c.y, a.x - c.x), a1 = std::atan2(b.y - c.y, b.x - c.x);
        if (arc->normal().z < 0.0)
            std::swap(a0, a1);
        if (a1 <= a0)
            a1 += 2.0 * ZcGe::kPi;
        scene.add(hr::ArcPrim{xy(c), arc->radius(), a0, a1, color});
    } else if (auto* point = ZcDbPoint::cast(e)) {
        scene.add(hr::PointPrim{xy(point->position()), color});
    } else if (auto* solid = ZcDbSolid::cast(e)) {
        hr::FillPrim fill;
        hr::FillPrim::Loop loop;
        for (Zdesk::UInt16 i : {0, 1, 3, 2}) {
            ZcGePoint3d p;
            solid->getPointAt(i, p);
            loop.points.push_back(xy(p));
        }
        fill.loops.push_back(loop);
        fill.color = color;
        scene.add(fill);
    } else if (auto* pline = ZcDbPolyline::cast(e)) {
        hr::PolylinePrim prim;
        double flip = pline->normal().z < 0.0 ? -1.0 : 1.0;
        for (unsigned i = 0; i < pline->numVerts(); ++i) {
            ZcGePoint3d p;
            double bulge = 0, sw = 0, ew = 0;
            pline->getPointAt(i, p);
            pline->getBulgeAt(i, bulge);
            pline->getWidthsAt(i, sw, ew);
            prim.vertices.push_back({xy(p), sw, ew, bulge * flip});
        }
        prim.closed = pline->isClosed();
        prim.color = color;
        scene.add(prim);
    } else if (auto* hatch = ZcDbHatch::cast(e)) {
        hr::FillPrim fill;
        for (int i = 0; i < hatch->numLoops(); ++i) {
            Zdesk::Int32 type = 0;
            ZcGePoint2dArray points;
            ZcGeDoubleArray bulges;
            hatch->getLoopAt(i, type, points, bulges);
            hr::FillPrim::Loop loop;
            ZcGeMatrix3d toWorld = ZcGeMatrix3d::planeToWorld(hatch->normal());
            for (int k = 0; k < points.length(); ++k) {
                loop.points.push_back(xy(toWorld * ZcGePoint3d(points[k].x, points[k].y, hatch->elevation())));
                loop.bulges.push_back(bulges.isEmpty() ? 0.0 : bulges[k] * (hatch->normal().z < 0 ? -1 : 1));
            }
            if (hatch->isSolidFill()) {
                fill.loops.push_back(loop);
            } else {
                hr::PolylinePrim outline;
                for (size_t k = 0; k < loop.points.size(); ++k)
                    outline.vertices.push_back({loop.points[k], 0, 0, loop.bulges[k]});
                outline.closed = true;
                outline.color = color;
                scene.add(outline);
            }
        }
        if (!fill.loops.empty()) {
            fill.color = color;
            scene.add(fill);
        }
    } else if (auto* attribute = ZcDbAttribute::cast(e)) {
        if (attribute->isInvisible())
            return;
        if (const ZcDbMText* m = attribute->mtextForm()) {
            hr::MTextPrim prim = mtextPrim(*m);
            prim.color = color;
            scene.add(prim);
        } else {
            hr::TextPrim prim = textPrim(*attribute);
            prim.color = color;
            scene.add(prim);
        }
    } else if (auto* def = ZcDbAttributeDefinition::cast(e)) {
        if (!ctx.drawAttributeDefinitions || def->isInvisible())
            return;
        hr::TextPrim prim = textPrim(*def);
        prim.setText(def->tagConst());
        prim.color = color;
        scene.add(prim);
    } else if (auto* text = ZcDbText::cast(e)) {
        hr::TextPrim prim = textPrim(*text);
        prim.color = color;
        scene.add(prim);
    } else if (auto* mtext = ZcDbMText::cast(e)) {
        hr::MTextPrim prim = mtextPrim(*mtext);
        prim.color = color;
        scene.add(prim);
    } else if (auto* table = ZcDbTable::cast(e)) {
        ZcDbVoidPtrArray parts;
        table->explode(parts);
        for (void* p : parts) {
            std::unique_ptr<ZcDbEntity> part(static_cast<ZcDbEntity*>(p));
            append(scene, part.get(), ctx);
        }
    } else if (auto* ref = ZcDbBlockReference::cast(e)) {
        if (ctx.depth < kMaxBlockNesting) {
            hr::Scene inner;
            Context nested;
            nested.byBlock = color;
            nested.depth = ctx.depth + 1;
            appendBlock(inner, ref->blockTableRecord(), nested);
            hr::appendTransformed(scene, inner, transform2d(ref->blockTransform()));
        }
        for (const ZcDbObjectId& id : ref->attributeIds())
            append(scene, peek<ZcDbEntity>(id), ctx);
    } else if (auto* leader = ZcDbLeader::cast(e)) {
        appendLeader(scene, leader, color, ctx);
    }
}

void appendBlock(hr::Scene& scene, ZcDbObjectId blockId, const Context& ctx) {
    auto* block = peek<ZcDbBlockTableRecord>(blockId);
    if (!block || ctx.depth > kMaxBlockNesting)
        return;
    for (const ZcDbObjectId& id : block->entityIds())
        append(scene, peek<ZcDbEntity>(id), ctx);
}

}  // namespace

hr::Scene blockScene(ZcDbObjectId blockRecord) {
    hr::Scene scene;
    auto* block = peek<ZcDbBlockTableRecord>(blockRecord);
    if (!block)
        return scene;
    Context ctx;
    ctx.drawAttributeDefinitions = block->isLayout();
    appendBlock(scene, blockRecord, ctx);
    return scene;
}

void appendEntity(hr::Scene& scene, const ZcDbEntity* entity) { append(scene, entity, Context()); }

}  // namespace host::db
