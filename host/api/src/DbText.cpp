// Single-line text, attribute definitions and attributes: properties, alignment,
// transformation and extents measured with the renderer's font metrics.
#include <cmath>

#include "DbScene.h"
#include "host/render/TextCodes.h"

using host::db::DatabaseImpl;

namespace host::db {

TextBox measureLine(const std::wstring& text, double height, double widthFactor) {
    TextBox box;
    host::render::TextMetrics m =
        host::render::measureText(host::render::decodeTextCodes(std::wstring_view(text)), height, widthFactor);
    box.advance = m.advance;
    box.descent = m.descent;
    if (m.ink.valid) {
        box.minX = m.ink.minX;
        box.minY = m.ink.minY;
        box.maxX = m.ink.maxX;
        box.maxY = m.ink.maxY;
        box.valid = true;
    }
    return box;
}

host::render::TextPrim textPrim(const ZcDbText& t) {
    host::render::TextPrim p;
    p.setText(host::render::decodeTextCodes(std::wstring_view(t.textStringConst())));
    ZcGeMatrix3d toPlane = ZcGeMatrix3d::worldToPlane(t.normal());
    ZcGePoint3d a = toPlane * t.position(), b = toPlane * t.alignmentPoint();
    p.insert = {a.x, a.y};
    p.align = {b.x, b.y};
    p.height = t.height();
    p.rotation = t.rotation();
    p.widthFactor = t.widthFactor();
    p.oblique = t.oblique();
    p.halign = t.horizontalMode();
    p.valign = t.verticalMode();
    if (t.isDefaultAlignment())
        p.align = p.insert;
    // Mirrored texts: flip about the text's own baseline start.
    if (t.isMirroredInX() || t.isMirroredInY()) {
        double sx = t.isMirroredInX() ? -1.0 : 1.0, sy = t.isMirroredInY() ? -1.0 : 1.0;
        host::render::Transform2D toText = host::render::Transform2D::translation(-a.x, -a.y)
                                               .then(host::render::Transform2D::rotation(-p.rotation));
        host::render::Transform2D back = host::render::Transform2D::rotation(p.rotation)
                                             .then(host::render::Transform2D::translation(a.x, a.y));
        p.transform = toText.then(host::render::Transform2D::scaling(sx, sy)).then(back);
    }
    return p;
}

void addPlaneExtents(ZcDbExtents& e, const host::render::Extents& box, const ZcGeVector3d& normal, double z) {
    if (!box.valid)
        return;
    ZcGeMatrix3d toWorld = ZcGeMatrix3d::planeToWorld(normal);
    for (int i = 0; i < 4; ++i)
        e.addPoint(toWorld * ZcGePoint3d(i & 1 ? box.maxX : box.minX, i & 2 ? box.maxY : box.minY, z));
}

}  // namespace host::db

