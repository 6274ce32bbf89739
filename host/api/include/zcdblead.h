// The leader: a polyline of vertices with an arrowhead at its first vertex and an
// optional annotation object.
#pragma once

#include <vector>

#include "zcdbcurve.h"

class ZCAD_PORT ZcDbLeader : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLeader);
    ZcDbLeader() = default;

    /// Appends a vertex (world coordinates); false when the object cannot be changed or
    /// the point is not finite.
    bool appendVertex(const ZcGePoint3d& point);
    void removeLastVertex();
    int numVertices() const { return static_cast<int>(vertices_.size()); }
    /// The vertex; an index outside 0..numVertices()-1 gives the origin.
    ZcGePoint3d vertexAt(int index) const;
    bool setVertexAt(int index, const ZcGePoint3d& point);
    ZcGePoint3d firstVertex() const;
    ZcGePoint3d lastVertex() const;
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    bool hasArrowHead() const { return arrow_; }
    void enableArrowHead();
    void disableArrowHead();
    bool isSplined() const { return splined_; }
    void setToSplineLeader();
    void setToStraightLeader();

    /// The arrowhead block (DIMLDRBLK override). By name: an existing block, or for the
    /// host's standard arrow names one the host makes ("Dot" becomes "_Dot", a filled
    /// circle of diameter 1; likewise "_DotSmall", "_ArchTick", "_Oblique", "_Open",
    /// "_Closed", "_None"); an empty name restores the default closed arrow (null id).
    /// eKeyNotFound for an unknown name; eNoDatabase when there is no database to hold it.
    Zcad::ErrorStatus setDimldrblk(const ZTCHAR* name);
    Zcad::ErrorStatus setDimldrblk(ZcDbObjectId block);
    ZcDbObjectId dimldrblk() const { return arrowBlock_; }
    /// The arrow size: the override when set, else the database's DIMASZ.
    double dimasz() const;
    Zcad::ErrorStatus setDimasz(double size);
    /// The dimension scale: the override when set, else the database's DIMSCALE.
    double dimscale() const;
    Zcad::ErrorStatus setDimscale(double scale);
    bool hasDimaszOverride() const { return hasDimasz_; }
    bool hasDimscaleOverride() const { return hasDimscale_; }
    ZcDbObjectId dimensionStyle() const { return dimStyle_; }
    Zcad::ErrorStatus setDimensionStyle(ZcDbObjectId style);

    /// Attaches a multiline text, tolerance or block reference; the leader's last vertex
    /// then leads to it. eInvalidInput for the null id or an object of another kind,
    /// eWrongDatabase for an object of another database.
    Zcad::ErrorStatus attachAnnotation(ZcDbObjectId annotation);
    Zcad::ErrorStatus detachAnnotation();
    ZcDbObjectId annotationObjId() const { return annotation_; }
    ZcGeVector3d annotationOffset() const { return offset_; }
    Zcad::ErrorStatus setAnnotationOffset(const ZcGeVector3d& offset);
    /// Brings the leader up to date with its annotation: the annotation offset is taken
    /// from the annotation's position relative to the last vertex.
    Zcad::ErrorStatus evaluateLeader();

    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getStartPoint(ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getEndPoint(ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Zcad::ErrorStatus getFirstDeriv(double param, ZcGeVector3d& deriv) const override;

    ZcDbObject* clone() const override { return new ZcDbLeader(*this); }
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

protected:
    ZcDbLeader(const ZcDbLeader&) = default;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;

private:
    std::vector<ZcGePoint3d> vertices_;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
    bool arrow_ = true;
    bool splined_ = false;
    ZcDbObjectId arrowBlock_;
    bool hasDimasz_ = false;
    double dimasz_ = 0.0;
    bool hasDimscale_ = false;
    double dimscale_ = 1.0;
    ZcDbObjectId dimStyle_;
    ZcDbObjectId annotation_;
    ZcGeVector3d offset_;
};
