// Multiline text.
#pragma once

#include <string>

#include "zcdbmain.h"

/// Multiline text placed at location by its attachment point, wrapped at width (0: no
/// wrapping). Contents may hold the format codes of the drawing format (\P paragraphs).
class ZCAD_PORT ZcDbMText : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbMText);

    /// 1..9: top/middle/bottom x left/centre/right. 10..24 are the combinations the single-
    /// line text modes give (baseline, aligned, fit, middle), which the host accepts and
    /// lays out like their nearest 1..9 point.
    enum AttachmentPoint {
        kTopLeft = 1, kTopCenter = 2, kTopRight = 3,
        kMiddleLeft = 4, kMiddleCenter = 5, kMiddleRight = 6,
        kBottomLeft = 7, kBottomCenter = 8, kBottomRight = 9,
        kBaseLeft = 10, kBaseCenter = 11, kBaseRight = 12,
        kBaseAlign = 13, kBottomAlign = 14, kMiddleAlign = 15, kTopAlign = 16,
        kBaseFit = 17, kBottomFit = 18, kMiddleFit = 19, kTopFit = 20,
        kBaseMid = 21, kBottomMid = 22, kMiddleMid = 23, kTopMid = 24
    };
    enum FlowDirection { kLtoR = 1, kRtoL = 2, kTtoB = 3, kBtoT = 4, kByStyle = 5 };

    ZcDbMText();
    ZcDbMText(const ZcDbMText&) = default;

    ZcGePoint3d location() const { return location_; }
    Zcad::ErrorStatus setLocation(const ZcGePoint3d& point);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    /// The text's X direction (unit vector in its plane).
    ZcGeVector3d direction() const { return direction_; }
    Zcad::ErrorStatus setDirection(const ZcGeVector3d& direction);
    double rotation() const;
    Zcad::ErrorStatus setRotation(double angle);
    double width() const { return width_; }
    Zcad::ErrorStatus setWidth(double width);
    double textHeight() const { return height_; }
    /// Must be positive (eInvalidInput).
    Zcad::ErrorStatus setTextHeight(double height);
    AttachmentPoint attachment() const { return attachment_; }
    /// 1..24; eInvalidInput otherwise.
    Zcad::ErrorStatus setAttachment(AttachmentPoint point);
    Zcad::ErrorStatus setAttachment(int code) { return setAttachment(static_cast<AttachmentPoint>(code)); }
    FlowDirection flowDirection() const { return flow_; }
    Zcad::ErrorStatus setFlowDirection(FlowDirection direction);
    double lineSpacingFactor() const { return lineSpacing_; }
    Zcad::ErrorStatus setLineSpacingFactor(double factor);
    /// A copy of the contents (free it with zcutDelBuffer).
    ZTCHAR* contents() const;
    const ZTCHAR* contentsConst() const { return contents_.c_str(); }
    Zcad::ErrorStatus setContents(const ZTCHAR* text);
    /// The contents without format codes, paragraphs separated by "\r\n".
    std::wstring text() const;
    ZcDbObjectId textStyle() const { return style_; }
    Zcad::ErrorStatus setTextStyle(ZcDbObjectId style);
    /// The laid-out size, measured with the renderer's font metrics.
    double actualHeight() const;
    double actualWidth() const;

    ZcDbObject* clone() const override { return new ZcDbMText(*this); }
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;
    void subAddedToDatabase(ZcDbDatabase* db) override;
    void subSetDatabaseDefaults(ZcDbDatabase* db) override;

private:
    ZcGePoint3d location_;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    ZcGeVector3d direction_ = ZcGeVector3d::kXAxis;
    double width_ = 0.0;
    double height_ = 0.0;  // 0: not set yet (TEXTSIZE on append)
    double lineSpacing_ = 1.0;
    AttachmentPoint attachment_ = kTopLeft;
    FlowDirection flow_ = kLtoR;
    std::wstring contents_;
    ZcDbObjectId style_;
};
