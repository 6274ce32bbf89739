// Vectors, points and scales of the host's geometry library.
#include <algorithm>
#include <cmath>
#include <type_traits>

#include "zcgemat3d.h"
#include "zcgepnt2d.h"
#include "zcgepnt3d.h"
#include "zcgescl3d.h"

static_assert(std::is_standard_layout_v<ZcGePoint3d> && sizeof(ZcGePoint3d) == 3 * sizeof(double),
              "asDblArray needs three contiguous doubles");
static_assert(std::is_standard_layout_v<ZcGeVector3d> && sizeof(ZcGeVector3d) == 3 * sizeof(double));
static_assert(sizeof(ZcGePoint2d) == 2 * sizeof(double));

ZcGeTol ZcGeContext::gTol;

const ZcGeVector2d ZcGeVector2d::kIdentity(1.0, 0.0);
const ZcGeVector2d ZcGeVector2d::kXAxis(1.0, 0.0);
const ZcGeVector2d ZcGeVector2d::kYAxis(0.0, 1.0);
const ZcGePoint2d ZcGePoint2d::kOrigin(0.0, 0.0);
const ZcGeVector3d ZcGeVector3d::kIdentity(1.0, 0.0, 0.0);
const ZcGeVector3d ZcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const ZcGeVector3d ZcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const ZcGeVector3d ZcGeVector3d::kZAxis(0.0, 0.0, 1.0);
const ZcGePoint3d ZcGePoint3d::kOrigin(0.0, 0.0, 0.0);
const ZcGeScale3d ZcGeScale3d::kIdentity(1.0, 1.0, 1.0);

double ZcGeVector2d::angle() const {
    double a = std::atan2(y, x);
    return a < 0.0 ? a + 2.0 * ZcGe::kPi : a;
}

ZcGeVector2d ZcGeVector2d::normal(const ZcGeTol& tol) const {
    double len = length();
    return len <= tol.equalVector() ? *this : *this / len;
}

ZcGeVector2d& ZcGeVector2d::normalize(const ZcGeTol& tol) { return *this = normal(tol); }

ZcGeVector2d& ZcGeVector2d::rotateBy(double a) {
    double c = std::cos(a), s = std::sin(a);
    double nx = c * x - s * y;
    y = s * x + c * y;
    x = nx;
    return *this;
}

ZcGeVector3d ZcGeVector3d::normal(const ZcGeTol& tol) const {
    double len = length();
    return len <= tol.equalVector() ? *this : *this / len;
}

ZcGeVector3d& ZcGeVector3d::normalize(const ZcGeTol& tol) { return *this = normal(tol); }

ZcGeVector3d& ZcGeVector3d::rotateBy(double a, const ZcGeVector3d& axis) {
    ZcGeVector3d k = axis.normal();
    if (k.isZeroLength())
        return *this;
    // Rodrigues' rotation formula.
    double c = std::cos(a), s = std::sin(a);
    *this = *this * c + k.crossProduct(*this) * s + k * (k.dotProduct(*this) * (1.0 - c));
    return *this;
}

ZcGeVector3d& ZcGeVector3d::transformBy(const ZcGeMatrix3d& m) {
    double nx = m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z;
    double ny = m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z;
    double nz = m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z;
    x = nx;
    y = ny;
    z = nz;
    return *this;
}

double ZcGeVector3d::angleTo(const ZcGeVector3d& v) const {
    double d = length() * v.length();
    if (d == 0.0)
        return 0.0;
    return std::acos(std::clamp(dotProduct(v) / d, -1.0, 1.0));
}

double ZcGeVector3d::angleTo(const ZcGeVector3d& v, const ZcGeVector3d& reference) const {
    double a = angleTo(v);
    if (crossProduct(v).dotProduct(reference) < 0.0)
        a = 2.0 * ZcGe::kPi - a;
    return a;
}

ZcGeVector3d ZcGeVector3d::perpVector() const {
    // The arbitrary-axis rule of the drawing format.
    ZcGeVector3d n = normal();
    const double limit = 1.0 / 64.0;
    ZcGeVector3d ax = (std::fabs(n.x) < limit && std::fabs(n.y) < limit) ? kYAxis.crossProduct(n)
                                                                          : kZAxis.crossProduct(n);
    return ax.normal();
}

bool ZcGeVector3d::isParallelTo(const ZcGeVector3d& v, const ZcGeTol& tol) const {
    ZcGeVector3d a = normal(), b = v.normal();
    return a.crossProduct(b).length() <= tol.equalVector();
}

ZcGePoint3d& ZcGePoint3d::transformBy(const ZcGeMatrix3d& m) { return *this = m * *this; }

ZcGePoint3d operator*(const ZcGeMatrix3d& m, const ZcGePoint3d& p) {
    const auto& e = m.entry;
    double w = e[3][0] * p.x + e[3][1] * p.y + e[3][2] * p.z + e[3][3];
    if (w == 0.0)
        w = 1.0;
    return {(e[0][0] * p.x + e[0][1] * p.y + e[0][2] * p.z + e[0][3]) / w,
            (e[1][0] * p.x + e[1][1] * p.y + e[1][2] * p.z + e[1][3]) / w,
            (e[2][0] * p.x + e[2][1] * p.y + e[2][2] * p.z + e[2][3]) / w};
}

bool ZcGeScale3d::isEqualTo(const ZcGeScale3d& s, const ZcGeTol& tol) const {
    return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector() &&
           std::fabs(sz - s.sz) <= tol.equalVector();
}
