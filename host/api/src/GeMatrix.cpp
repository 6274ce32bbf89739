// 4x4 transformation matrices of the host's geometry library.
#include <cmath>
#include <cstring>

#include "zcgemat3d.h"

const ZcGeMatrix3d ZcGeMatrix3d::kIdentity;

ZcGeMatrix3d::ZcGeMatrix3d() { setToIdentity(); }

ZcGeMatrix3d& ZcGeMatrix3d::setToIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            entry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

bool ZcGeMatrix3d::isIdentity(const ZcGeTol& tol) const { return isEqualTo(kIdentity, tol); }

ZcGeMatrix3d ZcGeMatrix3d::operator*(const ZcGeMatrix3d& m) const {
    ZcGeMatrix3d out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += entry[r][k] * m.entry[k][c];
            out.entry[r][c] = sum;
        }
    return out;
}

ZcGeMatrix3d& ZcGeMatrix3d::operator*=(const ZcGeMatrix3d& m) { return *this = *this * m; }
ZcGeMatrix3d& ZcGeMatrix3d::preMultBy(const ZcGeMatrix3d& left) { return *this = left * *this; }
ZcGeMatrix3d& ZcGeMatrix3d::postMultBy(const ZcGeMatrix3d& right) { return *this = *this * right; }
ZcGeMatrix3d& ZcGeMatrix3d::setToProduct(const ZcGeMatrix3d& m1, const ZcGeMatrix3d& m2) {
    return *this = m1 * m2;
}

double ZcGeMatrix3d::det() const {
    // Cofactor expansion of the full 4x4 determinant.
    const auto& m = entry;
    double s0 = m[0][0] * m[1][1] - m[1][0] * m[0][1];
    double s1 = m[0][0] * m[1][2] - m[1][0] * m[0][2];
    double s2 = m[0][0] * m[1][3] - m[1][0] * m[0][3];
    double s3 = m[0][1] * m[1][2] - m[1][1] * m[0][2];
    double s4 = m[0][1] * m[1][3] - m[1][1] * m[0][3];
    double s5 = m[0][2] * m[1][3] - m[1][2] * m[0][3];
    double c5 = m[2][2] * m[3][3] - m[3][2] * m[2][3];
    double c4 = m[2][1] * m[3][3] - m[3][1] * m[2][3];
    double c3 = m[2][1] * m[3][2] - m[3][1] * m[2][2];
    double c2 = m[2][0] * m[3][3] - m[3][0] * m[2][3];
    double c1 = m[2][0] * m[3][2] - m[3][0] * m[2][2];
    double c0 = m[2][0] * m[3][1] - m[3][0] * m[2][1];
    return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
}

bool ZcGeMatrix3d::isSingular(const ZcGeTol& tol) const {
    return std::fabs(det()) <= tol.equalVector();
}

ZcGeMatrix3d ZcGeMatrix3d::inverse() const {
    // Gauss-Jordan elimination with partial pivoting.
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = entry[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (std::fabs(a[pivot][col]) < 1e-300)
            return ZcGeMatrix3d();
        if (pivot != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[pivot][c], a[col][c]);
        double p = a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] /= p;
        for (int r = 0; r < 4; ++r)
            if (r != col) {
                double f = a[r][col];
                if (f != 0.0)
                    for (int c = 0; c < 8; ++c)
                        a[r][c] -= f * a[col][c];
            }
    }
    ZcGeMatrix3d out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.entry[r][c] = a[r][c + 4];
    return out;
}

ZcGeMatrix3d& ZcGeMatrix3d::invert() { return *this = inverse(); }

ZcGeMatrix3d ZcGeMatrix3d::transpose() const {
    ZcGeMatrix3d out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.entry[r][c] = entry[c][r];
    return out;
}

ZcGeMatrix3d& ZcGeMatrix3d::setToTranslation(const ZcGeVector3d& v) {
    setToIdentity();
    return setTranslation(v);
}

ZcGeMatrix3d& ZcGeMatrix3d::setTranslation(const ZcGeVector3d& v) {
    entry[0][3] = v.x;
    entry[1][3] = v.y;
    entry[2][3] = v.z;
    return *this;
}

ZcGeVector3d ZcGeMatrix3d::translation() const { return {entry[0][3], entry[1][3], entry[2][3]}; }

ZcGeMatrix3d& ZcGeMatrix3d::setToRotation(double angle, const ZcGeVector3d& axis, const ZcGePoint3d& center) {
    setToIdentity();
    ZcGeVector3d k = axis.normal();
    if (k.isZeroLength())
        return *this;
    double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    double x = k.x, y = k.y, z = k.z;
    entry[0][0] = t * x * x + c;
    entry[0][1] = t * x * y - s * z;
    entry[0][2] = t * x * z + s * y;
    entry[1][0] = t * x * y + s * z;
    entry[1][1] = t * y * y + c;
    entry[1][2] = t * y * z - s * x;
    entry[2][0] = t * x * z - s * y;
    entry[2][1] = t * y * z + s * x;
    entry[2][2] = t * z * z + c;
    // Rotation about center: p' = R (p - c) + c.
    ZcGeVector3d cv = center.asVector();
    ZcGeVector3d rc = cv;
    rc.transformBy(*this);
    return setTranslation(cv - rc);
}

ZcGeMatrix3d& ZcGeMatrix3d::setToScaling(double scale, const ZcGePoint3d& center) {
    return setToScaling(ZcGeScale3d(scale), center);
}

