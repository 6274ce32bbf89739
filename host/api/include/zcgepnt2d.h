// Two-dimensional points of the host's geometry library.
#pragma once

#include "zcgevec2d.h"

class ZCAD_PORT ZcGePoint2d {
public:
    ZcGePoint2d() = default;
    ZcGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const ZcGePoint2d kOrigin;

    double distanceTo(const ZcGePoint2d& p) const { return (*this - p).length(); }
    bool isEqualTo(const ZcGePoint2d& p, const ZcGeTol& tol = ZcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    ZcGePoint2d& set(double xx, double yy) { x = xx; y = yy; return *this; }
    ZcGeVector2d asVector() const { return {x, y}; }

    ZcGePoint2d operator+(const ZcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    ZcGePoint2d operator-(const ZcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    ZcGeVector2d operator-(const ZcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    ZcGePoint2d& operator+=(const ZcGeVector2d& v) { x += v.x; y += v.y; return *this; }
    ZcGePoint2d& operator-=(const ZcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
    bool operator==(const ZcGePoint2d& p) const { return isEqualTo(p); }
    bool operator!=(const ZcGePoint2d& p) const { return !isEqualTo(p); }
    double operator[](unsigned i) const { return i == 0 ? x : y; }
    double& operator[](unsigned i) { return i == 0 ? x : y; }

    double x = 0.0;
    double y = 0.0;
};
