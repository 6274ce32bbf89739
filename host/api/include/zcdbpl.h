// The lightweight polyline: 2D vertices with bulges and widths at one elevation.
#pragma once

#include <vector>

#include "zcdbcurve.h"

/// Vertex i starts segment i (to vertex i+1, or back to vertex 0 when closed) with its
/// bulge (tan of a quarter of the included angle, positive counter-clockwise) and its
/// start and end widths. Parameter i is vertex i; distances follow arcs exactly.
class ZCAD_PORT ZcDbPolyline : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbPolyline);
    ZcDbPolyline() = default;
    explicit ZcDbPolyline(unsigned int reserveVertices);

    unsigned int numVerts() const { return static_cast<unsigned>(vertices_.size()); }
    /// Inserts before index (index = numVerts appends); negative widths take the constant
    /// width (0 when none). eInvalidIndex beyond numVerts.
    Zcad::ErrorStatus addVertexAt(unsigned int index, const ZcGePoint2d& point, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Zcad::ErrorStatus removeVertexAt(unsigned int index);
    /// eInvalidIndex for an index not below numVerts.
    Zcad::ErrorStatus getPointAt(unsigned int index, ZcGePoint2d& point) const;
    /// The vertex in world coordinates (elevation and normal applied).
    Zcad::ErrorStatus getPointAt(unsigned int index, ZcGePoint3d& point) const;
    Zcad::ErrorStatus setPointAt(unsigned int index, const ZcGePoint2d& point);
    Zcad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Zcad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Zcad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    /// Widths must not be negative (eInvalidInput).
    Zcad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    /// eNotApplicable when the vertices' widths differ.
    Zcad::ErrorStatus getConstantWidth(double& width) const;
    Zcad::ErrorStatus setConstantWidth(double width);
    bool hasWidth() const;
    bool hasBulges() const;
    bool isOnlyLines() const { return !hasBulges(); }
    Zcad::ErrorStatus setClosed(bool closed);
    double elevation() const { return elevation_; }
    Zcad::ErrorStatus setElevation(double elevation);
    ZcGeVector3d normal() const { return normal_; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    double thickness() const { return thickness_; }
    Zcad::ErrorStatus setThickness(double thickness);
    Zcad::ErrorStatus reset(bool reuse, unsigned int numVerts);

    bool isClosed() const override { return closed_; }
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getStartPoint(ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getEndPoint(ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Zcad::ErrorStatus getFirstDeriv(double param, ZcGeVector3d& deriv) const override;
    ZcDbObject* clone() const override { return new ZcDbPolyline(*this); }

protected:
    ZcDbPolyline(const ZcDbPolyline&) = default;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entities) const override;

private:
    struct Vertex {
        ZcGePoint2d point;
        double bulge = 0.0;
        double startWidth = 0.0;
        double endWidth = 0.0;
    };
    unsigned segmentCount() const;
    double segmentLength(unsigned segment) const;
    ZcGePoint2d pointOnSegment(unsigned segment, double t) const;
    ZcGePoint3d toWorld(const ZcGePoint2d& p) const;

    std::vector<Vertex> vertices_;
    bool closed_ = false;
    double elevation_ = 0.0;
    double thickness_ = 0.0;
    double constantWidth_ = 0.0;
    ZcGeVector3d normal_ = ZcGeVector3d::kZAxis;
};