ZcGeMatrix3d& ZcGeMatrix3d::setToScaling(const ZcGeScale3d& scale, const ZcGePoint3d& center) {
    setToIdentity();
    entry[0][0] = scale.sx;
    entry[1][1] = scale.sy;
    entry[2][2] = scale.sz;
    return setTranslation({center.x * (1.0 - scale.sx), center.y * (1.0 - scale.sy),
                           center.z * (1.0 - scale.sz)});
}

ZcGeMatrix3d& ZcGeMatrix3d::setToMirroring(const ZcGePoint3d& point) {
    setToScaling(-1.0, point);
    return *this;
}

ZcGeMatrix3d& ZcGeMatrix3d::setCoordSystem(const ZcGePoint3d& origin, const ZcGeVector3d& xAxis,
                                           const ZcGeVector3d& yAxis, const ZcGeVector3d& zAxis) {
    setToIdentity();
    const ZcGeVector3d* axes[3] = {&xAxis, &yAxis, &zAxis};
    for (int c = 0; c < 3; ++c) {
        entry[0][c] = axes[c]->x;
        entry[1][c] = axes[c]->y;
        entry[2][c] = axes[c]->z;
    }
    return setTranslation(origin.asVector());
}

void ZcGeMatrix3d::getCoordSystem(ZcGePoint3d& origin, ZcGeVector3d& xAxis, ZcGeVector3d& yAxis,
                                  ZcGeVector3d& zAxis) const {
    origin.set(entry[0][3], entry[1][3], entry[2][3]);
    xAxis.set(entry[0][0], entry[1][0], entry[2][0]);
    yAxis.set(entry[0][1], entry[1][1], entry[2][1]);
    zAxis.set(entry[0][2], entry[1][2], entry[2][2]);
}

ZcGeMatrix3d& ZcGeMatrix3d::setToAlignCoordSys(const ZcGePoint3d& fromOrigin, const ZcGeVector3d& fromXAxis,
                                               const ZcGeVector3d& fromYAxis, const ZcGeVector3d& fromZAxis,
                                               const ZcGePoint3d& toOrigin, const ZcGeVector3d& toXAxis,
                                               const ZcGeVector3d& toYAxis, const ZcGeVector3d& toZAxis) {
    ZcGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return *this = to * from.inverse();
}

double ZcGeMatrix3d::scale() const {
    double best = 0.0;
    for (int c = 0; c < 3; ++c)
        best = std::max(best, std::sqrt(entry[0][c] * entry[0][c] + entry[1][c] * entry[1][c] +
                                        entry[2][c] * entry[2][c]));
    return best;
}

bool ZcGeMatrix3d::isUniScaledOrtho(const ZcGeTol& tol) const {
    ZcGeVector3d cols[3];
    for (int c = 0; c < 3; ++c)
        cols[c].set(entry[0][c], entry[1][c], entry[2][c]);
    double len = cols[0].length();
    double eps = std::max(tol.equalVector(), 1e-9) * std::max(1.0, len);
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(cols[i].length() - len) > eps)
            return false;
        for (int j = i + 1; j < 3; ++j)
            if (std::fabs(cols[i].dotProduct(cols[j])) > eps * len)
                return false;
    }
    return len > 0.0;
}

ZcGeMatrix3d ZcGeMatrix3d::translation(const ZcGeVector3d& v) { return ZcGeMatrix3d().setToTranslation(v); }
ZcGeMatrix3d ZcGeMatrix3d::rotation(double angle, const ZcGeVector3d& axis, const ZcGePoint3d& center) {
    return ZcGeMatrix3d().setToRotation(angle, axis, center);
}
ZcGeMatrix3d ZcGeMatrix3d::scaling(double scale, const ZcGePoint3d& center) {
    return ZcGeMatrix3d().setToScaling(scale, center);
}
ZcGeMatrix3d ZcGeMatrix3d::scaling(const ZcGeScale3d& scale, const ZcGePoint3d& center) {
    return ZcGeMatrix3d().setToScaling(scale, center);
}
ZcGeMatrix3d ZcGeMatrix3d::mirroring(const ZcGePoint3d& point) { return ZcGeMatrix3d().setToMirroring(point); }
ZcGeMatrix3d ZcGeMatrix3d::alignCoordSys(const ZcGePoint3d& fromOrigin, const ZcGeVector3d& fromXAxis,
                                         const ZcGeVector3d& fromYAxis, const ZcGeVector3d& fromZAxis,
                                         const ZcGePoint3d& toOrigin, const ZcGeVector3d& toXAxis,
                                         const ZcGeVector3d& toYAxis, const ZcGeVector3d& toZAxis) {
    return ZcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis, toOrigin, toXAxis,
                                             toYAxis, toZAxis);
}

ZcGeMatrix3d ZcGeMatrix3d::planeToWorld(const ZcGeVector3d& normal) {
    ZcGeVector3d n = normal.normal();
    if (n.isZeroLength())
        n = ZcGeVector3d::kZAxis;
    ZcGeVector3d ax = n.perpVector();
    ZcGeVector3d ay = n.crossProduct(ax).normal();
    return ZcGeMatrix3d().setCoordSystem(ZcGePoint3d::kOrigin, ax, ay, n);
}

ZcGeMatrix3d ZcGeMatrix3d::worldToPlane(const ZcGeVector3d& normal) { return planeToWorld(normal).transpose(); }

bool ZcGeMatrix3d::isEqualTo(const ZcGeMatrix3d& m, const ZcGeTol& tol) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(entry[r][c] - m.entry[r][c]) > tol.equalVector())
                return false;
    return true;
}
