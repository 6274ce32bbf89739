// Multiline text: placement by attachment point, contents, extents from the renderer's
// layout.
#include <cmath>

#include "DbScene.h"
#include "host/render/TextCodes.h"

#define WRITE_CHECK                                          \
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
        return es;

namespace host::db {

/// The 1..9 attachment that lays out an attachment code (10..24 name the single-line
/// text modes' combinations).
static int layoutAttachment(int code) {
    static const int kMap[25] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9,
                                 /*10*/ 7, 8, 9, 7, 7, 4, 1, 7, 7, 4, 1, 8, 8, 5, 2};
    return code >= 1 && code <= 24 ? kMap[code] : 1;
}

host::render::MTextPrim mtextPrim(const ZcDbMText& t) {
    host::render::MTextPrim p;
    p.setText(host::render::mtextToPlain(std::wstring_view(t.contentsConst())));
    ZcGePoint3d a = ZcGeMatrix3d::worldToPlane(t.normal()) * t.location();
    p.location = {a.x, a.y};
    p.height = t.textHeight();
    p.referenceWidth = t.width();
    p.rotation = t.rotation();
    p.lineSpacing = t.lineSpacingFactor();
    p.attachment = layoutAttachment(t.attachment());
    return p;
}

}  // namespace host::db

ZCRX_DEFINE_MEMBERS(ZcDbMText, ZcDbEntity);

ZcDbMText::ZcDbMText() = default;

Zcad::ErrorStatus ZcDbMText::setLocation(const ZcGePoint3d& p) {
    WRITE_CHECK
    location_ = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setNormal(const ZcGeVector3d& n) {
    WRITE_CHECK
    if (n.isZeroLength())
        return Zcad::eInvalidInput;
    double rot = rotation();
    normal_ = n.normal();
    return setRotation(rot);
}

Zcad::ErrorStatus ZcDbMText::setDirection(const ZcGeVector3d& d) {
    WRITE_CHECK
    // Projected into the text's plane.
    ZcGeVector3d inPlane = d - normal_ * d.dotProduct(normal_);
    if (inPlane.isZeroLength())
        return Zcad::eInvalidInput;
    direction_ = inPlane.normal();
    return Zcad::eOk;
}

double ZcDbMText::rotation() const {
    ZcGeVector3d d = direction_;
    d.transformBy(ZcGeMatrix3d::worldToPlane(normal_));
    double a = std::atan2(d.y, d.x);
    return a < 0.0 ? a + 2.0 * ZcGe::kPi : a;
}

Zcad::ErrorStatus ZcDbMText::setRotation(double angle) {
    WRITE_CHECK
    ZcGeVector3d d(std::cos(angle), std::sin(angle), 0.0);
    d.transformBy(ZcGeMatrix3d::planeToWorld(normal_));
    direction_ = d.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setWidth(double w) {
    WRITE_CHECK
    if (!(w >= 0.0) || !std::isfinite(w))
        return Zcad::eInvalidInput;
    width_ = w;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setTextHeight(double h) {
    WRITE_CHECK
    if (!(h > 0.0) || !std::isfinite(h))
        return Zcad::eInvalidInput;
    height_ = h;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setAttachment(AttachmentPoint point) {
    WRITE_CHECK
    int code = static_cast<int>(point);
    if (code < 1 || code > 24)
        return Zcad::eInvalidInput;
    attachment_ = point;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setFlowDirection(FlowDirection d) {
    WRITE_CHECK
    if (d < kLtoR || d > kByStyle)
        return Zcad::eInvalidInput;
    flow_ = d;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::setLineSpacingFactor(double f) {
    WRITE_CHECK
    if (!(f >= 0.25 && f <= 4.0))
        return Zcad::eInvalidInput;
    lineSpacing_ = f;
    return Zcad::eOk;
}

ZTCHAR* ZcDbMText::contents() const { return host::db::newText(contents_); }

Zcad::ErrorStatus ZcDbMText::setContents(const ZTCHAR* text) {
    WRITE_CHECK
    if (!text)
        return Zcad::eInvalidInput;
    contents_ = text;
    return Zcad::eOk;
}

std::wstring ZcDbMText::text() const {
    std::wstring plain = host::render::mtextToPlain(std::wstring_view(contents_));
    std::wstring out;
    for (wchar_t c : plain) {
        if (c == L'\n')
            out += L"\r\n";
        else
            out += c;
    }
    return out;
}

Zcad::ErrorStatus ZcDbMText::setTextStyle(ZcDbObjectId style) {
    WRITE_CHECK
    if (!style.isNull() && !host::db::peek<ZcDbTextStyleTableRecord>(style))
        return Zcad::eWrongObjectType;
    style_ = style;
    return Zcad::eOk;
}

double ZcDbMText::actualHeight() const {
    if (!(height_ > 0.0))
        return 0.0;
    return host::render::layoutMText(host::db::mtextPrim(*this)).height;
}

double ZcDbMText::actualWidth() const {
    if (!(height_ > 0.0))
        return 0.0;
    return host::render::layoutMText(host::db::mtextPrim(*this)).width;
}

void ZcDbMText::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) {
    ZcDbEntity::forEachReference(fn);
    fn(style_);
}

void ZcDbMText::subAddedToDatabase(ZcDbDatabase* db) {
    ZcDbEntity::subAddedToDatabase(db);
    host::db::adoptTextDefaults(db, style_, height_);
}

void ZcDbMText::subSetDatabaseDefaults(ZcDbDatabase* db) { style_ = db->textstyle(); }

Zcad::ErrorStatus ZcDbMText::subTransformBy(const ZcGeMatrix3d& m) {
    ZcGeVector3d u = direction_, v = normal_.crossProduct(direction_), n = normal_;
    u.transformBy(m);
    v.transformBy(m);
    n.transformBy(m);
    double lu = u.length(), lv = v.length();
    if (lu == 0.0 || lv == 0.0 || std::fabs(u.dotProduct(v)) > 1e-9 * lu * lv ||
        std::fabs(lu - lv) > 1e-9 * std::max(lu, lv))
        return Zcad::eCannotScaleNonUniformly;
    ZcGeMatrix3d copy = m;
    ZcGeVector3d newNormal = u.crossProduct(v).normal();
    if (copy.det() < 0.0)
        newNormal = -newNormal;
    location_.transformBy(m);
    normal_ = newNormal;
    direction_ = u.normal();
    height_ *= lv;
    width_ *= lu;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::subGetGeomExtents(ZcDbExtents& e) const {
    if (!(height_ > 0.0))
        return Zcad::eInvalidExtents;
    host::render::Extents box = host::render::mtextExtents(host::db::mtextPrim(*this));
    if (!box.valid)
        return Zcad::eInvalidExtents;
    host::db::addPlaneExtents(e, box, normal_, (ZcGeMatrix3d::worldToPlane(normal_) * location_).z);
    return Zcad::eOk;
}
