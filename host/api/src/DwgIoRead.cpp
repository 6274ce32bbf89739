// Reading: a DXF document into an empty drawing database.
#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "DwgIo.h"
#include "platform/Session.h"
#include "zcdbheaders.h"

namespace host::dwgio {
namespace dxf = host::dxf;
using host::db::RawGroup;

std::wstring widen(const std::string& s) { return platform::fromUtf8(s); }
std::string narrow(const std::wstring& s) { return platform::toUtf8(s); }

std::uint64_t parseHandle(const std::string& hex) {
    if (!dxf::isHandle(hex)) return 0;
    return std::stoull(hex, nullptr, 16);
}

std::string handleText(std::uint64_t h) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(h));
    return buf;
}

namespace {

constexpr double kPi = 3.14159265358979323846;
double rad(double deg) { return deg * kPi / 180.0; }
ZcGePoint3d pt(const dxf::Vec3& v) { return ZcGePoint3d(v.x, v.y, v.z); }

/// A file's lineweight when it is one the format defines, else the fallback.
ZcDb::LineWeight lineWeight(int value, ZcDb::LineWeight fallback) {
    static const int kDefined[] = {-3, -2, -1, 0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53,
                                   60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    return std::find(std::begin(kDefined), std::end(kDefined), value) != std::end(kDefined)
               ? static_cast<ZcDb::LineWeight>(value)
               : fallback;
}
ZcGeVector3d vec(const dxf::Vec3& v) { return ZcGeVector3d(v.x, v.y, v.z); }
ZcGePoint3d wcs(const dxf::Vec3& ocs, const dxf::Vec3& normal) {
    if (normal == dxf::kZAxis) return pt(ocs);
    return ZcGeMatrix3d::planeToWorld(vec(normal)) * pt(ocs);
}

/// Groups the model does not hold, encoded for unmodelledGroups (see DwgIo.h).
void keepObjectGroups(ZcDbObject* obj, const dxf::ObjectBase& base) {
    auto& raw = host::db::unmodelledGroups(obj);
    for (const dxf::Tag& t : base.appData) raw.push_back(RawGroup{kAppDataBase - t.code, widen(t.value)});
    std::string subclass;
    for (const dxf::ExtraTag& e : base.extra) {
        if (e.subclass != subclass) {
            raw.push_back(RawGroup{kSubclassMark, widen(e.subclass)});
            subclass = e.subclass;
        }
        raw.push_back(RawGroup{e.tag.code, widen(e.tag.value)});
    }
    auto& items = host::db::xdataItems(obj);
    for (const dxf::XData& x : base.xdata) {
        items.push_back({1001, widen(x.app)});
        for (std::size_t i = 0; i < x.tags.size(); ++i) {
            const dxf::Tag& t = x.tags[i];
            host::db::XDataItem item;
            item.code = t.code;
            if (t.code >= 1010 && t.code <= 1013) {
                ZcGePoint3d p(t.toDouble().value_or(0), 0, 0);
                if (i + 1 < x.tags.size() && x.tags[i + 1].code == t.code + 10) p.y = x.tags[++i].toDouble().value_or(0);
                if (i + 1 < x.tags.size() && x.tags[i + 1].code == t.code + 20) p.z = x.tags[++i].toDouble().value_or(0);
                item.value = p;
            } else if (t.code >= 1040 && t.code <= 1042) {
                item.value = t.toDouble().value_or(0);
            } else if (t.code == 1070 || t.code == 1071) {
                item.value = static_cast<Zdesk::Int32>(t.toInt().value_or(0));
            } else if (t.code == 1004) {
                std::vector<std::uint8_t> bytes;
                dxf::appendHexBytes(t.value, bytes);
                item.value = std::vector<Zdesk::UInt8>(bytes.begin(), bytes.end());
            } else {
                item.value = widen(t.value);
            }
            items.push_back(std::move(item));
        }
    }
}

struct Reader {
    ZcDbDatabase& db;
    KeptFile& kept;
    std::map<std::string, ZcDbObjectId> layers, linetypes, styles, blocks;  // folded names
    ZcDbObjectId blockTable;
    std::uint64_t nextFree = 1;  // handles for objects the file did not have
    std::vector<std::pair<ZcDbObjectId, const dxf::Entity*>> leaders;  // to link at the end
    std::map<const dxf::Entity*, TableData> tables;  // ACAD_TABLEs read as tables

    static std::string key(const std::string& name) { return narrow(host::db::foldName(widen(name))); }

    Zcad::ErrorStatus add(ZcDbObject* obj, const std::string& handle, ZcDbObjectId owner, ZcDbObjectId& id) {
        std::uint64_t h = parseHandle(handle);
        Zcad::ErrorStatus es = Zcad::eDuplicateKey;
        if (h != 0) es = host::db::addObjectWithHandle(&db, obj, ZcDbHandle(h), owner, id);
        if (es == Zcad::eDuplicateKey || es == Zcad::eNullHandle) {
            // Missing or repeated handle: the object gets a fresh one.
            es = host::db::addObjectWithHandle(&db, obj, ZcDbHandle(nextFree++), owner, id);
            while (es == Zcad::eDuplicateKey) es = host::db::addObjectWithHandle(&db, obj, ZcDbHandle(nextFree++), owner, id);
        }
        if (es != Zcad::eOk) delete obj;
        return es;
    }

    template <class TableT>
    Zcad::ErrorStatus table(const std::string& handle, host::db::Table which, ZcDbObjectId& id) {
        Zcad::ErrorStatus es = add(new TableT, handle, ZcDbObjectId(), id);
        if (es == Zcad::eOk) es = host::db::setTableId(&db, which, id);
        return es;
    }

    Zcad::ErrorStatus record(ZcDbSymbolTableRecord* rec, const dxf::ObjectBase& base, const std::string& name,
                             ZcDbObjectId tableId, ZcDbObjectId& id) {
        if (rec->setName(widen(name).c_str()) != Zcad::eOk) {
            delete rec;
            return Zcad::eBadDxfFile;
        }
        keepObjectGroups(rec, base);
        Zcad::ErrorStatus es = add(rec, base.handle, tableId, id);
        if (es == Zcad::eOk) es = host::db::linkRecord(tableId, id);
        return es;
    }

    static ZcDbObjectId find(const std::map<std::string, ZcDbObjectId>& m, const std::string& name) {
        auto it = m.find(key(name));
        return it == m.end() ? ZcDbObjectId() : it->second;
    }

    void common(ZcDbEntity* e, const dxf::Entity& src) {
        ZcDbObjectId layer = find(layers, src.layer);
        if (!layer.isNull()) e->setLayer(layer, false, true);
        if (!src.linetype.empty()) {
            ZcDbObjectId lt = find(linetypes, src.linetype);
            if (!lt.isNull()) e->setLinetype(lt, false);
        }
        if (src.color >= 0 && src.color <= 256) e->setColorIndex(static_cast<Zdesk::UInt16>(src.color), false);
        else if (src.color < 0 && src.color >= -255) e->setColorIndex(static_cast<Zdesk::UInt16>(-src.color), false);
        if (src.trueColor) {
            std::int32_t c = *src.trueColor;
            ZcCmColor color;
            color.setRGB(static_cast<Zdesk::UInt8>((c >> 16) & 255), static_cast<Zdesk::UInt8>((c >> 8) & 255),
                         static_cast<Zdesk::UInt8>(c & 255));
            e->setColor(color, false);
            host::db::unmodelledGroups(e).push_back(RawGroup{kTrueColor, widen(std::to_string(c))});
        }
        e->setLineWeight(lineWeight(src.lineweight, ZcDb::kLnWtByLayer), false);
        if (src.linetypeScale > 0) e->setLinetypeScale(src.linetypeScale, false);
        e->setVisibility(src.invisible ? ZcDb::kInvisible : ZcDb::kVisible, false);
        keepObjectGroups(e, src);
    }

    template <class T>
    void textProps(T* t, const dxf::Vec3& pos, const dxf::Vec3& align, const dxf::Vec3& normal, double height,
                   double rotation, double width, double oblique, const std::string& style, int h, int v,
                   double thickness, const std::string& value) {
        t->setNormal(vec(normal));
        t->setThickness(thickness);
        t->setHeight(height);
        t->setRotation(rad(rotation));
        t->setWidthFactor(width);
        t->setOblique(rad(oblique));
        ZcDbObjectId st = find(styles, style);
        if (!st.isNull()) t->setTextStyle(st);
        // Alignments the format does not define read as the default one.
        t->setHorizontalMode(static_cast<ZcDb::TextHorzMode>(h >= ZcDb::kTextLeft && h <= ZcDb::kTextFit ? h : 0));
        t->setVerticalMode(static_cast<ZcDb::TextVertMode>(v >= ZcDb::kTextBase && v <= ZcDb::kTextTop ? v : 0));
        t->setTextString(widen(value).c_str());
        t->setPosition(wcs(pos, normal));
        t->setAlignmentPoint(wcs(align, normal));
    }

    ZcDbMText* mtextFrom(const dxf::MText& m) {
        auto* t = new ZcDbMText;
        t->setNormal(vec(m.extrusion));
        t->setLocation(pt(m.position));
        if (!(m.xDirection == dxf::kXAxis)) t->setDirection(vec(m.xDirection));
        else if (m.rotation != 0) t->setRotation(rad(m.rotation));
        t->setWidth(m.width);
        t->setTextHeight(m.height);
        if (m.attachment >= 1 && m.attachment <= 9) t->setAttachment(m.attachment);
        if (m.direction >= 1 && m.direction <= 5) t->setFlowDirection(static_cast<ZcDbMText::FlowDirection>(m.direction));
        t->setLineSpacingFactor(m.lineSpacing);
        ZcDbObjectId st = find(styles, m.style);
        if (!st.isNull()) t->setTextStyle(st);
        t->setContents(widen(m.contents).c_str());
        return t;
    }

    /// An embedded MTEXT of a multiline attribute, from its groups.
    ZcDbMText* embedded(const std::vector<dxf::Tag>& tags, const dxf::Vec3& normal) {
        dxf::MText m;
        m.extrusion = normal;
        std::string chunks, last;
        for (const dxf::Tag& t : tags) {
            double d = t.toDouble().value_or(0);
            switch (t.code) {
            case 10: m.position.x = d; break;
            case 20: m.position.y = d; break;
            case 30: m.position.z = d; break;
            case 40: m.height = d; break;
            case 41: m.width = d; break;
            case 71: m.attachment = static_cast<int>(d); break;
            case 72: m.direction = static_cast<int>(d); break;
            case 3: chunks += t.value; break;
            case 1: last = t.value; break;
            default: break;
            }
        }
        m.contents = chunks + last;
        return mtextFrom(m);
    }

    /// The boundaries of a file hatch as closed vertex chains with bulges (an arc edge
    /// becomes one or two bulged segments); false when a path has edges the model has no
    /// form for (ellipses, splines) or fewer than two vertices.
    static bool hatchLoops(const dxf::Hatch& d, ZcDbHatch& h) {
        for (const dxf::HatchPath& path : d.paths) {
            ZcGePoint2dArray points;
            ZcGeDoubleArray bulges;
            if (path.isPolyline()) {
                for (const dxf::LwVertex& v : path.vertices) {
                    points.append(ZcGePoint2d(v.x, v.y));
                    bulges.append(path.hasBulge ? v.bulge : 0.0);
                }
            } else {
                for (const dxf::HatchEdge& e : path.edges) {
                    if (e.type == dxf::HatchEdge::Type::Line) {
                        points.append(ZcGePoint2d(e.x0, e.y0));
                        bulges.append(0.0);
                        continue;
                    }
                    if (e.type != dxf::HatchEdge::Type::Arc || !(e.radius > 0)) return false;
                    // A clockwise edge keeps its angles mirrored: it runs from -start to -end.
                    double from = e.counterClockwise ? e.startAngle : -e.startAngle;
                    double to = e.counterClockwise ? e.endAngle : -e.endAngle;
                    double sweep = std::fmod(e.counterClockwise ? to - from : from - to, 360.0);
                    if (!(sweep > 1e-9)) sweep += 360.0;
                    if (!std::isfinite(sweep)) return false;
                    if (!e.counterClockwise) sweep = -sweep;
                    int pieces = std::fabs(sweep) > 180.0 ? 2 : 1;
                    for (int k = 0; k < pieces; ++k) {
                        double a = rad(from + sweep * k / pieces);
                        points.append(ZcGePoint2d(e.x0 + e.radius * std::cos(a), e.y0 + e.radius * std::sin(a)));
                        bulges.append(std::tan(rad(sweep / pieces) / 4));
                    }
                }
            }
            if (points.length() < 2) return false;
            if (h.appendLoop(path.flags & ~dxf::HatchPath::Polyline, points, bulges) != Zcad::eOk) return false;
        }
        return true;
    }

    ZcDbTable* tableFrom(const TableData& d) {
        auto* t = new ZcDbTable;
        const auto rows = static_cast<Zdesk::UInt32>(d.rowHeights.size());
        const auto columns = static_cast<Zdesk::UInt32>(d.columnWidths.size());
        t->setSize(rows, columns);
        for (Zdesk::UInt32 r = 0; r < rows; ++r) t->setRowHeight(r, d.rowHeights[r]);
        for (Zdesk::UInt32 c = 0; c < columns; ++c) t->setColumnWidth(c, d.columnWidths[c]);
        t->setPosition(pt(d.position));
        if (!(d.direction == dxf::Vec3{})) t->setDirection(vec(d.direction).normal());
        if (ZcDbObjectId style = find(styles, d.style); !style.isNull()) t->setTextStyle(style);
        if (d.textHeight > 0) t->setDefaultTextHeight(d.textHeight);
        for (Zdesk::UInt32 r = 0; r < rows; ++r)
            for (Zdesk::UInt32 c = 0; c < columns; ++c) {
                const TableCellData& cell = d.cells[static_cast<std::size_t>(r) * columns + c];
                if (cell.type == ZcDb::kBlockCell) {
                    ZcDbObjectId block = byHandle(cell.blockHandle);
                    if (!block.isNull()) t->setBlockTableRecordId(r, c, block, cell.autoFit);
                    for (const auto& [definition, text] : cell.attributes)
                        if (ZcDbObjectId id = byHandle(definition); !id.isNull())
                            t->setBlockAttributeValue(r, c, id, widen(text).c_str());
                } else {
                    t->setTextString(r, c, widen(cell.text).c_str());
                    if (ZcDbObjectId style = find(styles, cell.style); !style.isNull()) t->setTextStyle(r, c, style);
                    if (cell.height > 0) t->setTextHeight(r, c, cell.height);
                    if (cell.alignment >= ZcDb::kTopLeft && cell.alignment <= ZcDb::kBottomRight)
                        t->setAlignment(r, c, static_cast<ZcDb::CellAlignment>(cell.alignment));
                }
                if (cell.spanRows > 1 || cell.spanColumns > 1)
                    t->mergeCells(r, std::min(rows - 1, r + static_cast<Zdesk::UInt32>(cell.spanRows) - 1), c,
                                  std::min(columns - 1, c + static_cast<Zdesk::UInt32>(cell.spanColumns) - 1));
            }
        return t;
    }

    /// Tables whose groups describe them become database tables; their graphical blocks
    /// are then left out, for the writer draws them afresh.
    void findTables(const dxf::Document& doc, std::set<std::string>& graphicalBlocks) {
        auto scan = [&](const std::vector<dxf::Entity>& list) {
            for (const dxf::Entity& e : list) {
                const auto* raw = e.get<dxf::AcadTable>();
                if (!raw) continue;
                if (auto parsed = parseTable(e)) {
                    tables.emplace(&e, std::move(*parsed));
                    if (!raw->blockName.empty()) graphicalBlocks.insert(key(raw->blockName));
                }
            }
        };
        scan(doc.entities);
        for (const dxf::Block& b : doc.blocks) scan(b.entities);
    }

    /// The database entity for a file entity; an UnknownEntity for kinds the model keeps raw.
    ZcDbEntity* make(const dxf::Entity& src) {
        if (auto* d = src.get<dxf::Line>()) {
            auto* e = new ZcDbLine(pt(d->start), pt(d->end));
            e->setNormal(vec(d->extrusion));
            e->setThickness(d->thickness);
            return e;
        }
        if (auto* d = src.get<dxf::Circle>()) {
            auto* e = new ZcDbCircle;
            e->setNormal(vec(d->extrusion));
            e->setCenter(wcs(d->center, d->extrusion));
            e->setRadius(d->radius);
            e->setThickness(d->thickness);
            return e;
        }
        if (auto* d = src.get<dxf::Arc>()) {
            auto* e = new ZcDbArc;
            e->setNormal(vec(d->extrusion));
            e->setCenter(wcs(d->center, d->extrusion));
            e->setRadius(d->radius);
            e->setStartAngle(rad(d->startAngle));
            e->setEndAngle(rad(d->endAngle));
            e->setThickness(d->thickness);
            return e;
        }
        if (auto* d = src.get<dxf::Point>()) {
            auto* e = new ZcDbPoint;
            e->setPosition(pt(d->position));
            e->setNormal(vec(d->extrusion));
            e->setThickness(d->thickness);
            return e;
        }
        if (auto* d = src.get<dxf::Solid>()) {
            auto* e = new ZcDbSolid;
            e->setNormal(vec(d->extrusion));
            const dxf::Vec3* c[4] = {&d->corner1, &d->corner2, &d->corner3, &d->corner4};
            for (Zdesk::UInt16 i = 0; i < 4; ++i) e->setPointAt(i, wcs(*c[i], d->extrusion));
            e->setThickness(d->thickness);
            return e;
        }
        if (auto* d = src.get<dxf::LwPolyline>()) {
            auto* e = new ZcDbPolyline;
            for (std::size_t i = 0; i < d->vertices.size(); ++i) {
                const dxf::LwVertex& v = d->vertices[i];
                e->addVertexAt(static_cast<unsigned>(i), ZcGePoint2d(v.x, v.y), v.bulge, v.startWidth, v.endWidth);
            }
            if (d->constantWidth != 0) e->setConstantWidth(d->constantWidth);
            e->setClosed(d->closed());
            e->setElevation(d->elevation);
            e->setNormal(vec(d->extrusion));
            e->setThickness(d->thickness);
            return e;
        }
        if (auto* d = src.get<dxf::Text>()) {
            auto* e = new ZcDbText;
            textProps(e, d->position, d->alignPoint, d->extrusion, d->height, d->rotation, d->widthFactor, d->oblique,
                      d->style, d->halign, d->valign, d->thickness, d->value);
            return e;
        }
        if (auto* d = src.get<dxf::MText>()) return mtextFrom(*d);
        if (auto* d = src.get<dxf::Attrib>()) {
            if (src.type == "ATTDEF") {
                auto* e = new ZcDbAttributeDefinition;
                textProps(e, d->position, d->alignPoint, d->extrusion, d->height, d->rotation, d->widthFactor,
                          d->oblique, d->style, d->halign, d->valign, d->thickness, d->value);
                e->setTag(widen(d->tag).c_str());
                e->setPrompt(widen(d->prompt).c_str());
                e->setFlagBits(d->flags & 15);
                e->setFieldLength(static_cast<Zdesk::UInt16>(d->fieldLength));
                e->setLockPositionInBlock(d->lockPosition != 0);
                if (d->isMultiline()) {
                    std::unique_ptr<ZcDbMText> text(embedded(d->embeddedMText, d->extrusion));  // the setter copies
                    e->setMTextAttributeDefinition(text.get());
                }
                return e;
            }
            auto* e = new ZcDbAttribute;
            textProps(e, d->position, d->alignPoint, d->extrusion, d->height, d->rotation, d->widthFactor, d->oblique,
                      d->style, d->halign, d->valign, d->thickness, d->value);
            e->setTag(widen(d->tag).c_str());
            e->setFlagBits(d->flags & 15);
            e->setFieldLength(static_cast<Zdesk::UInt16>(d->fieldLength));
            e->setLockPositionInBlock(d->lockPosition != 0);
            if (d->isMultiline()) {
                std::unique_ptr<ZcDbMText> text(embedded(d->embeddedMText, d->extrusion));
                e->setMTextAttribute(text.get());
            }
            return e;
        }
        if (auto* d = src.get<dxf::Hatch>()) {
            auto* e = new ZcDbHatch;
            e->setPattern(static_cast<ZcDbHatch::HatchPatternType>(std::clamp(d->patternType, 0, 2)),
                          widen(d->pattern).c_str());
            e->setHatchStyle(static_cast<ZcDbHatch::HatchStyle>(std::clamp(d->style, 0, 2)));
            e->setElevation(d->elevation.z);
            e->setNormal(vec(d->extrusion));
            e->setPatternAngle(rad(d->patternAngle));
            e->setPatternScale(d->patternScale);
            if (hatchLoops(*d, *e)) return e;
            delete e;
        }
        if (auto* d = src.get<dxf::Leader>(); d && !d->vertices.empty()) {
            auto* e = new ZcDbLeader;
            e->setNormal(vec(d->normal));
            for (const dxf::Vec3& v : d->vertices) e->appendVertex(pt(v));
            if (!d->arrowhead) e->disableArrowHead();
            if (d->pathType == 1) e->setToSplineLeader();
            if (auto size = dimOverride(src, kDimasz)) e->setDimasz(size->toDouble().value_or(0));
            if (auto scale = dimOverride(src, kDimscale)) e->setDimscale(scale->toDouble().value_or(0));
            return e;
        }
        if (auto it = tables.find(&src); it != tables.end()) return tableFrom(it->second);
        if (auto* d = src.get<dxf::Insert>()) {
            ZcDbObjectId block = find(blocks, d->name);
            if (!block.isNull() && d->columns <= 1 && d->rows <= 1) {
                auto* e = new ZcDbBlockReference;
                e->setBlockTableRecord(block);
                e->setNormal(vec(d->extrusion));
                e->setPosition(wcs(d->position, d->extrusion));
                e->setScaleFactors(ZcGeScale3d(d->xScale, d->yScale, d->zScale));
                e->setRotation(rad(d->rotation));
                return e;
            }
        }
        // Kept whole: the entity is written back from what was read.
        return new host::db::UnknownEntity(widen(src.type));
    }

    Zcad::ErrorStatus entity(const dxf::Entity& src, ZcDbObjectId owner) {
        ZcDbEntity* e = make(src);
        bool raw = host::db::UnknownEntity::cast(e) != nullptr;
        common(e, src);
        ZcDbObjectId id;
        Zcad::ErrorStatus es = add(e, src.handle, owner, id);
        if (es != Zcad::eOk) return es;
        if (raw) {
            kept.rawEntities[host::db::peekObject(id)->handle()] = src;
        } else if (auto* hatch = ZcDbHatch::cast(e)) {
            kept.hatches[hatch->handle()] = KeptHatch{*src.get<dxf::Hatch>(), hatchData(*hatch)};
        } else if (ZcDbLeader::cast(e)) {
            // The arrow block and the annotation may come later in the file: linked at the end.
            leaders.push_back({id, &src});
        } else if (auto* ref = ZcDbBlockReference::cast(e)) {
            (void)ref;
            for (const dxf::Entity& child : src.children) {
                if (child.type != "ATTRIB") continue;
                ZcDbEntity* a = make(child);
                if (!ZcDbAttribute::cast(a)) {
                    delete a;
                    continue;
                }
                common(a, child);
                ZcDbObjectId aid;
                if ((es = add(a, child.handle, id, aid)) != Zcad::eOk) return es;
                if ((es = host::db::linkEntity(id, aid)) != Zcad::eOk) return es;
            }
            if (src.seqend) host::db::unmodelledGroups(e).push_back(RawGroup{kBlockEndHandle, widen(src.seqend->handle)});
        }
        return host::db::linkEntity(owner, id);
    }

    /// Files that lack the records every drawing has (R12 files, fragments) get them.
    static void completeStandardRecords(dxf::Document& doc) {
        dxf::renameR12Spaces(doc);
        dxf::Document std = dxf::newDocument();
        auto merge = [](auto& into, const auto& from) {
            for (const auto& r : from.records)
                if (!into.find(r.name)) into.records.push_back(r);
        };
        merge(doc.tables.linetypes, std.tables.linetypes);
        merge(doc.tables.layers, std.tables.layers);
        merge(doc.tables.styles, std.tables.styles);
        merge(doc.tables.appids, std.tables.appids);
        for (dxf::Block& b : std.blocks) {
            if (!doc.findBlock(b.name())) doc.blocks.push_back(b);
            if (!doc.tables.blockRecords.find(b.name())) {
                dxf::BlockRecord r;
                r.name = b.name();
                doc.tables.blockRecords.records.push_back(r);
            }
        }
        // Block definitions without a record (R12) get one.
        for (const dxf::Block& b : doc.blocks)
            if (!doc.tables.blockRecords.find(b.name())) {
                dxf::BlockRecord r;
                r.name = b.name();
                doc.tables.blockRecords.records.push_back(r);
            }
        // Layers only named by entities.
        auto addLayer = [&](const dxf::Entity& e) {
            if (!e.layer.empty() && !doc.tables.layers.find(e.layer)) {
                dxf::Layer l;
                l.name = e.layer;
                doc.tables.layers.records.push_back(l);
            }
        };
        for (const dxf::Entity& e : doc.entities) {
            addLayer(e);
            for (const dxf::Entity& c : e.children) addLayer(c);
        }
        for (const dxf::Block& b : doc.blocks)
            for (const dxf::Entity& e : b.entities) {
                addLayer(e);
                for (const dxf::Entity& c : e.children) addLayer(c);
            }
    }

    Zcad::ErrorStatus run(dxf::Document& doc) {
        completeStandardRecords(doc);
        // Fresh handles go above everything the file names.
        std::uint64_t seed = parseHandle(doc.header.handSeed());
        nextFree = seed ? seed : 1;
        for (const dxf::RawObject& o : doc.objects) nextFree = std::max(nextFree, parseHandle(o.handle()) + 1);

        Zcad::ErrorStatus es;
        ZcDbObjectId layerTable, ltypeTable, styleTable, appTable, id;
        if ((es = table<ZcDbLinetypeTable>(doc.tables.linetypes.handle, host::db::Table::Linetype, ltypeTable)) != Zcad::eOk) return es;
        for (const dxf::Linetype& r : doc.tables.linetypes.records) {
            auto* rec = new ZcDbLinetypeTableRecord;
            rec->setComments(widen(r.description).c_str());
            rec->setNumDashes(static_cast<int>(r.pattern.size()));
            for (std::size_t i = 0; i < r.pattern.size(); ++i) rec->setDashLengthAt(static_cast<int>(i), r.pattern[i].length);
            rec->setPatternLength(r.patternLength);
            if ((es = record(rec, r, r.name, ltypeTable, id)) != Zcad::eOk) return es;
            linetypes[key(r.name)] = id;
            kept.linetypePatterns[host::db::peekObject(id)->handle()] = r.pattern;
        }
        if ((es = table<ZcDbLayerTable>(doc.tables.layers.handle, host::db::Table::Layer, layerTable)) != Zcad::eOk) return es;
        for (const dxf::Layer& r : doc.tables.layers.records) {
            auto* rec = new ZcDbLayerTableRecord;
            ZcCmColor color;
            color.setColorIndex(static_cast<Zdesk::UInt16>(std::abs(r.color) % 257));
            if (r.trueColor) {
                color.setRGB(static_cast<Zdesk::UInt8>((*r.trueColor >> 16) & 255),
                             static_cast<Zdesk::UInt8>((*r.trueColor >> 8) & 255),
                             static_cast<Zdesk::UInt8>(*r.trueColor & 255));
                host::db::unmodelledGroups(rec).push_back(RawGroup{kTrueColor, widen(std::to_string(*r.trueColor))});
            }
            rec->setColor(color);
            rec->setIsOff(r.color < 0);
            rec->setIsFrozen(r.flags & 1);
            rec->setIsLocked(r.flags & 4);
            rec->setIsPlottable(r.plot != 0);
            rec->setLineWeight(lineWeight(r.lineweight, ZcDb::kLnWtByLwDefault));
            ZcDbObjectId lt = find(linetypes, r.linetype);
            if (!lt.isNull()) rec->setLinetypeObjectId(lt);
            if ((es = record(rec, r, r.name, layerTable, id)) != Zcad::eOk) return es;
            layers[key(r.name)] = id;
        }
        if ((es = table<ZcDbTextStyleTable>(doc.tables.styles.handle, host::db::Table::TextStyle, styleTable)) != Zcad::eOk) return es;
        for (const dxf::TextStyle& r : doc.tables.styles.records) {
            // Shape files: a nameless record; kept raw in the document.
            if (r.name.empty()) continue;
            auto* rec = new ZcDbTextStyleTableRecord;
            rec->setTextSize(r.fixedHeight);
            rec->setXScale(r.widthFactor);
            rec->setObliquingAngle(rad(r.oblique));
            rec->setPriorSize(r.lastHeight);
            rec->setFileName(widen(r.font).c_str());
            rec->setBigFontFileName(widen(r.bigFont).c_str());
            rec->setFlagBits(static_cast<Zdesk::UInt8>(r.generation));
            if ((es = record(rec, r, r.name, styleTable, id)) != Zcad::eOk) return es;
            styles[key(r.name)] = id;
        }
        if ((es = table<ZcDbRegAppTable>(doc.tables.appids.handle, host::db::Table::RegApp, appTable)) != Zcad::eOk) return es;
        for (const dxf::AppId& r : doc.tables.appids.records)
            if ((es = record(new ZcDbRegAppTableRecord, r, r.name, appTable, id)) != Zcad::eOk) return es;

        // Block records first (entities reference blocks by name), then their contents.
        if ((es = table<ZcDbBlockTable>(doc.tables.blockRecords.handle, host::db::Table::Block, blockTable)) != Zcad::eOk) return es;
        std::vector<ZcDbObjectId> recordOfBlock(doc.blocks.size());
        std::set<std::string> graphicalBlocks;
        findTables(doc, graphicalBlocks);
        for (const dxf::BlockRecord& r : doc.tables.blockRecords.records) {
            if (graphicalBlocks.count(key(r.name))) continue;
            auto* rec = new ZcDbBlockTableRecord;
            if (!r.preview.empty()) {
                ZcDbBlockTableRecord::PreviewIcon icon;
                for (std::uint8_t b : r.preview) icon.append(b);
                rec->setPreviewIcon(icon);
            }
            if (const dxf::Block* b = doc.findBlock(r.name)) {
                rec->setOrigin(pt(b->def.base));
                rec->setComments(widen(b->def.description).c_str());
                auto& raw = host::db::unmodelledGroups(rec);
                raw.push_back(RawGroup{kBlockBeginHandle, widen(b->begin.handle)});
                raw.push_back(RawGroup{kBlockEndHandle, widen(b->end.handle)});
                raw.push_back(RawGroup{kBlockBeginLayer, widen(b->begin.layer)});
                raw.push_back(RawGroup{kBlockFlags, std::to_wstring(b->def.flags)});
                if (!b->def.xrefPath.empty()) raw.push_back(RawGroup{kBlockXrefPath, widen(b->def.xrefPath)});
            }
            if ((es = record(rec, r, r.name, blockTable, id)) != Zcad::eOk) return es;
            blocks[key(r.name)] = id;
            if (!r.layout.empty()) kept.layoutOfBlock[host::db::peekObject(id)->handle()] = r.layout;
        }
        ZcDbObjectId model = find(blocks, "*Model_Space"), paper = find(blocks, "*Paper_Space");
        if (model.isNull()) return Zcad::eBadDxfFile;
        layouts(doc, model, paper);

        for (const dxf::Block& b : doc.blocks) {
            ZcDbObjectId owner = find(blocks, b.name());
            if (owner.isNull()) continue;
            for (const dxf::Entity& e : b.entities)
                if ((es = entity(e, owner)) != Zcad::eOk) return es;
        }
        for (const dxf::Entity& e : doc.entities) {
            ZcDbObjectId owner = e.paperSpace && !paper.isNull() ? paper : model;
            if ((es = entity(e, owner)) != Zcad::eOk) return es;
        }

        linkLeaders();
        header(doc);
        host::db::setHandseed(&db, ZcDbHandle(std::max<std::uint64_t>(nextFree, host::db::handseed(&db))));
        return Zcad::eOk;
    }

    ZcDbObjectId byHandle(const std::string& handle) {
        ZcDbObjectId id;
        std::uint64_t h = parseHandle(handle);
        if (h == 0 || db.getZcDbObjectId(id, false, ZcDbHandle(h)) != Zcad::eOk) return {};
        return id;
    }

    /// Gives each leader its arrow block and annotation, now that every object is read.
    void linkLeaders() {
        for (const auto& [id, src] : leaders) {
            ZcDbLeader* leader = nullptr;
            if (zcdbOpenObject(leader, id, ZcDb::kForWrite) != Zcad::eOk) continue;
            const auto* d = src->get<dxf::Leader>();
            if (auto arrow = dimOverride(*src, kDimldrblk)) {
                ZcDbObjectId block = byHandle(arrow->value);
                if (!block.isNull()) leader->setDimldrblk(block);
            }
            ZcDbObjectId annotation = byHandle(d->annotation);
            if (!annotation.isNull() && leader->attachAnnotation(annotation) == Zcad::eOk)
                leader->setAnnotationOffset(vec(d->annotationOffset));
            leader->close();
            kept.leaders[leader->handle()] = *d;
        }
    }

    /// Layout objects for the layout blocks, named as in the file's LAYOUT objects.
    void layouts(const dxf::Document& doc, ZcDbObjectId model, ZcDbObjectId paper) {
        std::map<std::string, const dxf::RawObject*> byHandle;
        for (const dxf::RawObject& o : doc.objects)
            if (o.type == "LAYOUT") byHandle[o.handle()] = &o;
        int order = 1;
        for (const dxf::BlockRecord& r : doc.tables.blockRecords.records) {
            ZcDbObjectId btr = find(blocks, r.name);
            bool isModel = btr == model, isPaper = dxf::sameName(r.name.substr(0, 12), "*Paper_Space");
            if (!isModel && !isPaper) continue;
            std::string name = isModel ? "Model" : "Layout" + std::to_string(order);
            int tab = isModel ? 0 : order;
            auto it = byHandle.find(r.layout);
            if (it != byHandle.end()) {
                if (std::string n = it->second->first(1); !n.empty()) name = n;
                if (auto t = it->second->first(71); !t.empty()) tab = std::atoi(t.c_str());
            } else if (!isModel && btr != paper) {
                continue;
            }
            ++order;
            auto* layout = new ZcDbLayout;
            layout->setLayoutName(widen(name).c_str());
            layout->setTabOrder(tab);
            layout->setBlockTableRecordId(btr);
            ZcDbObjectId lid;
            // The LAYOUT object itself stays in the kept OBJECTS section: the layout in the
            // database gets a handle of its own.
            if (add(layout, "", ZcDbObjectId(), lid) != Zcad::eOk) continue;
            ZcDbBlockTableRecord* rec = nullptr;
            if (zcdbOpenObject(rec, btr, ZcDb::kForWrite) == Zcad::eOk) {
                rec->setLayoutId(lid);
                rec->close();
            }
        }
    }

    void header(const dxf::Document& doc) {
        for (const dxf::HeaderVar& v : doc.header.vars) {
            if (v.values.empty() || v.name.size() < 2) continue;
            std::wstring name = widen(v.name.substr(1));
            if (name == L"HANDSEED") continue;
            const dxf::Tag& t = v.values[0];
            host::db::HeaderValue value;
            if (t.code == 10 && v.values.size() >= 2) {
                ZcGePoint3d p(t.toDouble().value_or(0), v.values[1].toDouble().value_or(0),
                              v.values.size() > 2 ? v.values[2].toDouble().value_or(0) : 0);
                value = p;
            } else if (dxf::valueType(t.code) == dxf::ValueType::Double) {
                value = t.toDouble().value_or(0);
            } else if (dxf::valueType(t.code) == dxf::ValueType::Int16 || dxf::valueType(t.code) == dxf::ValueType::Int32 ||
                       dxf::valueType(t.code) == dxf::ValueType::Bool) {
                value = static_cast<Zdesk::Int32>(t.toInt().value_or(0));
            } else {
                value = widen(t.value);
            }
            if (host::db::setHeaderVar(&db, name, value) != Zcad::eOk && std::holds_alternative<std::wstring>(value)) {
                // A record-valued variable naming a missing record: the database default stays.
            }
        }
        if (auto base = doc.header.insBase()) db.setInsbase(pt(*base));
    }
};

}  // namespace

Zcad::ErrorStatus readDocument(ZcDbDatabase& db, dxf::Document doc) {
    auto kept = std::make_shared<KeptFile>();
    Reader reader{db, *kept, {}, {}, {}, {}, {}, 1, {}, {}};
    Zcad::ErrorStatus es = reader.run(doc);
    if (es != Zcad::eOk) return es;
    // What the database now holds is dropped from the kept document.
    doc.entities.clear();
    for (dxf::Block& b : doc.blocks) b.entities.clear();
    doc.tables.linetypes.records.clear();
    doc.tables.layers.records.erase(doc.tables.layers.records.begin(), doc.tables.layers.records.end());
    std::erase_if(doc.tables.styles.records, [](const dxf::TextStyle& s) { return !s.name.empty(); });
    doc.tables.appids.records.clear();
    doc.tables.blockRecords.records.clear();
    doc.blocks.clear();
    kept->doc = std::move(doc);
    host::db::setCodecData(&db, kept);
    return Zcad::eOk;
}

}  // namespace host::dwgio
