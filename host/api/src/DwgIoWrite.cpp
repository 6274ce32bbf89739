// Writing: a drawing database into a DXF document.
#include <cmath>
#include <memory>

#include "DwgIo.h"
#include "zcdbheaders.h"

namespace host::dwgio {
namespace dxf = host::dxf;
using host::db::RawGroup;

namespace {

constexpr double kPi = 3.14159265358979323846;
double deg(double rad) { return rad * 180.0 / kPi; }
dxf::Vec3 v3(const ZcGePoint3d& p) { return {p.x, p.y, p.z}; }
dxf::Vec3 v3(const ZcGeVector3d& v) { return {v.x, v.y, v.z}; }
dxf::Vec3 ocs(const ZcGePoint3d& w, const ZcGeVector3d& normal) {
    if (normal == ZcGeVector3d::kZAxis) return v3(w);
    return v3(ZcGeMatrix3d::worldToPlane(normal) * w);
}

std::string recordName(ZcDbObjectId id) {
    auto* rec = ZcDbSymbolTableRecord::cast(host::db::peekObject(id));
    return rec ? narrow(rec->getNameConst()) : std::string();
}

/// Decodes unmodelledGroups (see DwgIo.h) and the xdata items back into the file form.
void restoreObjectGroups(const ZcDbObject* obj, dxf::ObjectBase& base, dxf::EntityBase* entity = nullptr) {
    base.handle = handleText(obj->handle());
    base.extra.clear();
    base.appData.clear();
    std::string subclass;
    for (const RawGroup& g : host::db::unmodelledGroups(obj)) {
        if (g.code == kSubclassMark) subclass = narrow(g.value);
        else if (g.code <= kAppDataBase) base.appData.emplace_back(kAppDataBase - g.code, narrow(g.value));
        else if (g.code == kTrueColor) {
            if (entity) entity->trueColor = std::atoi(narrow(g.value).c_str());
        } else if (g.code >= 0) base.extra.push_back(dxf::ExtraTag{subclass, dxf::Tag(g.code, narrow(g.value))});
    }
    base.xdata.clear();
    for (const host::db::XDataItem& item : host::db::xdataItems(obj)) {
        if (item.code == 1001) {
            const auto* app = std::get_if<std::wstring>(&item.value);
            base.xdata.push_back(dxf::XData{app ? narrow(*app) : std::string(), {}});
            continue;
        }
        if (base.xdata.empty()) continue;  // items before any application are not stored
        auto& tags = base.xdata.back().tags;
        std::visit(
            [&](const auto& v) {
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, std::wstring>) tags.emplace_back(item.code, narrow(v));
                else if constexpr (std::is_same_v<V, double>) tags.push_back(dxf::makeTag(item.code, v));
                else if constexpr (std::is_same_v<V, Zdesk::Int32>) tags.push_back(dxf::makeTag(item.code, v));
                else if constexpr (std::is_same_v<V, ZcGePoint3d>) {
                    tags.push_back(dxf::makeTag(item.code, v.x));
                    tags.push_back(dxf::makeTag(item.code + 10, v.y));
                    tags.push_back(dxf::makeTag(item.code + 20, v.z));
                } else if constexpr (std::is_same_v<V, std::vector<Zdesk::UInt8>>)
                    tags.emplace_back(item.code, dxf::hexBytes(v.data(), v.size()));
            },
            item.value);
    }
}

std::string rawValue(const ZcDbObject* obj, int code) {
    for (const RawGroup& g : host::db::unmodelledGroups(obj))
        if (g.code == code) return narrow(g.value);
    return {};
}

}  // namespace

