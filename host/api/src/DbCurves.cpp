// Curves (the common interface), lines, circles, arcs, points and 2D solids.
#include <cmath>

#include "DbInternal.h"

namespace {

constexpr double kTwoPi = 2.0 * ZcGe::kPi;

double normAngle(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}

/// The plane's X and Y axes (arbitrary-axis rule).
void planeAxes(const ZcGeVector3d& normal, ZcGeVector3d& ax, ZcGeVector3d& ay) {
    ZcGeVector3d n = normal.normal();
    ax = n.perpVector();
    ay = n.crossProduct(ax).normal();
}

/// Angle of a point about center in the plane of normal.
double planeAngle(const ZcGePoint3d& center, const ZcGeVector3d& normal, const ZcGePoint3d& p) {
    ZcGeVector3d ax, ay;
    planeAxes(normal, ax, ay);
    ZcGeVector3d d = p - center;
    return normAngle(std::atan2(d.dotProduct(ay), d.dotProduct(ax)));
}

/// Scale of a uniformly scaled orthogonal matrix, 0 when it is not one.
double uniformScale(const ZcGeMatrix3d& m) {
    ZcGeMatrix3d t = m;
    return t.isUniScaledOrtho() ? m.scale() : 0.0;
}

/// Box of a circular arc from a to a + sweep (exact: includes the axis extremes).
void arcExtents(ZcDbExtents& e, const ZcGePoint3d& c, const ZcGeVector3d& normal, double r, double a, double sweep) {
    ZcGeVector3d ax, ay;
    planeAxes(normal, ax, ay);
    auto at = [&](double t) { return c + ax * (r * std::cos(t)) + ay * (r * std::sin(t)); };
    e.addPoint(at(a));
    e.addPoint(at(a + sweep));
    for (int i = 0; i < 3; ++i)
        for (double t0 : {std::atan2(ay[i], ax[i]), std::atan2(ay[i], ax[i]) + ZcGe::kPi}) {
            double t = normAngle(t0 - a);
            if (t <= sweep)
                e.addPoint(at(a + t));
        }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Curve.

ZCRX_DEFINE_MEMBERS(ZcDbCurve, ZcDbEntity);

Zcad::ErrorStatus ZcDbCurve::getStartParam(double& param) const {
    param = 0.0;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbCurve::getEndParam(double&) const { return Zcad::eNotApplicable; }

Zcad::ErrorStatus ZcDbCurve::getStartPoint(ZcGePoint3d& point) const {
    double p = 0.0;
    Zcad::ErrorStatus es = getStartParam(p);
    return es != Zcad::eOk ? es : getPointAtParam(p, point);
}

Zcad::ErrorStatus ZcDbCurve::getEndPoint(ZcGePoint3d& point) const {
    double p = 0.0;
    Zcad::ErrorStatus es = getEndParam(p);
    return es != Zcad::eOk ? es : getPointAtParam(p, point);
}

Zcad::ErrorStatus ZcDbCurve::getPointAtParam(double, ZcGePoint3d&) const { return Zcad::eNotApplicable; }
Zcad::ErrorStatus ZcDbCurve::getParamAtPoint(const ZcGePoint3d&, double&) const { return Zcad::eNotApplicable; }
Zcad::ErrorStatus ZcDbCurve::getDistAtParam(double, double&) const { return Zcad::eNotApplicable; }
Zcad::ErrorStatus ZcDbCurve::getParamAtDist(double, double&) const { return Zcad::eNotApplicable; }
Zcad::ErrorStatus ZcDbCurve::getFirstDeriv(double, ZcGeVector3d&) const { return Zcad::eNotApplicable; }

Zcad::ErrorStatus ZcDbCurve::getDistAtPoint(const ZcGePoint3d& point, double& dist) const {
    double param = 0.0;
    Zcad::ErrorStatus es = getParamAtPoint(point, param);
    return es != Zcad::eOk ? es : getDistAtParam(param, dist);
}

Zcad::ErrorStatus ZcDbCurve::getPointAtDist(double dist, ZcGePoint3d& point) const {
    double param = 0.0;
    Zcad::ErrorStatus es = getParamAtDist(dist, param);
    return es != Zcad::eOk ? es : getPointAtParam(param, point);
}

Zcad::ErrorStatus ZcDbCurve::getArea(double& area) const {
    // Polygon area of a fine sampling in the curve's own plane (exact for straight parts).
    area = 0.0;
    double s = 0.0, e = 0.0;
    if (getStartParam(s) != Zcad::eOk || getEndParam(e) != Zcad::eOk || e <= s)
        return Zcad::eNotApplicable;
    const int steps = 720;
    ZcGePoint3d first, prev;
    getPointAtParam(s, first);
    prev = first;
    ZcGeVector3d sum;
    for (int i = 1; i <= steps; ++i) {
        ZcGePoint3d p;
        getPointAtParam(s + (e - s) * i / steps, p);
        sum += (prev - first).crossProduct(p - first);
        prev = p;
    }
    area = 0.5 * sum.length();
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Line.

ZCRX_DEFINE_MEMBERS(ZcDbLine, ZcDbCurve);

ZcDbLine::ZcDbLine(const ZcGePoint3d& start, const ZcGePoint3d& end) : start_(start), end_(end) {}

#define GEOM_SETTER(CLASS, NAME, TYPE, FIELD)                     \
    Zcad::ErrorStatus CLASS::NAME(TYPE value) {                   \
        if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
            return es;                                            \
        FIELD = value;                                            \
        return Zcad::eOk;                                         \
    }
#define NORMAL_SETTER(CLASS)                                      \
    Zcad::ErrorStatus CLASS::setNormal(const ZcGeVector3d& n) {   \
        if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
            return es;                                            \
        if (n.isZeroLength())                                     \
            return Zcad::eInvalidInput;                           \
        normal_ = n.normal();                                     \
        return Zcad::eOk;                                         \
    }

GEOM_SETTER(ZcDbLine, setStartPoint, const ZcGePoint3d&, start_)
GEOM_SETTER(ZcDbLine, setEndPoint, const ZcGePoint3d&, end_)
GEOM_SETTER(ZcDbLine, setThickness, double, thickness_)
NORMAL_SETTER(ZcDbLine)

Zcad::ErrorStatus ZcDbLine::getEndParam(double& param) const {
    param = start_.distanceTo(end_);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLine::getStartPoint(ZcGePoint3d& p) const { p = start_; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbLine::getEndPoint(ZcGePoint3d& p) const { p = end_; return Zcad::eOk; }

Zcad::ErrorStatus ZcDbLine::getPointAtParam(double param, ZcGePoint3d& point) const {
    double len = start_.distanceTo(end_);
    if (param < -1e-9 || param > len + 1e-9)
        return Zcad::eInvalidInput;
    point = len > 0.0 ? start_ + (end_ - start_) * (param / len) : start_;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getParamAtPoint(const ZcGePoint3d& point, double& param) const {
    ZcGeVector3d d = end_ - start_;
    double len = d.length();
    double t = len > 0.0 ? (point - start_).dotProduct(d) / len : 0.0;
    ZcGePoint3d foot = len > 0.0 ? start_ + d * (t / len) : start_;
    if (foot.distanceTo(point) > 1e-6 || t < -1e-9 || t > len + 1e-9)
        return Zcad::eInvalidInput;
    param = t;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getDistAtParam(double param, double& dist) const {
    if (param < -1e-9 || param > start_.distanceTo(end_) + 1e-9)
        return Zcad::eInvalidInput;
    dist = param;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getParamAtDist(double dist, double& param) const {
    if (dist < -1e-9 || dist > start_.distanceTo(end_) + 1e-9)
        return Zcad::eInvalidInput;
    param = dist;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getFirstDeriv(double, ZcGeVector3d& deriv) const {
    deriv = (end_ - start_).normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::subTransformBy(const ZcGeMatrix3d& m) {
    start_.transformBy(m);
    end_.transformBy(m);
    normal_.transformBy(m);
    normal_ = normal_.isZeroLength() ? ZcGeVector3d::kZAxis : normal_.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::subGetGeomExtents(ZcDbExtents& e) const {
    e.addPoint(start_);
    e.addPoint(end_);
    if (thickness_ != 0.0) {
        e.addPoint(start_ + normal_ * thickness_);
        e.addPoint(end_ + normal_ * thickness_);
    }
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Circle.

ZCRX_DEFINE_MEMBERS(ZcDbCircle, ZcDbCurve);

ZcDbCircle::ZcDbCircle(const ZcGePoint3d& center, const ZcGeVector3d& normal, double radius)
    : center_(center), radius_(radius > 0.0 ? radius : 1.0),
      normal_(normal.isZeroLength() ? ZcGeVector3d::kZAxis : normal.normal()) {}

GEOM_SETTER(ZcDbCircle, setCenter, const ZcGePoint3d&, center_)
GEOM_SETTER(ZcDbCircle, setThickness, double, thickness_)
NORMAL_SETTER(ZcDbCircle)

Zcad::ErrorStatus ZcDbCircle::setRadius(double radius) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (!(radius > 0.0) || !std::isfinite(radius))
        return Zcad::eInvalidInput;
    radius_ = radius;
    return Zcad::eOk;
}

double ZcDbCircle::circumference() const { return kTwoPi * radius_; }

Zcad::ErrorStatus ZcDbCircle::getEndParam(double& param) const {
    param = kTwoPi;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getPointAtParam(double param, ZcGePoint3d& point) const {
    ZcGeVector3d ax, ay;
    planeAxes(normal_, ax, ay);
    point = center_ + ax * (radius_ * std::cos(param)) + ay * (radius_ * std::sin(param));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getParamAtPoint(const ZcGePoint3d& point, double& param) const {
    if (std::fabs(point.distanceTo(center_) - radius_) > 1e-6 * std::max(1.0, radius_))
        return Zcad::eInvalidInput;
    param = planeAngle(center_, normal_, point);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getDistAtParam(double param, double& dist) const {
    if (param < -1e-9 || param > kTwoPi + 1e-9)
        return Zcad::eInvalidInput;
    dist = param * radius_;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getParamAtDist(double dist, double& param) const {
    if (dist < -1e-9 || dist > circumference() + 1e-9)
        return Zcad::eInvalidInput;
    param = dist / radius_;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getFirstDeriv(double param, ZcGeVector3d& deriv) const {
    ZcGeVector3d ax, ay;
    planeAxes(normal_, ax, ay);
    deriv = ax * (-radius_ * std::sin(param)) + ay * (radius_ * std::cos(param));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::subTransformBy(const ZcGeMatrix3d& m) {
    double s = uniformScale(m);
    if (s <= 0.0)
        return Zcad::eCannotScaleNonUniformly;
    center_.transformBy(m);
    normal_.transformBy(m);
    normal_.normalize();
    radius_ *= s;
    thickness_ *= s;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::subGetGeomExtents(ZcDbExtents& e) const {
    arcExtents(e, center_, normal_, radius_, 0.0, kTwoPi);
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Arc.

ZCRX_DEFINE_MEMBERS(ZcDbArc, ZcDbCurve);

ZcDbArc::ZcDbArc(const ZcGePoint3d& center, double radius, double startAngle, double endAngle)
    : center_(center), radius_(radius > 0.0 ? radius : 1.0), startAngle_(normAngle(startAngle)),
      endAngle_(normAngle(endAngle)) {}

ZcDbArc::ZcDbArc(const ZcGePoint3d& center, const ZcGeVector3d& normal, double radius, double startAngle,
                 double endAngle)
    : ZcDbArc(center, radius, startAngle, endAngle) {
    if (!normal.isZeroLength())
        normal_ = normal.normal();
}

GEOM_SETTER(ZcDbArc, setCenter, const ZcGePoint3d&, center_)
GEOM_SETTER(ZcDbArc, setThickness, double, thickness_)
NORMAL_SETTER(ZcDbArc)

Zcad::ErrorStatus ZcDbArc::setRadius(double radius) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (!(radius > 0.0) || !std::isfinite(radius))
        return Zcad::eInvalidInput;
    radius_ = radius;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::setStartAngle(double angle) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    startAngle_ = normAngle(angle);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::setEndAngle(double angle) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    endAngle_ = normAngle(angle);
    return Zcad::eOk;
}

double ZcDbArc::sweep() const {
    double s = normAngle(endAngle_ - startAngle_);
    return s == 0.0 ? kTwoPi : s;
}

Zcad::ErrorStatus ZcDbArc::getStartParam(double& param) const {
    param = startAngle_;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getEndParam(double& param) const {
    param = startAngle_ + sweep();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getPointAtParam(double param, ZcGePoint3d& point) const {
    if (param < startAngle_ - 1e-9 || param > startAngle_ + sweep() + 1e-9)
        return Zcad::eInvalidInput;
    ZcGeVector3d ax, ay;
    planeAxes(normal_, ax, ay);
    point = center_ + ax * (radius_ * std::cos(param)) + ay * (radius_ * std::sin(param));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getParamAtPoint(const ZcGePoint3d& point, double& param) const {
    if (std::fabs(point.distanceTo(center_) - radius_) > 1e-6 * std::max(1.0, radius_))
        return Zcad::eInvalidInput;
    double t = normAngle(planeAngle(center_, normal_, point) - startAngle_);
    if (t > sweep() + 1e-9) {
        if (t > kTwoPi - 1e-9)
            t = 0.0;
        else
            return Zcad::eInvalidInput;
    }
    param = startAngle_ + t;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getDistAtParam(double param, double& dist) const {
    if (param < startAngle_ - 1e-9 || param > startAngle_ + sweep() + 1e-9)
        return Zcad::eInvalidInput;
    dist = (param - startAngle_) * radius_;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getParamAtDist(double dist, double& param) const {
    if (dist < -1e-9 || dist > sweep() * radius_ + 1e-9)
        return Zcad::eInvalidInput;
    param = startAngle_ + dist / radius_;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getFirstDeriv(double param, ZcGeVector3d& deriv) const {
    ZcGeVector3d ax, ay;
    planeAxes(normal_, ax, ay);
    deriv = ax * (-radius_ * std::sin(param)) + ay * (radius_ * std::cos(param));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::subTransformBy(const ZcGeMatrix3d& m) {
    double s = uniformScale(m);
    if (s <= 0.0)
        return Zcad::eCannotScaleNonUniformly;
    ZcGePoint3d p0, p1;
    getStartPoint(p0);
    getEndPoint(p1);
    center_.transformBy(m);
    normal_.transformBy(m);
    normal_.normalize();
    radius_ *= s;
    thickness_ *= s;
    p0.transformBy(m);
    p1.transformBy(m);
    // Mirroring keeps the normal's side of the plane: the arc then runs the other way.
    ZcGeMatrix3d copy = m;
    bool mirrored = copy.det() < 0.0;
    double a0 = planeAngle(center_, normal_, p0), a1 = planeAngle(center_, normal_, p1);
    double sw = sweep();
    startAngle_ = mirrored ? a1 : a0;
    endAngle_ = mirrored ? a0 : a1;
    if (sw >= kTwoPi - 1e-12)
        endAngle_ = startAngle_;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::subGetGeomExtents(ZcDbExtents& e) const {
    arcExtents(e, center_, normal_, radius_, startAngle_, sweep());
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Point.

ZCRX_DEFINE_MEMBERS(ZcDbPoint, ZcDbEntity);

GEOM_SETTER(ZcDbPoint, setPosition, const ZcGePoint3d&, position_)
GEOM_SETTER(ZcDbPoint, setThickness, double, thickness_)
NORMAL_SETTER(ZcDbPoint)

Zcad::ErrorStatus ZcDbPoint::subTransformBy(const ZcGeMatrix3d& m) {
    position_.transformBy(m);
    normal_.transformBy(m);
    normal_ = normal_.isZeroLength() ? ZcGeVector3d::kZAxis : normal_.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPoint::subGetGeomExtents(ZcDbExtents& e) const {
    e.addPoint(position_);
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// 2D solid.

ZCRX_DEFINE_MEMBERS(ZcDbSolid, ZcDbEntity);

ZcDbSolid::ZcDbSolid(const ZcGePoint3d& p0, const ZcGePoint3d& p1, const ZcGePoint3d& p2, const ZcGePoint3d& p3)
    : corners_{p0, p1, p2, p3} {}

ZcDbSolid::ZcDbSolid(const ZcGePoint3d& p0, const ZcGePoint3d& p1, const ZcGePoint3d& p2)
    : corners_{p0, p1, p2, p2} {}

Zcad::ErrorStatus ZcDbSolid::getPointAt(Zdesk::UInt16 index, ZcGePoint3d& point) const {
    if (index > 3)
        return Zcad::eInvalidIndex;
    point = corners_[index];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSolid::setPointAt(Zdesk::UInt16 index, const ZcGePoint3d& point) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (index > 3)
        return Zcad::eInvalidIndex;
    corners_[index] = point;
    return Zcad::eOk;
}

GEOM_SETTER(ZcDbSolid, setThickness, double, thickness_)
NORMAL_SETTER(ZcDbSolid)

Zcad::ErrorStatus ZcDbSolid::subTransformBy(const ZcGeMatrix3d& m) {
    for (ZcGePoint3d& p : corners_)
        p.transformBy(m);
    normal_.transformBy(m);
    normal_ = normal_.isZeroLength() ? ZcGeVector3d::kZAxis : normal_.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSolid::subGetGeomExtents(ZcDbExtents& e) const {
    for (const ZcGePoint3d& p : corners_)
        e.addPoint(p);
    return Zcad::eOk;
}
