// Entities: line, circle, arc, point, 2D solid, text, attribute definition, attribute and
// block reference.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "zcdbcurve.h"
#include "zcdbmain.h"

class ZcDbMText;
class ZcDbAttribute;

class ZCAD_PORT ZcDbLine : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLine);
    ZcDbLine() = default;
    ZcDbLine(const ZcGePoint3d& start, const ZcGePoint3d& end);

    ZcGePoint3d startPoint() const { return start_; }
    ZcGePoint3d endPoint() const { return end_; }
    Zcad::ErrorStatus setStartPoint(const ZcGePoint3d& point);
    Zcad::ErrorStatus setEndPoint(const ZcGePoint3d& point);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    double thickness() const { return thickness_; }
    Zcad::ErrorStatus setThickness(double thickness);

    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getStartPoint(ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getEndPoint(ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Zcad::ErrorStatus getFirstDeriv(double param, ZcGeVector3d& deriv) const override;
    ZcDbObject* clone() const override { return new ZcDbLine(*this); }

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;

private:
    ZcGePoint3d start_, end_;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    double thickness_ = 0.0;
};

/// A circle: parameter = angle (0 to 2 pi) in its plane.
class ZCAD_PORT ZcDbCircle : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbCircle);
    ZcDbCircle() = default;
    ZcDbCircle(const ZcGePoint3d& center, const ZcGeVector3d& normal, double radius);

    ZcGePoint3d center() const { return center_; }
    Zcad::ErrorStatus setCenter(const ZcGePoint3d& center);
    double radius() const { return radius_; }
    /// Must be positive (eInvalidInput).
    Zcad::ErrorStatus setRadius(double radius);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    double thickness() const { return thickness_; }
    Zcad::ErrorStatus setThickness(double thickness);
    double circumference() const;

    bool isClosed() const override { return true; }
    bool isPeriodic() const override { return true; }
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Zcad::ErrorStatus getFirstDeriv(double param, ZcGeVector3d& deriv) const override;
    ZcDbObject* clone() const override { return new ZcDbCircle(*this); }

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;

private:
    ZcGePoint3d center_;
    double radius_ = 1.0;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    double thickness_ = 0.0;
};

/// An arc, counter-clockwise about its normal from startAngle to endAngle (radians, from
/// the plane's X axis); parameters are angles.
class ZCAD_PORT ZcDbArc : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbArc);
    ZcDbArc() = default;
    ZcDbArc(const ZcGePoint3d& center, double radius, double startAngle, double endAngle);
    ZcDbArc(const ZcGePoint3d& center, const ZcGeVector3d& normal, double radius, double startAngle,
            double endAngle);

    ZcGePoint3d center() const { return center_; }
    Zcad::ErrorStatus setCenter(const ZcGePoint3d& center);
    double radius() const { return radius_; }
    Zcad::ErrorStatus setRadius(double radius);
    double startAngle() const { return startAngle_; }
    Zcad::ErrorStatus setStartAngle(double angle);
    double endAngle() const { return endAngle_; }
    Zcad::ErrorStatus setEndAngle(double angle);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    double thickness() const { return thickness_; }
    Zcad::ErrorStatus setThickness(double thickness);

    Zcad::ErrorStatus getStartParam(double& param) const override;
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Zcad::ErrorStatus getFirstDeriv(double param, ZcGeVector3d& deriv) const override;
    ZcDbObject* clone() const override { return new ZcDbArc(*this); }

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;

private:
    double sweep() const;

    ZcGePoint3d center_;
    double radius_ = 1.0;
    double startAngle_ = 0.0;
    double endAngle_ = 0.0;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    double thickness_ = 0.0;
};

class ZCAD_PORT ZcDbPoint : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbPoint);
    ZcDbPoint() = default;
    explicit ZcDbPoint(const ZcGePoint3d& position) : position_(position) {}

    ZcGePoint3d position() const { return position_; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& position);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    double thickness() const { return thickness_; }
    Zcad::ErrorStatus setThickness(double thickness);
    ZcDbObject* clone() const override { return new ZcDbPoint(*this); }

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;

private:
    ZcGePoint3d position_;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    double thickness_ = 0.0;
};