dxf::Hatch hatchData(const ZcDbHatch& h) {
    dxf::Hatch d;
    d.elevation = {0, 0, h.elevation()};
    d.extrusion = v3(h.normal());
    d.pattern = narrow(h.patternName());
    d.solidFill = h.isSolidFill() ? 1 : 0;
    d.patternType = static_cast<int>(h.patternType());
    d.style = static_cast<int>(h.hatchStyle());
    if (!h.isSolidFill()) {
        d.patternAngle = deg(h.patternAngle());
        d.patternScale = h.patternScale();
    }
    for (int i = 0; i < h.numLoops(); ++i) {
        Zdesk::Int32 type = 0;
        ZcGePoint2dArray points;
        ZcGeDoubleArray bulges;
        h.getLoopAt(i, type, points, bulges);
        dxf::HatchPath& path = d.paths.emplace_back();
        path.flags = (type & ~ZcDbHatch::kPolyline & 0x1f) | dxf::HatchPath::Polyline;
        for (int k = 0; k < points.length(); ++k) {
            dxf::LwVertex& v = path.vertices.emplace_back();
            v.x = points[k].x;
            v.y = points[k].y;
            if (!bulges.isEmpty()) v.bulge = bulges[k];
            if (v.bulge != 0) path.hasBulge = 1;
        }
    }
    return d;
}

namespace {

struct Writer {
    const ZcDbDatabase& db;
    const KeptFile* kept;
    std::vector<dxf::Block> tableBlocks;  ///< the graphical blocks of the tables written
    int tableSerial = 0;

    void common(const ZcDbEntity* e, dxf::Entity& out) {
        restoreObjectGroups(e, out, &out);
        out.layer = recordName(e->layerId());
        if (out.layer.empty()) out.layer = "0";
        std::string lt = recordName(e->linetypeId());
        out.linetype = dxf::sameName(lt, "ByLayer") ? std::string() : lt;
        ZcCmColor c = e->color();
        out.color = c.isByLayer() ? 256 : c.isByBlock() ? 0 : c.colorIndex();
        if (!c.isByColor()) out.trueColor.reset();
        out.lineweight = static_cast<int>(e->lineWeight());
        out.linetypeScale = e->linetypeScale();
        out.invisible = e->visibility() == ZcDb::kInvisible ? 1 : 0;
    }

    template <class T, class D>
    void textProps(const T* t, D& d) {
        ZcGeVector3d n = t->normal();
        d.extrusion = v3(n);
        d.position = ocs(t->position(), n);
        d.alignPoint = ocs(t->alignmentPoint(), n);
        d.height = t->height();
        d.rotation = deg(t->rotation());
        d.widthFactor = t->widthFactor();
        d.oblique = deg(t->oblique());
        d.style = recordName(t->textStyle());
        if (d.style.empty()) d.style = "Standard";
        d.halign = t->horizontalMode();
        d.valign = t->verticalMode();
        d.thickness = t->thickness();
        d.value = narrow(t->textStringConst());
    }

    dxf::MText mtext(const ZcDbMText* t) {
        dxf::MText m;
        m.position = v3(t->location());
        m.extrusion = v3(t->normal());
        m.xDirection = v3(t->direction());
        m.width = t->width();
        m.height = t->textHeight();
        m.attachment = t->attachment();
        m.direction = t->flowDirection();
        m.lineSpacing = t->lineSpacingFactor();
        m.style = recordName(t->textStyle());
        if (m.style.empty()) m.style = "Standard";
        m.contents = narrow(t->contentsConst());
        return m;
    }

