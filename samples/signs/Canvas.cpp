#include "Canvas.h"

#include <cmath>

#include "host/db/Scene.h"
#include "host/render/Render.h"
#include "platform/Paths.h"

namespace samples {

Canvas::Canvas() : db_(std::make_unique<ZcDbDatabase>(true, true)) {}

Canvas::~Canvas() = default;

void Canvas::layer(const wchar_t* name, int color) {
    ZcDbLayerTable* table = nullptr;
    if (db_->getLayerTable(table, ZcDb::kForWrite) != Zcad::eOk)
        return;
    ZcDbObjectId id;
    if (table->getAt(name, id) != Zcad::eOk) {
        auto* record = new ZcDbLayerTableRecord;
        record->setName(name);
        ZcCmColor c;
        c.setColorIndex(static_cast<Zdesk::UInt16>(color));
        record->setColor(c);
        if (table->add(id, record) == Zcad::eOk)
            record->close();
        else
            delete record;
    }
    table->close();
    layer_ = id;
}

void Canvas::append(ZcDbEntity* entity, int color) {
    ZcDbBlockTableRecord* space = nullptr;
    if (zcdbOpenObject(space, db_->modelSpaceId(), ZcDb::kForWrite) != Zcad::eOk) {
        delete entity;
        return;
    }
    if (!layer_.isNull())
        entity->setLayer(layer_);
    if (color > 0)
        entity->setColorIndex(static_cast<Zdesk::UInt16>(color));
    if (space->appendZcDbEntity(entity) == Zcad::eOk)
        entity->close();
    else
        delete entity;
    space->close();
}

void Canvas::fill(std::initializer_list<P> points, int color, std::vector<double> bulges) {
    ZcGePoint2dArray vertices;
    ZcGeDoubleArray arcs;
    for (P p : points)
        vertices.append(ZcGePoint2d(at(p).x, at(p).y));
    for (double b : bulges)
        arcs.append(bulge(b));
    auto* hatch = new ZcDbHatch;
    hatch->appendLoop(ZcDbHatch::kExternal | ZcDbHatch::kPolyline, vertices, arcs);
    append(hatch, color);
}

void Canvas::fillCircle(P c, double r, int color) { fill({{c.x - r, c.y}, {c.x + r, c.y}}, color, {1.0, 1.0}); }


void Canvas::fillRing(P c, double outer, double inner, int color) {
    auto* hatch = new ZcDbHatch;
    const P centre = at(c);
    for (double r : {outer, inner}) {
        ZcGePoint2dArray vertices;
        vertices.append(ZcGePoint2d(centre.x - r, centre.y));
        vertices.append(ZcGePoint2d(centre.x + r, centre.y));
        ZcGeDoubleArray bulges;
        bulges.append(1.0);
        bulges.append(1.0);
        hatch->appendLoop(r == outer ? ZcDbHatch::kExternal | ZcDbHatch::kPolyline : ZcDbHatch::kPolyline, vertices,
                          bulges);
    }
    append(hatch, color);
}

void Canvas::fillRect(P a, P b, int color) { fill({{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}, color); }

void Canvas::stroke(std::initializer_list<P> points, double width, int color, bool closed, std::vector<double> bulges) {
    auto* pline = new ZcDbPolyline;
    unsigned i = 0;
    for (P p : points) {
        double b = i < bulges.size() ? bulge(bulges[i]) : 0.0;
        pline->addVertexAt(i++, ZcGePoint2d(at(p).x, at(p).y), b);
    }
    pline->setClosed(closed);
    pline->setConstantWidth(width);
    append(pline, color);
}

void Canvas::line(P a, P b, int color) {
    append(new ZcDbLine(ZcGePoint3d(at(a).x, at(a).y, 0), ZcGePoint3d(at(b).x, at(b).y, 0)), color);
}

void Canvas::arc(P c, double r, double from, double to, int color) {
    const double k = 3.14159265358979323846 / 180.0;
    if (mirrored_) {  // a mirrored arc runs the other way round
        double start = 180.0 - to, end = 180.0 - from;
        from = start;
        to = end;
    }
    append(new ZcDbArc(ZcGePoint3d(at(c).x, at(c).y, 0), r, from * k, to * k), color);
}

void Canvas::text(P at, double height, const wchar_t* value, int color, bool centred) {
    const P p = this->at(at);
    auto* t = new ZcDbText(ZcGePoint3d(p.x, p.y, 0), value, ZcDbObjectId::kNull, height);
    if (centred) {
        t->setHorizontalMode(ZcDb::kTextCenter);
        t->setVerticalMode(ZcDb::kTextVertMid);
        t->setAlignmentPoint(ZcGePoint3d(p.x, p.y, 0));
        t->adjustAlignment(db_.get());
    }
    append(t, color);
}

void Canvas::attribute(P at, double height, const wchar_t* tag, const wchar_t* prompt, const wchar_t* value, int flags,
                       double width) {
    auto* def = new ZcDbAttributeDefinition(ZcGePoint3d(at.x, at.y, 0), value, tag, prompt);
    def->setHeight(height);
    def->setFlagBits(flags);
    if (width > 0) {
        def->setHorizontalMode(ZcDb::kTextAlign);
        def->setAlignmentPoint(ZcGePoint3d(at.x + width, at.y, 0));
        def->adjustAlignment(db_.get());
        if (def->height() > height) {  // a short value keeps its height: left-aligned instead
            def->setHorizontalMode(ZcDb::kTextLeft);
            def->setHeight(height);
            def->setPosition(ZcGePoint3d(at.x, at.y, 0));
        }
    }
    append(def, kBlack);
}

bool Canvas::save(const std::string& path) { return db_->saveAs(platform::toWindowsPath(path).c_str()) == Zcad::eOk; }

bool Canvas::picture(const std::string& path, int side) {
    host::render::RenderOptions options;
    options.width = options.height = side;
    return host::render::renderPng(host::db::blockScene(db_->modelSpaceId()), path, options) ==
           host::render::Status::Ok;
}

bool Canvas::document(const std::string& path, int width, int height) {
    host::render::RenderOptions options;
    options.width = width;
    options.height = height;
    options.pdfDate = "2023-01-01T00:00:00";  // a fixed date: the build writes the same file every time
    return host::render::renderPdf(host::db::blockScene(db_->modelSpaceId()), path, options) ==
           host::render::Status::Ok;
}

}  // namespace samples