/// A filled quadrilateral (or triangle when the last two corners coincide); corners in the
/// drawing format's order (the outline runs 0, 1, 3, 2).
class ZCAD_PORT ZcDbSolid : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSolid);
    ZcDbSolid() = default;
    ZcDbSolid(const ZcGePoint3d& p0, const ZcGePoint3d& p1, const ZcGePoint3d& p2, const ZcGePoint3d& p3);
    ZcDbSolid(const ZcGePoint3d& p0, const ZcGePoint3d& p1, const ZcGePoint3d& p2);

    /// index 0..3 (eInvalidIndex otherwise).
    Zcad::ErrorStatus getPointAt(Zdesk::UInt16 index, ZcGePoint3d& point) const;
    Zcad::ErrorStatus setPointAt(Zdesk::UInt16 index, const ZcGePoint3d& point);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    double thickness() const { return thickness_; }
    Zcad::ErrorStatus setThickness(double thickness);
    ZcDbObject* clone() const override { return new ZcDbSolid(*this); }

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;

private:
    ZcGePoint3d corners_[4];
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    double thickness_ = 0.0;
};

/// Single-line text. With left/baseline alignment the text starts at position; otherwise
/// alignmentPoint is the reference and position follows from it (adjustAlignment).
class ZCAD_PORT ZcDbText : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbText);
    ZcDbText();
    ZcDbText(const ZcGePoint3d& position, const ZTCHAR* text, ZcDbObjectId style = ZcDbObjectId::kNull,
             double height = 0.0, double rotation = 0.0);

    ZcGePoint3d position() const { return position_; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& position);
    ZcGePoint3d alignmentPoint() const { return alignment_; }
    Zcad::ErrorStatus setAlignmentPoint(const ZcGePoint3d& point);
    bool isDefaultAlignment() const;
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    double thickness() const { return thickness_; }
    Zcad::ErrorStatus setThickness(double thickness);
    double oblique() const { return oblique_; }
    Zcad::ErrorStatus setOblique(double angle);
    double rotation() const { return rotation_; }
    Zcad::ErrorStatus setRotation(double angle);
    double height() const { return height_; }
    /// Must be positive (eInvalidInput).
    Zcad::ErrorStatus setHeight(double height);
    double widthFactor() const { return widthFactor_; }
    Zcad::ErrorStatus setWidthFactor(double factor);
    bool isMirroredInX() const { return (generation_ & 2) != 0; }
    Zcad::ErrorStatus mirrorInX(bool mirror);
    bool isMirroredInY() const { return (generation_ & 4) != 0; }
    Zcad::ErrorStatus mirrorInY(bool mirror);
    /// A copy of the text (free it with zcutDelBuffer).
    ZTCHAR* textString() const;
    const ZTCHAR* textStringConst() const { return text_.c_str(); }
    Zcad::ErrorStatus setTextString(const ZTCHAR* text);
    ZcDbObjectId textStyle() const { return style_; }
    Zcad::ErrorStatus setTextStyle(ZcDbObjectId style);
    ZcDb::TextHorzMode horizontalMode() const { return hmode_; }
    Zcad::ErrorStatus setHorizontalMode(ZcDb::TextHorzMode mode);
    ZcDb::TextVertMode verticalMode() const { return vmode_; }
    Zcad::ErrorStatus setVerticalMode(ZcDb::TextVertMode mode);
    /// Recomputes position (or, for the fitted modes, the height or width) from the
    /// alignment point and the text's measured size; db (or the entity's or the working
    /// database) resolves the style.
    Zcad::ErrorStatus adjustAlignment(const ZcDbDatabase* db = nullptr);

    ZcDbObject* clone() const override { return new ZcDbText(*this); }
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

protected:
    ZcDbText(const ZcDbText&) = default;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;
    void subAddedToDatabase(ZcDbDatabase* db) override;
    void subSetDatabaseDefaults(ZcDbDatabase* db) override;

private:
    ZcGePoint3d position_;
    ZcGePoint3d alignment_;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    double thickness_ = 0.0;
    double oblique_ = 0.0;
    double rotation_ = 0.0;
    double height_ = 0.0;  // 0: not set yet (the database's TEXTSIZE on append)
    double widthFactor_ = 1.0;
    int generation_ = 0;
    std::wstring text_;
    ZcDbObjectId style_;
    ZcDb::TextHorzMode hmode_ = ZcDb::kTextLeft;
    ZcDb::TextVertMode vmode_ = ZcDb::kTextBase;
};