    bool entity(const ZcDbEntity* e, dxf::Entity& out) {
        if (auto* u = host::db::UnknownEntity::cast(e)) {
            auto it = kept ? kept->rawEntities.find(e->handle()) : decltype(kept->rawEntities)::const_iterator();
            if (kept && it != kept->rawEntities.end()) {
                out = it->second;
                out.handle = handleText(e->handle());
            } else {
                out.type = narrow(u->typeName());
                out.data = dxf::RawEntity{};
                restoreObjectGroups(e, out, &out);
            }
            return !out.type.empty();
        }
        if (auto* l = ZcDbLine::cast(e)) {
            out.type = "LINE";
            out.data = dxf::Line{l->thickness(), v3(l->startPoint()), v3(l->endPoint()), v3(l->normal())};
        } else if (auto* c = ZcDbCircle::cast(e)) {
            out.type = "CIRCLE";
            out.data = dxf::Circle{c->thickness(), ocs(c->center(), c->normal()), c->radius(), v3(c->normal())};
        } else if (auto* a = ZcDbArc::cast(e)) {
            out.type = "ARC";
            out.data = dxf::Arc{a->thickness(), ocs(a->center(), a->normal()), a->radius(), v3(a->normal()),
                                deg(a->startAngle()), deg(a->endAngle())};
        } else if (auto* p = ZcDbPoint::cast(e)) {
            out.type = "POINT";
            dxf::Point d;
            d.position = v3(p->position());
            d.thickness = p->thickness();
            d.extrusion = v3(p->normal());
            out.data = d;
        } else if (auto* s = ZcDbSolid::cast(e)) {
            out.type = "SOLID";
            dxf::Solid d;
            ZcGePoint3d c4[4];
            for (Zdesk::UInt16 i = 0; i < 4; ++i) s->getPointAt(i, c4[i]);
            d.corner1 = ocs(c4[0], s->normal());
            d.corner2 = ocs(c4[1], s->normal());
            d.corner3 = ocs(c4[2], s->normal());
            d.corner4 = ocs(c4[3], s->normal());
            d.thickness = s->thickness();
            d.extrusion = v3(s->normal());
            out.data = d;
        } else if (auto* pl = ZcDbPolyline::cast(e)) {
            out.type = "LWPOLYLINE";
            dxf::LwPolyline d;
            for (unsigned i = 0; i < pl->numVerts(); ++i) {
                dxf::LwVertex v;
                ZcGePoint2d p2;
                pl->getPointAt(i, p2);
                v.x = p2.x;
                v.y = p2.y;
                pl->getBulgeAt(i, v.bulge);
                pl->getWidthsAt(i, v.startWidth, v.endWidth);
                d.vertices.push_back(v);
            }
            double w = 0;
            if (pl->getConstantWidth(w) == Zcad::eOk) d.constantWidth = w;
            d.setClosed(pl->isClosed());
            d.elevation = pl->elevation();
            d.thickness = pl->thickness();
            d.extrusion = v3(pl->normal());
            out.data = d;
        } else if (auto* ad = ZcDbAttributeDefinition::cast(e)) {
            out.type = "ATTDEF";
            dxf::Attrib d;
            textProps(ad, d);
            d.tag = narrow(ad->tagConst());
            d.prompt = narrow(ad->promptConst());
            d.flags = ad->flagBits();
            d.fieldLength = ad->fieldLength();
            d.lockPosition = ad->lockPositionInBlock() ? 1 : 0;
            if (const ZcDbMText* m = ad->mtextForm()) d.setMultilineContents(narrow(m->contentsConst()), true);
            out.data = d;
        } else if (auto* at = ZcDbAttribute::cast(e)) {
            out.type = "ATTRIB";
            dxf::Attrib d;
            textProps(at, d);
            d.tag = narrow(at->tagConst());
            d.flags = at->flagBits();
            d.fieldLength = at->fieldLength();
            d.lockPosition = at->lockPositionInBlock() ? 1 : 0;
            if (const ZcDbMText* m = at->mtextForm()) d.setMultilineContents(narrow(m->contentsConst()), false);
            out.data = d;
        } else if (auto* t = ZcDbText::cast(e)) {
            out.type = "TEXT";
            dxf::Text d;
            textProps(t, d);
            out.data = d;
        } else if (auto* m = ZcDbMText::cast(e)) {
            out.type = "MTEXT";
            out.data = mtext(m);
        } else if (auto* h = ZcDbHatch::cast(e)) {
            out.type = "HATCH";
            dxf::Hatch d = hatchData(*h);
            if (kept)
                if (auto it = kept->hatches.find(e->handle()); it != kept->hatches.end() && it->second.asRead == d)
                    d = it->second.original;
            out.data = std::move(d);
        } else if (auto* l = ZcDbLeader::cast(e)) {
            out.type = "LEADER";
            out.data = leaderData(*l);
        } else if (auto* t = ZcDbTable::cast(e)) {
            out.type = "ACAD_TABLE";
            dxf::AcadTable d;
            d.blockName = tableBlock(*t);
            d.position = v3(t->position());
            out.data = d;
        } else if (auto* r = ZcDbBlockReference::cast(e)) {
            out.type = "INSERT";
            dxf::Insert d;
            d.name = recordName(r->blockTableRecord());
            d.extrusion = v3(r->normal());
            d.position = ocs(r->position(), r->normal());
            ZcGeScale3d sc = r->scaleFactors();
            d.xScale = sc.sx;
            d.yScale = sc.sy;
            d.zScale = sc.sz;
            d.rotation = deg(r->rotation());
            out.data = d;
            for (ZcDbObjectId aid : r->attributeIds()) {
                auto* a = ZcDbEntity::cast(host::db::peekObject(aid));
                if (!a || a->isErased()) continue;
                dxf::Entity child;
                if (entity(a, child)) out.children.push_back(std::move(child));
            }
            if (!out.children.empty()) {
                out.seqend = dxf::EntityBase{};
                out.seqend->handle = rawValue(e, kBlockEndHandle);
                out.seqend->layer = recordName(e->layerId());
            }
        } else {
            return false;  // a kind the file format here has no form for
        }
        common(e, out);
        if (auto* l = ZcDbLeader::cast(e)) leaderOverrides(*l, out);
        if (auto* t = ZcDbTable::cast(e)) {
            // The table's own groups replace any that a read kept.
            std::erase_if(out.extra, [](const dxf::ExtraTag& x) {
                return x.subclass == "AcDbBlockReference" || x.subclass == "AcDbTable";
            });
            auto handleOf = [](ZcDbObjectId id) {
                const ZcDbObject* o = host::db::peekObject(id);
                return o ? handleText(o->handle()) : std::string();
            };
            auto groups = tableGroups(*t, out.get<dxf::AcadTable>()->blockName, handleOf, recordName);
            out.extra.insert(out.extra.end(), groups.begin(), groups.end());
        }
        return true;
    }