namespace {

#define WRITE_CHECK                                          \
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
        return es;

double planeZ(const ZcGeVector3d& normal, const ZcGePoint3d& p) {
    return (ZcGeMatrix3d::worldToPlane(normal) * p).z;
}

/// Transforms the text frame (position, alignment, direction, height, width factor,
/// normal, mirroring) by m; false when m shears the text.
struct TextFrame {
    ZcGePoint3d position, alignment;
    ZcGeVector3d normal;
    double rotation, height, widthFactor, thickness;
    bool mirrored;
};

bool transformFrame(TextFrame& f, const ZcGeMatrix3d& m) {
    ZcGeMatrix3d toWorld = ZcGeMatrix3d::planeToWorld(f.normal);
    ZcGeVector3d xdir(std::cos(f.rotation), std::sin(f.rotation), 0.0), ydir(-std::sin(f.rotation), std::cos(f.rotation), 0.0);
    xdir.transformBy(toWorld);
    ydir.transformBy(toWorld);
    ZcGeVector3d u = xdir, v = ydir, n = f.normal;
    u.transformBy(m);
    v.transformBy(m);
    n.transformBy(m);
    double lu = u.length(), lv = v.length();
    if (lu == 0.0 || lv == 0.0 || std::fabs(u.dotProduct(v)) > 1e-9 * lu * lv)
        return false;
    ZcGeMatrix3d copy = m;
    bool mirrored = copy.det() < 0.0;
    ZcGeVector3d newNormal = u.crossProduct(v).normal();
    if (mirrored)
        newNormal = -newNormal;
    ZcGeMatrix3d toPlane = ZcGeMatrix3d::worldToPlane(newNormal);
    ZcGeVector3d up = u;
    up.transformBy(toPlane);
    f.rotation = std::atan2(up.y, up.x);
    if (f.rotation < 0.0)
        f.rotation += 2.0 * ZcGe::kPi;
    f.height *= lv;
    f.widthFactor *= lu / lv;
    f.thickness *= n.length();
    f.position.transformBy(m);
    f.alignment.transformBy(m);
    f.normal = newNormal;
    f.mirrored = mirrored != f.mirrored;
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Text.

ZCRX_DEFINE_MEMBERS(ZcDbText, ZcDbEntity);

ZcDbText::ZcDbText() = default;

ZcDbText::ZcDbText(const ZcGePoint3d& position, const ZTCHAR* text, ZcDbObjectId style, double height, double rotation)
    : position_(position), rotation_(rotation), height_(height > 0.0 ? height : 0.0),
      text_(host::db::safeText(text)), style_(style) {}

Zcad::ErrorStatus ZcDbText::setPosition(const ZcGePoint3d& p) { WRITE_CHECK position_ = p; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setAlignmentPoint(const ZcGePoint3d& p) { WRITE_CHECK alignment_ = p; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setThickness(double t) { WRITE_CHECK thickness_ = t; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setOblique(double a) { WRITE_CHECK oblique_ = a; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setRotation(double a) { WRITE_CHECK rotation_ = a; return Zcad::eOk; }

bool ZcDbText::isDefaultAlignment() const { return hmode_ == ZcDb::kTextLeft && vmode_ == ZcDb::kTextBase; }

Zcad::ErrorStatus ZcDbText::setNormal(const ZcGeVector3d& n) {
    WRITE_CHECK
    if (n.isZeroLength())
        return Zcad::eInvalidInput;
    normal_ = n.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setHeight(double h) {
    WRITE_CHECK
    if (!(h > 0.0) || !std::isfinite(h))
        return Zcad::eInvalidInput;
    height_ = h;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setWidthFactor(double f) {
    WRITE_CHECK
    if (!(f > 0.0) || !std::isfinite(f))
        return Zcad::eInvalidInput;
    widthFactor_ = f;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::mirrorInX(bool m) { WRITE_CHECK generation_ = m ? generation_ | 2 : generation_ & ~2; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::mirrorInY(bool m) { WRITE_CHECK generation_ = m ? generation_ | 4 : generation_ & ~4; return Zcad::eOk; }

ZTCHAR* ZcDbText::textString() const { return host::db::newText(text_); }

Zcad::ErrorStatus ZcDbText::setTextString(const ZTCHAR* text) {
    WRITE_CHECK
    if (!text)
        return Zcad::eInvalidInput;
    text_ = text;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setTextStyle(ZcDbObjectId style) {
    WRITE_CHECK
    if (!style.isNull() && !host::db::peek<ZcDbTextStyleTableRecord>(style))
        return Zcad::eWrongObjectType;
    style_ = style;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setHorizontalMode(ZcDb::TextHorzMode mode) {
    WRITE_CHECK
    if (mode < ZcDb::kTextLeft || mode > ZcDb::kTextFit)
        return Zcad::eInvalidInput;
    hmode_ = mode;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::setVerticalMode(ZcDb::TextVertMode mode) {
    WRITE_CHECK
    if (mode < ZcDb::kTextBase || mode > ZcDb::kTextTop)
        return Zcad::eInvalidInput;
    vmode_ = mode;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::adjustAlignment(const ZcDbDatabase*) {
    WRITE_CHECK
    if (isDefaultAlignment())
        return Zcad::eOk;
    double h = height_ > 0.0 ? height_ : 1.0;
    ZcGeMatrix3d toPlane = ZcGeMatrix3d::worldToPlane(normal_), toWorld = ZcGeMatrix3d::planeToWorld(normal_);
    ZcGePoint3d a = toPlane * position_, b = toPlane * alignment_;
    if (hmode_ == ZcDb::kTextAlign || hmode_ == ZcDb::kTextFit) {
        // Fitted between the two points: the baseline runs from position to alignment.
        double len = std::hypot(b.x - a.x, b.y - a.y);
        if (len > 0.0) {
            rotation_ = std::atan2(b.y - a.y, b.x - a.x);
            double unit = host::db::measureLine(text_, 1.0, 1.0).advance;
            if (unit > 0.0) {
                if (hmode_ == ZcDb::kTextAlign)
                    height_ = len / (unit * widthFactor_);
                else
                    widthFactor_ = len / (unit * h);
            }
        }
        return Zcad::eOk;
    }
    host::db::TextBox measured = host::db::measureLine(text_, h, widthFactor_);
    double w = measured.advance;
    double dx = 0.0, dy = 0.0;
    switch (hmode_) {
    case ZcDb::kTextCenter: dx = w / 2; break;
    case ZcDb::kTextRight: dx = w; break;
    case ZcDb::kTextMid: dx = w / 2; break;
    default: break;
    }
    switch (vmode_) {
    case ZcDb::kTextBottom: dy = -measured.descent; break;
    case ZcDb::kTextVertMid: dy = h / 2; break;
    case ZcDb::kTextTop: dy = h; break;
    default: break;
    }
    if (hmode_ == ZcDb::kTextMid && vmode_ == ZcDb::kTextBase)
        dy = h / 2;
    double c = std::cos(rotation_), s = std::sin(rotation_);
    ZcGePoint3d start(b.x - (dx * c - dy * s), b.y - (dx * s + dy * c), b.z);
    position_ = toWorld * start;
    return Zcad::eOk;
}

void ZcDbText::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) {
    ZcDbEntity::forEachReference(fn);
    fn(style_);
}

void host::db::adoptTextDefaults(ZcDbDatabase* db, ZcDbObjectId& style, double& height) {
    if (style.isNull() || style.databaseSerial() != db->serial())
        style = db->textstyle();
    if (height <= 0.0) {
        auto* record = db->impl()->get<ZcDbTextStyleTableRecord>(style);
        height = record && record->textSize() > 0.0 ? record->textSize() : db->textsize();
    }
}

void ZcDbText::subAddedToDatabase(ZcDbDatabase* db) {
    ZcDbEntity::subAddedToDatabase(db);
    host::db::adoptTextDefaults(db, style_, height_);
}

void ZcDbText::subSetDatabaseDefaults(ZcDbDatabase* db) { style_ = db->textstyle(); }

Zcad::ErrorStatus ZcDbText::subTransformBy(const ZcGeMatrix3d& m) {
    TextFrame f{position_, alignment_, normal_, rotation_, height_, widthFactor_, thickness_, isMirroredInX()};
    if (!transformFrame(f, m))
        return Zcad::eCannotScaleNonUniformly;
    position_ = f.position;
    alignment_ = f.alignment;
    normal_ = f.normal;
    rotation_ = f.rotation;
    height_ = f.height;
    widthFactor_ = f.widthFactor;
    thickness_ = f.thickness;
    generation_ = f.mirrored ? generation_ | 2 : generation_ & ~2;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::subGetGeomExtents(ZcDbExtents& e) const {
    if (text_.empty() || !(height_ > 0.0))
        return Zcad::eInvalidExtents;
    host::render::Extents box = host::render::textExtents(host::db::textPrim(*this));
    if (!box.valid)
        return Zcad::eInvalidExtents;
    host::db::addPlaneExtents(e, box, normal_, planeZ(normal_, position_));
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Attribute definitions and attributes share the tag rules and the multiline form.

static bool validTag(const std::wstring& tag) {
    if (tag.empty())
        return false;
    for (wchar_t c : tag)
        if (c == L' ' || c < 0x20)
            return false;
    return true;
}

ZCRX_DEFINE_MEMBERS(ZcDbAttributeDefinition, ZcDbText);

ZcDbAttributeDefinition::ZcDbAttributeDefinition() = default;
ZcDbAttributeDefinition::~ZcDbAttributeDefinition() = default;

ZcDbAttributeDefinition::ZcDbAttributeDefinition(const ZcGePoint3d& position, const ZTCHAR* text, const ZTCHAR* tag,
                                                 const ZTCHAR* prompt, ZcDbObjectId style)
    : ZcDbText(position, text, style), tag_(host::db::safeText(tag)), prompt_(host::db::safeText(prompt)) {}

ZcDbAttributeDefinition::ZcDbAttributeDefinition(const ZcDbAttributeDefinition& o)
    : ZcDbText(o), tag_(o.tag_), prompt_(o.prompt_), flags_(o.flags_), lockPosition_(o.lockPosition_),
      fieldLength_(o.fieldLength_), mtext_(o.mtext_ ? new ZcDbMText(*o.mtext_) : nullptr) {}

ZTCHAR* ZcDbAttributeDefinition::prompt() const { return host::db::newText(prompt_); }
ZTCHAR* ZcDbAttributeDefinition::tag() const { return host::db::newText(tag_); }

Zcad::ErrorStatus ZcDbAttributeDefinition::setPrompt(const ZTCHAR* prompt) {
    WRITE_CHECK
    prompt_ = host::db::safeText(prompt);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setTag(const ZTCHAR* tag) {
    WRITE_CHECK
    if (!validTag(host::db::safeText(tag)))
        return Zcad::eInvalidInput;
    tag_ = tag;
    return Zcad::eOk;
}

#define FLAG_SETTER(CLASS, NAME, BIT)                 \
    Zcad::ErrorStatus CLASS::NAME(bool value) {       \
        WRITE_CHECK                                   \
        flags_ = value ? (flags_ | BIT) : (flags_ & ~BIT); \
        return Zcad::eOk;                             \
    }

FLAG_SETTER(ZcDbAttributeDefinition, setInvisible, 1)
FLAG_SETTER(ZcDbAttributeDefinition, setConstant, 2)
FLAG_SETTER(ZcDbAttributeDefinition, setVerifiable, 4)
FLAG_SETTER(ZcDbAttributeDefinition, setPreset, 8)

Zcad::ErrorStatus ZcDbAttributeDefinition::setLockPositionInBlock(bool v) { WRITE_CHECK lockPosition_ = v; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttributeDefinition::setFieldLength(Zdesk::UInt16 n) { WRITE_CHECK fieldLength_ = n; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttributeDefinition::setFlagBits(int bits) { WRITE_CHECK flags_ = bits & 15; return Zcad::eOk; }

ZcDbMText* ZcDbAttributeDefinition::getMTextAttributeDefinition() const {
    return mtext_ ? new ZcDbMText(*mtext_) : nullptr;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::setMTextAttributeDefinition(ZcDbMText* text) {
    WRITE_CHECK
    mtext_.reset(text ? new ZcDbMText(*text) : nullptr);
    return Zcad::eOk;
}

/// A multiline text holding a text entity's value and placement.
static ZcDbMText* mtextFromText(const ZcDbText& t) {
    auto* m = new ZcDbMText;
    m->setPropertiesFrom(&t);
    m->setNormal(t.normal());
    m->setLocation(t.isDefaultAlignment() ? t.position() : t.alignmentPoint());
    if (t.height() > 0.0)
        m->setTextHeight(t.height());
    m->setRotation(t.rotation());
    m->setContents(t.textStringConst());
    m->setTextStyle(t.textStyle());
    m->setAttachment(ZcDbMText::kBottomLeft);
    return m;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::convertIntoMTextAttributeDefinition(bool toMText) {
    WRITE_CHECK
    mtext_.reset(toMText ? mtextFromText(*this) : nullptr);
    return Zcad::eOk;
}

void ZcDbAttributeDefinition::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) {
    ZcDbText::forEachReference(fn);
    if (mtext_)
        mtext_->forEachReference(fn);
}

Zcad::ErrorStatus ZcDbAttributeDefinition::subTransformBy(const ZcGeMatrix3d& m) {
    Zcad::ErrorStatus es = ZcDbText::subTransformBy(m);
    if (es == Zcad::eOk && mtext_)
        es = host::db::ObjectAccess::transform(mtext_.get(), m);
    return es;
}

ZCRX_DEFINE_MEMBERS(ZcDbAttribute, ZcDbText);

ZcDbAttribute::ZcDbAttribute() = default;
ZcDbAttribute::~ZcDbAttribute() = default;

ZcDbAttribute::ZcDbAttribute(const ZcGePoint3d& position, const ZTCHAR* text, const ZTCHAR* tag, ZcDbObjectId style)
    : ZcDbText(position, text, style), tag_(host::db::safeText(tag)) {}

ZcDbAttribute::ZcDbAttribute(const ZcDbAttribute& o)
    : ZcDbText(o), tag_(o.tag_), flags_(o.flags_), lockPosition_(o.lockPosition_), fieldLength_(o.fieldLength_),
      mtext_(o.mtext_ ? new ZcDbMText(*o.mtext_) : nullptr) {}

ZTCHAR* ZcDbAttribute::tag() const { return host::db::newText(tag_); }

Zcad::ErrorStatus ZcDbAttribute::setTag(const ZTCHAR* tag) {
    WRITE_CHECK
    if (!validTag(host::db::safeText(tag)))
        return Zcad::eInvalidInput;
    tag_ = tag;
    return Zcad::eOk;
}

FLAG_SETTER(ZcDbAttribute, setInvisible, 1)
Zcad::ErrorStatus ZcDbAttribute::setLockPositionInBlock(bool v) { WRITE_CHECK lockPosition_ = v; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttribute::setFieldLength(Zdesk::UInt16 n) { WRITE_CHECK fieldLength_ = n; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttribute::setFlagBits(int bits) { WRITE_CHECK flags_ = bits & 15; return Zcad::eOk; }

ZcDbMText* ZcDbAttribute::getMTextAttribute() const {
    return mtext_ ? new ZcDbMText(*mtext_) : mtextFromText(*this);
}

Zcad::ErrorStatus ZcDbAttribute::setMTextAttribute(ZcDbMText* text) {
    WRITE_CHECK
    if (!text) {
        mtext_.reset();
        return Zcad::eOk;
    }
    mtext_.reset(new ZcDbMText(*text));
    return setTextString(text->contentsConst());
}

Zcad::ErrorStatus ZcDbAttribute::convertIntoMTextAttribute(bool toMText) {
    WRITE_CHECK
    mtext_.reset(toMText ? mtextFromText(*this) : nullptr);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbAttribute::setAttributeFromBlock(const ZcDbAttributeDefinition* d, const ZcGeMatrix3d& m) {
    WRITE_CHECK
    if (!d)
        return Zcad::eNullEntityPointer;
    setPropertiesFrom(d);
    tag_ = d->tagConst();
    flags_ = d->flagBits();
    lockPosition_ = d->lockPositionInBlock();
    fieldLength_ = d->fieldLength();
    setPosition(d->position());
    setAlignmentPoint(d->alignmentPoint());
    setNormal(d->normal());
    setThickness(d->thickness());
    setOblique(d->oblique());
    setRotation(d->rotation());
    if (d->height() > 0.0)
        setHeight(d->height());
    setWidthFactor(d->widthFactor());
    mirrorInX(d->isMirroredInX());
    mirrorInY(d->isMirroredInY());
    setTextString(d->textStringConst());
    setTextStyle(d->textStyle());
    setHorizontalMode(d->horizontalMode());
    setVerticalMode(d->verticalMode());
    mtext_.reset(d->mtextForm() ? new ZcDbMText(*d->mtextForm()) : nullptr);
    return subTransformBy(m);
}

Zcad::ErrorStatus ZcDbAttribute::setAttributeFromBlock(const ZcGeMatrix3d& m) {
    WRITE_CHECK
    return subTransformBy(m);
}

void ZcDbAttribute::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) {
    ZcDbText::forEachReference(fn);
    if (mtext_)
        mtext_->forEachReference(fn);
}

Zcad::ErrorStatus ZcDbAttribute::subTransformBy(const ZcGeMatrix3d& m) {
    Zcad::ErrorStatus es = ZcDbText::subTransformBy(m);
    if (es == Zcad::eOk && mtext_)
        es = host::db::ObjectAccess::transform(mtext_.get(), m);
    return es;
}

Zcad::ErrorStatus ZcDbAttribute::subGetGeomExtents(ZcDbExtents& e) const {
    if (mtext_)
        return host::db::ObjectAccess::extents(mtext_.get(), e);
    return ZcDbText::subGetGeomExtents(e);
}
