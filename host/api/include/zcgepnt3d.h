// Three-dimensional points of the host's geometry library.
#pragma once

#include "zcgepnt2d.h"
#include "zcgevec3d.h"

class ZcGeMatrix3d;

class ZCAD_PORT ZcGePoint3d {
public:
    ZcGePoint3d() = default;
    ZcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const ZcGePoint3d kOrigin;

    double distanceTo(const ZcGePoint3d& p) const { return (*this - p).length(); }
    bool isEqualTo(const ZcGePoint3d& p, const ZcGeTol& tol = ZcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    ZcGePoint3d& transformBy(const ZcGeMatrix3d& m);
    ZcGePoint3d& set(double xx, double yy, double zz) { x = xx; y = yy; z = zz; return *this; }
    ZcGeVector3d asVector() const { return {x, y, z}; }
    ZcGePoint2d convert2d() const { return {x, y}; }

    ZcGePoint3d operator+(const ZcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    ZcGePoint3d operator-(const ZcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    ZcGeVector3d operator-(const ZcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    ZcGePoint3d& operator+=(const ZcGeVector3d& v) { x += v.x; y += v.y; z += v.z; return *this; }
    ZcGePoint3d& operator-=(const ZcGeVector3d& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    bool operator==(const ZcGePoint3d& p) const { return isEqualTo(p); }
    bool operator!=(const ZcGePoint3d& p) const { return !isEqualTo(p); }
    double operator[](unsigned i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned i) { return i == 0 ? x : (i == 1 ? y : z); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

/// A point transformed by a matrix.
ZCAD_PORT ZcGePoint3d operator*(const ZcGeMatrix3d& m, const ZcGePoint3d& p);