    /// Makes the table's graphical block (the table exploded, in the table's own
    /// coordinates), for programs that show tables by it; returns its name.
    std::string tableBlock(const ZcDbTable& t) {
        auto* blocks = ZcDbSymbolTable::cast(host::db::peekObject(db.blockTableId()));
        std::string name;
        do {
            name = "*T" + std::to_string(++tableSerial);
        } while (blocks && blocks->has(widen(name).c_str()));
        dxf::Block& b = tableBlocks.emplace_back();
        b.def.name = name;
        b.def.flags = 1;
        ZcDbVoidPtrArray parts;
        t.explode(parts);
        ZcGeMatrix3d toBlock = t.blockTransform().inverse();
        for (void* p : parts) {
            std::unique_ptr<ZcDbEntity> part(static_cast<ZcDbEntity*>(p));
            part->transformBy(toBlock);
            dxf::Entity ent;
            if (!entity(part.get(), ent)) continue;
            ent.handle.clear();  // not in the drawing: the file gives it a handle of its own
            for (dxf::Entity& child : ent.children) child.handle.clear();
            b.entities.push_back(std::move(ent));
        }
        return name;
    }

    /// The leader in the file's form: what the file had (dimension style, hook line, text
    /// size) with what the database models put over it.
    dxf::Leader leaderData(const ZcDbLeader& l) const {
        dxf::Leader d;
        bool fromFile = false;
        if (kept)
            if (auto it = kept->leaders.find(l.handle()); it != kept->leaders.end()) {
                d = it->second;
                fromFile = true;
            }
        d.arrowhead = l.hasArrowHead() ? 1 : 0;
        d.pathType = l.isSplined() ? 1 : 0;
        d.normal = v3(l.normal());
        d.vertices.clear();
        for (int i = 0; i < l.numVertices(); ++i) d.vertices.push_back(v3(l.vertexAt(i)));
        const ZcDbObject* annotation = host::db::peekObject(l.annotationObjId());
        if (annotation && !annotation->isErased()) {
            d.annotation = handleText(annotation->handle());
            d.annotationOffset = v3(l.annotationOffset());
            if (!fromFile || d.creation == 3) d.creation = ZcDbMText::cast(annotation) ? 0 : ZcDbBlockReference::cast(annotation) ? 2 : 1;
        } else {
            d.annotation.clear();
            d.annotationOffset = {};
            d.creation = 3;
        }
        return d;
    }