/// An attribute definition of a block: tag, prompt, default value (the text string) and
/// flags; optionally multiline (then the value's layout is a multiline text).
class ZCAD_PORT ZcDbAttributeDefinition : public ZcDbText {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbAttributeDefinition);
    ZcDbAttributeDefinition();
    ZcDbAttributeDefinition(const ZcGePoint3d& position, const ZTCHAR* text, const ZTCHAR* tag,
                            const ZTCHAR* prompt, ZcDbObjectId style = ZcDbObjectId::kNull);
    ~ZcDbAttributeDefinition() override;

    ZTCHAR* prompt() const;
    const ZTCHAR* promptConst() const { return prompt_.c_str(); }
    Zcad::ErrorStatus setPrompt(const ZTCHAR* prompt);
    ZTCHAR* tag() const;
    const ZTCHAR* tagConst() const { return tag_.c_str(); }
    /// eInvalidInput for an empty tag or one with blanks.
    Zcad::ErrorStatus setTag(const ZTCHAR* tag);
    bool isInvisible() const { return (flags_ & 1) != 0; }
    Zcad::ErrorStatus setInvisible(bool value);
    bool isConstant() const { return (flags_ & 2) != 0; }
    Zcad::ErrorStatus setConstant(bool value);
    bool isVerifiable() const { return (flags_ & 4) != 0; }
    Zcad::ErrorStatus setVerifiable(bool value);
    bool isPreset() const { return (flags_ & 8) != 0; }
    Zcad::ErrorStatus setPreset(bool value);
    bool lockPositionInBlock() const { return lockPosition_; }
    Zcad::ErrorStatus setLockPositionInBlock(bool value);
    Zdesk::UInt16 fieldLength() const { return fieldLength_; }
    Zcad::ErrorStatus setFieldLength(Zdesk::UInt16 length);

    bool isMTextAttributeDefinition() const { return mtext_ != nullptr; }
    /// A copy of the multiline form (caller deletes it), or null for a single-line one.
    ZcDbMText* getMTextAttributeDefinition() const;
    /// Makes the definition multiline with a copy of text's contents and layout (null
    /// makes it single-line again).
    Zcad::ErrorStatus setMTextAttributeDefinition(ZcDbMText* text);
    /// Converts to (true) or from (false) the multiline form using the current value.
    Zcad::ErrorStatus convertIntoMTextAttributeDefinition(bool toMText = true);

    // Host side: the flag bits of the drawing format (1 invisible, 2 constant, 4 verify,
    // 8 preset).
    int flagBits() const { return flags_; }
    Zcad::ErrorStatus setFlagBits(int bits);
    const ZcDbMText* mtextForm() const { return mtext_.get(); }

    ZcDbObject* clone() const override { return new ZcDbAttributeDefinition(*this); }
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

protected:
    ZcDbAttributeDefinition(const ZcDbAttributeDefinition& other);
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;

private:
    std::wstring tag_;
    std::wstring prompt_;
    int flags_ = 0;
    bool lockPosition_ = false;
    Zdesk::UInt16 fieldLength_ = 0;
    std::unique_ptr<ZcDbMText> mtext_;
};

