// Three-dimensional vectors of the host's geometry library.
#pragma once

#include <cmath>

#include "zcgegbl.h"

class ZcGeMatrix3d;

class ZCAD_PORT ZcGeVector3d {
public:
    ZcGeVector3d() = default;
    ZcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const ZcGeVector3d kIdentity;
    static const ZcGeVector3d kXAxis;
    static const ZcGeVector3d kYAxis;
    static const ZcGeVector3d kZAxis;

    double length() const { return std::sqrt(x * x + y * y + z * z); }
    double lengthSqrd() const { return x * x + y * y + z * z; }
    double dotProduct(const ZcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    ZcGeVector3d crossProduct(const ZcGeVector3d& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    /// The unit vector of the same direction; the zero vector stays zero.
    ZcGeVector3d normal(const ZcGeTol& tol = ZcGeContext::gTol) const;
    ZcGeVector3d& normalize(const ZcGeTol& tol = ZcGeContext::gTol);
    /// Rotates about axis (right hand) by angle radians.
    ZcGeVector3d& rotateBy(double angle, const ZcGeVector3d& axis);
    ZcGeVector3d& transformBy(const ZcGeMatrix3d& m);
    /// The angle between the two vectors, 0 to pi.
    double angleTo(const ZcGeVector3d& v) const;
    /// The angle from this vector to v measured about reference (right hand), 0 to 2 pi.
    double angleTo(const ZcGeVector3d& v, const ZcGeVector3d& reference) const;
    /// Some vector perpendicular to this one (the arbitrary-axis rule of the drawing format).
    ZcGeVector3d perpVector() const;
    bool isZeroLength(const ZcGeTol& tol = ZcGeContext::gTol) const {
        return length() <= tol.equalVector();
    }
    bool isUnitLength(const ZcGeTol& tol = ZcGeContext::gTol) const {
        return std::fabs(length() - 1.0) <= tol.equalVector();
    }
    bool isEqualTo(const ZcGeVector3d& v, const ZcGeTol& tol = ZcGeContext::gTol) const {
        return (*this - v).length() <= tol.equalVector();
    }
    bool isParallelTo(const ZcGeVector3d& v, const ZcGeTol& tol = ZcGeContext::gTol) const;
    ZcGeVector3d& set(double xx, double yy, double zz) { x = xx; y = yy; z = zz; return *this; }

    ZcGeVector3d operator+(const ZcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    ZcGeVector3d operator-(const ZcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    ZcGeVector3d operator-() const { return {-x, -y, -z}; }
    ZcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    ZcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    ZcGeVector3d& operator+=(const ZcGeVector3d& v) { x += v.x; y += v.y; z += v.z; return *this; }
    ZcGeVector3d& operator-=(const ZcGeVector3d& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    ZcGeVector3d& operator*=(double s) { x *= s; y *= s; z *= s; return *this; }
    ZcGeVector3d& operator/=(double s) { x /= s; y /= s; z /= s; return *this; }
    bool operator==(const ZcGeVector3d& v) const { return isEqualTo(v); }
    bool operator!=(const ZcGeVector3d& v) const { return !isEqualTo(v); }
    double operator[](unsigned i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned i) { return i == 0 ? x : (i == 1 ? y : z); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline ZcGeVector3d operator*(double s, const ZcGeVector3d& v) { return v * s; }