    /// The leader's arrow size, scale and arrow block as DSTYLE overrides.
    void leaderOverrides(const ZcDbLeader& l, dxf::Entity& out) const {
        setDimOverride(out, kDimasz, l.hasDimaszOverride() ? std::optional(dxf::makeTag(1040, l.dimasz())) : std::nullopt);
        setDimOverride(out, kDimscale, l.hasDimscaleOverride() ? std::optional(dxf::makeTag(1040, l.dimscale())) : std::nullopt);
        const ZcDbObject* arrow = host::db::peekObject(l.dimldrblk());
        setDimOverride(out, kDimldrblk, arrow ? std::optional(dxf::Tag(1005, handleText(arrow->handle()))) : std::nullopt);
    }

    void entities(const ZcDbBlockTableRecord* btr, std::vector<dxf::Entity>& out, int paperSpace) {
        for (ZcDbObjectId id : btr->entityIds()) {
            auto* e = ZcDbEntity::cast(host::db::peekObject(id));
            if (!e || e->isErased()) continue;
            dxf::Entity ent;
            if (!entity(e, ent)) continue;
            ent.paperSpace = paperSpace;
            out.push_back(std::move(ent));
        }
    }

    template <class R>
    static const auto* table(ZcDbObjectId id) {
        return R::cast(host::db::peekObject(id));
    }