/// The value of an attribute definition in one block reference; owned by the reference.
class ZCAD_PORT ZcDbAttribute : public ZcDbText {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbAttribute);
    ZcDbAttribute();
    ZcDbAttribute(const ZcGePoint3d& position, const ZTCHAR* text, const ZTCHAR* tag,
                  ZcDbObjectId style = ZcDbObjectId::kNull);
    ~ZcDbAttribute() override;

    ZTCHAR* tag() const;
    const ZTCHAR* tagConst() const { return tag_.c_str(); }
    Zcad::ErrorStatus setTag(const ZTCHAR* tag);
    bool isInvisible() const { return (flags_ & 1) != 0; }
    Zcad::ErrorStatus setInvisible(bool value);
    bool isConstant() const { return (flags_ & 2) != 0; }
    bool isVerifiable() const { return (flags_ & 4) != 0; }
    bool isPreset() const { return (flags_ & 8) != 0; }
    bool lockPositionInBlock() const { return lockPosition_; }
    Zcad::ErrorStatus setLockPositionInBlock(bool value);
    Zdesk::UInt16 fieldLength() const { return fieldLength_; }
    Zcad::ErrorStatus setFieldLength(Zdesk::UInt16 length);

    bool isMTextAttribute() const { return mtext_ != nullptr; }
    /// A new multiline text the caller deletes: a copy of the multiline form, or, for a
    /// single-line attribute, one made from its text, position, height, rotation and style
    /// (so that it can be adjusted and given back with setMTextAttribute).
    ZcDbMText* getMTextAttribute() const;
    /// Makes the attribute multiline with a copy of text (its contents become the value);
    /// null makes it single-line again. The caller keeps text.
    Zcad::ErrorStatus setMTextAttribute(ZcDbMText* text);
    Zcad::ErrorStatus convertIntoMTextAttribute(bool toMText = true);

    /// Takes the definition's tag, flags, text properties and (transformed by
    /// blockTransform) geometry.
    Zcad::ErrorStatus setAttributeFromBlock(const ZcDbAttributeDefinition* definition,
                                            const ZcGeMatrix3d& blockTransform);
    /// Transforms the attribute by blockTransform (as placed from a definition).
    Zcad::ErrorStatus setAttributeFromBlock(const ZcGeMatrix3d& blockTransform);

    int flagBits() const { return flags_; }
    Zcad::ErrorStatus setFlagBits(int bits);
    const ZcDbMText* mtextForm() const { return mtext_.get(); }

    ZcDbObject* clone() const override { return new ZcDbAttribute(*this); }
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

protected:
    ZcDbAttribute(const ZcDbAttribute& other);
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;

private:
    std::wstring tag_;
    int flags_ = 0;
    bool lockPosition_ = false;
    Zdesk::UInt16 fieldLength_ = 0;
    std::unique_ptr<ZcDbMText> mtext_;
};

/// An insertion of a block definition with its own attributes.
class ZCAD_PORT ZcDbBlockReference : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockReference);
    ZcDbBlockReference() = default;
    ZcDbBlockReference(const ZcGePoint3d& position, ZcDbObjectId block);

    ZcDbObjectId blockTableRecord() const { return block_; }
    Zcad::ErrorStatus setBlockTableRecord(ZcDbObjectId block);
    ZcGePoint3d position() const { return position_; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& position);
    ZcGeScale3d scaleFactors() const { return scale_; }
    /// No factor may be zero (eInvalidInput).
    Zcad::ErrorStatus setScaleFactors(const ZcGeScale3d& scale);
    double rotation() const { return rotation_; }
    Zcad::ErrorStatus setRotation(double angle);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);

    /// Block coordinates to world: translate by -origin of the block, scale, rotate about
    /// the normal, place in the normal's plane, translate to position.
    ZcGeMatrix3d blockTransform() const;
    /// Sets position, scale, rotation and normal from a similarity-with-scales matrix.
    Zcad::ErrorStatus setBlockTransform(const ZcGeMatrix3d& transform);

    /// Adds a new attribute owned by this reference (which must be database-resident);
    /// the attribute comes back open for write. eNullEntityPointer, eAlreadyInDb,
    /// eNoDatabase, eNotOpenForWrite.
    Zcad::ErrorStatus appendAttribute(ZcDbAttribute* attribute);
    Zcad::ErrorStatus appendAttribute(ZcDbObjectId& id, ZcDbAttribute* attribute);
    /// An iterator over the attribute ids (caller deletes it).
    ZcDbObjectIterator* attributeIterator() const;

    // Host side.
    const std::vector<ZcDbObjectId>& attributeIds() const { return attributes_; }

    ZcDbObject* clone() const override;
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

protected:
    ZcDbBlockReference(const ZcDbBlockReference&) = default;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entities) const override;
    void subSetPropertiesOfSubents(const ZcDbEntity& from) override;
    void subErased(bool erasing) override;

private:
    friend struct host::db::ObjectAccess;
    ZcDbObjectId block_;
    ZcGePoint3d position_;
    ZcGeScale3d scale_;
    double rotation_ = 0.0;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    std::vector<ZcDbObjectId> attributes_;
};
