// Two-dimensional vectors of the host's geometry library.
#pragma once

#include <cmath>

#include "zcgegbl.h"

class ZCAD_PORT ZcGeVector2d {
public:
    ZcGeVector2d() = default;
    ZcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const ZcGeVector2d kIdentity;
    static const ZcGeVector2d kXAxis;
    static const ZcGeVector2d kYAxis;

    double length() const { return std::hypot(x, y); }
    double lengthSqrd() const { return x * x + y * y; }
    double dotProduct(const ZcGeVector2d& v) const { return x * v.x + y * v.y; }
    /// The angle from the X axis, 0 to 2 pi.
    double angle() const;
    ZcGeVector2d normal(const ZcGeTol& tol = ZcGeContext::gTol) const;
    ZcGeVector2d& normalize(const ZcGeTol& tol = ZcGeContext::gTol);
    ZcGeVector2d& rotateBy(double angle);
    bool isZeroLength(const ZcGeTol& tol = ZcGeContext::gTol) const {
        return length() <= tol.equalVector();
    }
    bool isEqualTo(const ZcGeVector2d& v, const ZcGeTol& tol = ZcGeContext::gTol) const {
        return (*this - v).length() <= tol.equalVector();
    }

    ZcGeVector2d operator+(const ZcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    ZcGeVector2d operator-(const ZcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    ZcGeVector2d operator-() const { return {-x, -y}; }
    ZcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    ZcGeVector2d operator/(double s) const { return {x / s, y / s}; }
    ZcGeVector2d& operator+=(const ZcGeVector2d& v) { x += v.x; y += v.y; return *this; }
    ZcGeVector2d& operator-=(const ZcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
    ZcGeVector2d& operator*=(double s) { x *= s; y *= s; return *this; }
    bool operator==(const ZcGeVector2d& v) const { return isEqualTo(v); }
    bool operator!=(const ZcGeVector2d& v) const { return !isEqualTo(v); }
    double operator[](unsigned i) const { return i == 0 ? x : y; }
    double& operator[](unsigned i) { return i == 0 ? x : y; }

    double x = 0.0;
    double y = 0.0;
};

inline ZcGeVector2d operator*(double s, const ZcGeVector2d& v) { return v * s; }