    dxf::Document run() {
        dxf::Document doc = kept ? kept->doc : dxf::newDocument();
        if (!kept) {
            doc.tables.linetypes.records.clear();
            doc.tables.layers.records.clear();
            doc.tables.styles.records.clear();
            doc.tables.appids.records.clear();
            doc.tables.blockRecords.records.clear();
            doc.blocks.clear();
        }
        doc.entities.clear();

        if (auto* t = table<ZcDbSymbolTable>(db.linetypeTableId())) {
            doc.tables.linetypes.handle = handleText(t->handle());
            for (ZcDbObjectId id : t->recordIds()) {
                auto* r = ZcDbLinetypeTableRecord::cast(host::db::peekObject(id));
                if (!r || r->isErased()) continue;
                dxf::Linetype out;
                restoreObjectGroups(r, out);
                out.name = narrow(r->getNameConst());
                out.description = narrow(r->comments());
                out.patternLength = r->patternLength();
                const std::vector<dxf::LinetypeElement>* orig = nullptr;
                if (kept) {
                    auto it = kept->linetypePatterns.find(r->handle());
                    if (it != kept->linetypePatterns.end()) orig = &it->second;
                }
                for (int i = 0; i < r->numDashes(); ++i) {
                    dxf::LinetypeElement el;
                    if (orig && orig->size() == static_cast<std::size_t>(r->numDashes())) el = (*orig)[i];
                    el.length = r->dashLengthAt(i);
                    out.pattern.push_back(el);
                }
                doc.tables.linetypes.records.push_back(std::move(out));
            }
        }
        if (auto* t = table<ZcDbSymbolTable>(db.layerTableId())) {
            doc.tables.layers.handle = handleText(t->handle());
            for (ZcDbObjectId id : t->recordIds()) {
                auto* r = ZcDbLayerTableRecord::cast(host::db::peekObject(id));
                if (!r || r->isErased()) continue;
                dxf::Layer out;
                restoreObjectGroups(r, out);
                out.name = narrow(r->getNameConst());
                ZcCmColor c = r->color();
                out.color = c.colorIndex();
                if (out.color <= 0 || out.color > 255) out.color = 7;
                if (r->isOff()) out.color = -out.color;
                if (c.isByColor()) {
                    std::string tc = rawValue(r, kTrueColor);
                    if (!tc.empty()) out.trueColor = std::atoi(tc.c_str());
                }
                out.flags = (r->isFrozen() ? 1 : 0) | (r->isLocked() ? 4 : 0);
                out.plot = r->isPlottable() ? 1 : 0;
                out.lineweight = static_cast<int>(r->lineWeight());
                out.linetype = recordName(r->linetypeObjectId());
                if (out.linetype.empty()) out.linetype = "Continuous";
                doc.tables.layers.records.push_back(std::move(out));
            }
        }
        if (auto* t = table<ZcDbSymbolTable>(db.textStyleTableId())) {
            doc.tables.styles.handle = handleText(t->handle());
            std::vector<dxf::TextStyle> shapes = std::move(doc.tables.styles.records);
            doc.tables.styles.records.clear();
            for (ZcDbObjectId id : t->recordIds()) {
                auto* r = ZcDbTextStyleTableRecord::cast(host::db::peekObject(id));
                if (!r || r->isErased()) continue;
                dxf::TextStyle out;
                restoreObjectGroups(r, out);
                out.name = narrow(r->getNameConst());
                out.fixedHeight = r->textSize();
                out.widthFactor = r->xScale();
                out.oblique = deg(r->obliquingAngle());
                out.lastHeight = r->priorSize();
                const ZTCHAR* f = nullptr;
                if (r->fileName(f) == Zcad::eOk && f) out.font = narrow(f);
                if (r->bigFontFileName(f) == Zcad::eOk && f) out.bigFont = narrow(f);
                out.generation = r->flagBits();
                doc.tables.styles.records.push_back(std::move(out));
            }
            for (auto& s : shapes) doc.tables.styles.records.push_back(std::move(s));
        }
        if (auto* t = table<ZcDbSymbolTable>(db.regAppTableId())) {
            doc.tables.appids.handle = handleText(t->handle());
            for (ZcDbObjectId id : t->recordIds()) {
                auto* r = ZcDbRegAppTableRecord::cast(host::db::peekObject(id));
                if (!r || r->isErased()) continue;
                dxf::AppId out;
                restoreObjectGroups(r, out);
                out.name = narrow(r->getNameConst());
                doc.tables.appids.records.push_back(std::move(out));
            }
        }
        if (auto* t = table<ZcDbSymbolTable>(db.blockTableId())) {
            doc.tables.blockRecords.handle = handleText(t->handle());
            for (ZcDbObjectId id : t->recordIds()) {
                auto* r = ZcDbBlockTableRecord::cast(host::db::peekObject(id));
                if (!r || r->isErased()) continue;
                dxf::BlockRecord out;
                restoreObjectGroups(r, out);
                out.name = narrow(r->getNameConst());
                const auto& icon = r->storedPreviewIcon();
                for (int i = 0; i < icon.length(); ++i) out.preview.push_back(icon[i]);
                if (kept) {
                    auto it = kept->layoutOfBlock.find(r->handle());
                    if (it != kept->layoutOfBlock.end()) out.layout = it->second;
                }
                doc.tables.blockRecords.records.push_back(out);

                dxf::Block b;
                b.def.name = out.name;
                b.def.base = v3(r->origin());
                b.def.description = narrow(r->comments());
                b.begin.handle = rawValue(r, kBlockBeginHandle);
                b.end.handle = rawValue(r, kBlockEndHandle);
                std::string layer = rawValue(r, kBlockBeginLayer);
                b.begin.layer = b.end.layer = layer.empty() ? "0" : layer;
                b.def.flags = std::atoi(rawValue(r, kBlockFlags).c_str()) & ~2;
                if (r->hasAttributeDefinitions()) b.def.flags |= 2;
                if (r->isAnonymous()) b.def.flags |= 1;
                b.def.xrefPath = rawValue(r, kBlockXrefPath);
                bool model = dxf::sameName(out.name, "*Model_Space");
                bool paper = dxf::sameName(out.name, "*Paper_Space");
                if (model) {
                    b.begin.paperSpace = b.end.paperSpace = 0;
                    entities(r, doc.entities, 0);
                } else if (paper) {
                    b.begin.paperSpace = b.end.paperSpace = 1;
                    entities(r, doc.entities, 1);
                } else {
                    entities(r, b.entities, 0);
                }
                doc.blocks.push_back(std::move(b));
            }
            for (dxf::Block& b : tableBlocks) {
                doc.tables.blockRecords.records.emplace_back().name = b.def.name;
                doc.blocks.push_back(std::move(b));
            }
            tableBlocks.clear();
        }

        // Header: the database's variables over those of the file, in the file's groups;
        // variables the file did not have are written when they are DXF header variables.
        static const std::map<std::string, int> kKnownCodes = {
            {"CLAYER", 8},   {"TEXTSTYLE", 7}, {"CELTYPE", 6},    {"DIMSTYLE", 2},  {"CECOLOR", 62},
            {"TEXTSIZE", 40}, {"DIMASZ", 40},  {"DIMSCALE", 40},  {"DIMTXT", 40},   {"INSBASE", 10},
            {"INSUNITS", 70}, {"LTSCALE", 40}, {"CELTSCALE", 40}, {"CELWEIGHT", 370}, {"TILEMODE", 70},
            {"EXTMIN", 10},  {"EXTMAX", 10},   {"LIMMIN", 10},    {"LIMMAX", 10},   {"LUNITS", 70},
            {"LUPREC", 70},  {"MEASUREMENT", 70}, {"MIRRTEXT", 70}, {"PDMODE", 70}, {"PDSIZE", 40},
            {"PLINEWID", 40}, {"ATTMODE", 70}};
        for (const auto& [name, value] : host::db::headerVars(&db)) {
            std::string var = "$" + narrow(name);
            const dxf::HeaderVar* old = doc.header.find(var);
            int code = old && !old->values.empty() ? old->values[0].code : 0;
            if (!code) {
                auto known = kKnownCodes.find(narrow(name));
                if (known == kKnownCodes.end()) continue;
                code = known->second;
            }
            if (auto* i = std::get_if<Zdesk::Int32>(&value)) doc.header.setInteger(var, code, *i);
            else if (auto* d = std::get_if<double>(&value)) doc.header.set(var, {dxf::makeTag(code, *d)});
            else if (auto* s = std::get_if<std::wstring>(&value)) {
                if (name == L"DIMSTYLE" && !doc.tables.dimstyles.find(narrow(*s))) continue;
                doc.header.setText(var, code, narrow(*s));
            }
            else if (auto* p = std::get_if<ZcGePoint3d>(&value)) {
                int dims = (old && old->values.size() == 2) || (!old && name.rfind(L"LIM", 0) == 0) ? 2 : 3;
                doc.header.setPoint(var, v3(*p), dims);
            } else if (auto* id = std::get_if<ZcDbObjectId>(&value)) {
                std::string n = recordName(*id);
                if (!n.empty()) doc.header.setText(var, code, n);
            }
        }
        doc.header.setInsBase(v3(db.insbase()));
        doc.header.setText("$HANDSEED", 5, handleText(host::db::handseed(&db).value()));
        return doc;
    }
};

}  // namespace

host::dxf::Document buildDocument(const ZcDbDatabase& db) {
    auto data = host::db::codecData(&db);
    Writer writer{db, static_cast<const KeptFile*>(data.get()), {}, 0};
    return writer.run();
}

}  // namespace host::dwgio
