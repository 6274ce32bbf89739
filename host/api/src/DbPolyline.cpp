// The lightweight polyline: vertices, bulges and widths; lengths and points along it.
#include <algorithm>
#include <cmath>

#include "DbInternal.h"

ZCRX_DEFINE_MEMBERS(ZcDbPolyline, ZcDbCurve);

ZcDbPolyline::ZcDbPolyline(unsigned int reserveVertices) { vertices_.reserve(reserveVertices); }

#define WRITE_CHECK                                                \
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)       \
        return es;

Zcad::ErrorStatus ZcDbPolyline::addVertexAt(unsigned int index, const ZcGePoint2d& point, double bulge,
                                            double startWidth, double endWidth) {
    WRITE_CHECK
    if (index > vertices_.size())
        return Zcad::eInvalidIndex;
    if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(bulge))
        return Zcad::eInvalidInput;
    Vertex v;
    v.point = point;
    v.bulge = bulge;
    v.startWidth = startWidth < 0.0 ? constantWidth_ : startWidth;
    v.endWidth = endWidth < 0.0 ? constantWidth_ : endWidth;
    vertices_.insert(vertices_.begin() + index, v);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::removeVertexAt(unsigned int index) {
    WRITE_CHECK
    if (index >= vertices_.size())
        return Zcad::eInvalidIndex;
    vertices_.erase(vertices_.begin() + index);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getPointAt(unsigned int index, ZcGePoint2d& point) const {
    if (index >= vertices_.size())
        return Zcad::eInvalidIndex;
    point = vertices_[index].point;
    return Zcad::eOk;
}

ZcGePoint3d ZcDbPolyline::toWorld(const ZcGePoint2d& p) const {
    ZcGePoint3d local(p.x, p.y, elevation_);
    if (normal_.isEqualTo(ZcGeVector3d::kZAxis))
        return local;
    return ZcGeMatrix3d::planeToWorld(normal_) * local;
}

Zcad::ErrorStatus ZcDbPolyline::getPointAt(unsigned int index, ZcGePoint3d& point) const {
    if (index >= vertices_.size())
        return Zcad::eInvalidIndex;
    point = toWorld(vertices_[index].point);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setPointAt(unsigned int index, const ZcGePoint2d& point) {
    WRITE_CHECK
    if (index >= vertices_.size())
        return Zcad::eInvalidIndex;
    vertices_[index].point = point;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
    if (index >= vertices_.size())
        return Zcad::eInvalidIndex;
    bulge = vertices_[index].bulge;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
    WRITE_CHECK
    if (index >= vertices_.size())
        return Zcad::eInvalidIndex;
    if (!std::isfinite(bulge))
        return Zcad::eInvalidInput;
    vertices_[index].bulge = bulge;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const {
    if (index >= vertices_.size())
        return Zcad::eInvalidIndex;
    startWidth = vertices_[index].startWidth;
    endWidth = vertices_[index].endWidth;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth) {
    WRITE_CHECK
    if (index >= vertices_.size())
        return Zcad::eInvalidIndex;
    if (!(startWidth >= 0.0) || !(endWidth >= 0.0))
        return Zcad::eInvalidInput;
    vertices_[index].startWidth = startWidth;
    vertices_[index].endWidth = endWidth;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getConstantWidth(double& width) const {
    width = constantWidth_;
    for (const Vertex& v : vertices_)
        if (v.startWidth != v.endWidth || v.startWidth != vertices_.front().startWidth)
            return Zcad::eNotApplicable;
    if (!vertices_.empty())
        width = vertices_.front().startWidth;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setConstantWidth(double width) {
    WRITE_CHECK
    if (!(width >= 0.0))
        return Zcad::eInvalidInput;
    constantWidth_ = width;
    for (Vertex& v : vertices_)
        v.startWidth = v.endWidth = width;
    return Zcad::eOk;
}

bool ZcDbPolyline::hasWidth() const {
    return std::any_of(vertices_.begin(), vertices_.end(),
                       [](const Vertex& v) { return v.startWidth != 0.0 || v.endWidth != 0.0; });
}

bool ZcDbPolyline::hasBulges() const {
    return std::any_of(vertices_.begin(), vertices_.end(), [](const Vertex& v) { return v.bulge != 0.0; });
}

Zcad::ErrorStatus ZcDbPolyline::setClosed(bool closed) {
    WRITE_CHECK
    closed_ = closed;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setElevation(double elevation) {
    WRITE_CHECK
    elevation_ = elevation;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setNormal(const ZcGeVector3d& normal) {
    WRITE_CHECK
    if (normal.isZeroLength())
        return Zcad::eInvalidInput;
    normal_ = normal.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setThickness(double thickness) {
    WRITE_CHECK
    thickness_ = thickness;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::reset(bool reuse, unsigned int numVerts) {
    WRITE_CHECK
    if (!reuse)
        vertices_.clear();
    else if (numVerts < vertices_.size())
        vertices_.resize(numVerts);
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Segments: segment i runs from vertex i to vertex i+1 (the last one of a closed polyline
// back to vertex 0); a bulge b makes it an arc of included angle 4 atan b.

unsigned ZcDbPolyline::segmentCount() const {
    unsigned n = numVerts();
    if (n < 2)
        return 0;
    return closed_ ? n : n - 1;
}

double ZcDbPolyline::segmentLength(unsigned s) const {
    const Vertex& a = vertices_[s];
    const Vertex& b = vertices_[(s + 1) % vertices_.size()];
    double chord = a.point.distanceTo(b.point);
    if (a.bulge == 0.0 || chord == 0.0)
        return chord;
    double theta = 4.0 * std::atan(std::fabs(a.bulge));
    double radius = chord / (2.0 * std::sin(theta / 2.0));
    return radius * theta;
}

ZcGePoint2d ZcDbPolyline::pointOnSegment(unsigned s, double t) const {
    const Vertex& a = vertices_[s];
    const Vertex& b = vertices_[(s + 1) % vertices_.size()];
    ZcGeVector2d chord = b.point - a.point;
    if (a.bulge == 0.0 || chord.length() == 0.0)
        return a.point + chord * t;
    // Rotate the chord direction: the arc's tangent at a is turned by half the angle.
    double theta = 4.0 * std::atan(a.bulge);  // signed
    double len = chord.length();
    double radius = len / (2.0 * std::sin(theta / 2.0));  // signed with the bulge
    ZcGeVector2d dir = chord / len;
    ZcGeVector2d perp(-dir.y, dir.x);
    ZcGePoint2d mid = a.point + chord * 0.5;
    double h = radius * std::cos(theta / 2.0);
    ZcGePoint2d center = mid + perp * h;
    ZcGeVector2d start = a.point - center;
    ZcGeVector2d v = start;
    v.rotateBy(theta * t);
    return center + v;
}

Zcad::ErrorStatus ZcDbPolyline::getEndParam(double& param) const {
    if (vertices_.empty())
        return Zcad::eNotApplicable;
    param = static_cast<double>(segmentCount());
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getStartPoint(ZcGePoint3d& point) const {
    if (vertices_.empty())
        return Zcad::eNotApplicable;
    point = toWorld(vertices_.front().point);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getEndPoint(ZcGePoint3d& point) const {
    if (vertices_.empty())
        return Zcad::eNotApplicable;
    point = toWorld(closed_ ? vertices_.front().point : vertices_.back().point);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getPointAtParam(double param, ZcGePoint3d& point) const {
    unsigned n = segmentCount();
    if (vertices_.empty() || param < -1e-9 || param > n + 1e-9)
        return Zcad::eInvalidInput;
    if (n == 0) {
        point = toWorld(vertices_.front().point);
        return Zcad::eOk;
    }
    double p = std::clamp(param, 0.0, static_cast<double>(n));
    unsigned s = std::min(static_cast<unsigned>(p), n - 1);
    point = toWorld(pointOnSegment(s, p - s));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getParamAtPoint(const ZcGePoint3d& point, double& param) const {
    // Searches each segment for the nearest sample, then refines by bisection on distance.
    unsigned n = segmentCount();
    if (n == 0)
        return Zcad::eInvalidInput;
    double best = 1e300, bestParam = 0.0;
    for (unsigned s = 0; s < n; ++s) {
        const int steps = 64;
        for (int i = 0; i <= steps; ++i) {
            double t = static_cast<double>(i) / steps;
            double d = toWorld(pointOnSegment(s, t)).distanceTo(point);
            if (d < best) {
                best = d;
                bestParam = s + t;
            }
        }
    }
    double lo = std::max(0.0, bestParam - 1.0 / 64), hi = std::min<double>(n, bestParam + 1.0 / 64);
    for (int it = 0; it < 60; ++it) {
        double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
        ZcGePoint3d p1, p2;
        getPointAtParam(m1, p1);
        getPointAtParam(m2, p2);
        if (p1.distanceTo(point) < p2.distanceTo(point))
            hi = m2;
        else
            lo = m1;
    }
    ZcGePoint3d found;
    getPointAtParam((lo + hi) / 2, found);
    if (found.distanceTo(point) > 1e-6)
        return Zcad::eInvalidInput;
    param = (lo + hi) / 2;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getDistAtParam(double param, double& dist) const {
    unsigned n = segmentCount();
    if (vertices_.empty() || param < -1e-9 || param > n + 1e-9)
        return Zcad::eInvalidInput;
    dist = 0.0;
    double p = std::clamp(param, 0.0, static_cast<double>(n));
    unsigned whole = static_cast<unsigned>(p);
    for (unsigned s = 0; s < whole && s < n; ++s)
        dist += segmentLength(s);
    if (whole < n)
        dist += segmentLength(whole) * (p - whole);  // arcs are uniform in their angle
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getParamAtDist(double dist, double& param) const {
    unsigned n = segmentCount();
    if (vertices_.empty() || dist < -1e-9)
        return Zcad::eInvalidInput;
    double left = std::max(0.0, dist);
    for (unsigned s = 0; s < n; ++s) {
        double len = segmentLength(s);
        if (left <= len + 1e-9) {
            param = s + (len > 0.0 ? std::min(1.0, left / len) : 0.0);
            return Zcad::eOk;
        }
        left -= len;
    }
    if (left <= 1e-9) {
        param = n;
        return Zcad::eOk;
    }
    return Zcad::eInvalidInput;
}

Zcad::ErrorStatus ZcDbPolyline::getFirstDeriv(double param, ZcGeVector3d& deriv) const {
    unsigned n = segmentCount();
    if (n == 0 || param < -1e-9 || param > n + 1e-9)
        return Zcad::eInvalidInput;
    double p = std::clamp(param, 0.0, static_cast<double>(n));
    unsigned s = std::min(static_cast<unsigned>(p), n - 1);
    double t = p - s, h = 1e-6;
    ZcGePoint2d a = pointOnSegment(s, std::max(0.0, t - h)), b = pointOnSegment(s, std::min(1.0, t + h));
    ZcGePoint3d wa = toWorld(a), wb = toWorld(b);
    deriv = (wb - wa) / (std::min(1.0, t + h) - std::max(0.0, t - h));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::subTransformBy(const ZcGeMatrix3d& m) {
    // The polyline stays in a plane: the matrix must keep planes and circles (a similarity).
    ZcGeMatrix3d copy = m;
    if (!copy.isUniScaledOrtho())
        return Zcad::eCannotScaleNonUniformly;
    double s = m.scale();
    ZcGeVector3d newNormal = normal_;
    newNormal.transformBy(m);
    newNormal.normalize();
    ZcGeMatrix3d toPlane = ZcGeMatrix3d::worldToPlane(newNormal);
    bool mirrored = copy.det() < 0.0;
    double newElevation = elevation_;
    for (size_t i = 0; i < vertices_.size(); ++i) {
        ZcGePoint3d p = toPlane * (m * toWorld(vertices_[i].point));
        vertices_[i].point.set(p.x, p.y);
        newElevation = p.z;
        vertices_[i].startWidth *= s;
        vertices_[i].endWidth *= s;
        if (mirrored)
            vertices_[i].bulge = -vertices_[i].bulge;
    }
    if (vertices_.empty()) {
        ZcGePoint3d p = toPlane * (m * toWorld(ZcGePoint2d(0, 0)));
        newElevation = p.z;
    }
    normal_ = newNormal;
    elevation_ = newElevation;
    constantWidth_ *= s;
    thickness_ *= s;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::subGetGeomExtents(ZcDbExtents& e) const {
    if (vertices_.empty())
        return Zcad::eInvalidExtents;
    unsigned n = segmentCount();
    e.addPoint(toWorld(vertices_.front().point));
    for (unsigned s = 0; s < n; ++s) {
        int steps = vertices_[s].bulge == 0.0 ? 1 : 64;
        for (int i = 1; i <= steps; ++i)
            e.addPoint(toWorld(pointOnSegment(s, static_cast<double>(i) / steps)));
    }
    // Wide segments reach half their width beyond the centre line.
    double w = 0.0;
    for (const Vertex& v : vertices_)
        w = std::max({w, v.startWidth, v.endWidth});
    if (w > 0.0 && e.isValid()) {
        e.addPoint(e.minPoint() - ZcGeVector3d(w / 2, w / 2, 0));
        e.addPoint(e.maxPoint() + ZcGeVector3d(w / 2, w / 2, 0));
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::subExplode(ZcDbVoidPtrArray& entities) const {
    unsigned n = segmentCount();
    if (n == 0)
        return Zcad::eCannotExplodeEntity;
    for (unsigned s = 0; s < n; ++s) {
        ZcGePoint3d a = toWorld(pointOnSegment(s, 0.0)), b = toWorld(pointOnSegment(s, 1.0));
        ZcDbEntity* piece = nullptr;
        if (vertices_[s].bulge == 0.0) {
            piece = new ZcDbLine(a, b);
        } else {
            ZcGePoint3d mid = toWorld(pointOnSegment(s, 0.5));
            // Circle through a, mid, b.
            ZcGeVector3d ab = b - a, am = mid - a;
            ZcGeVector3d nrm = ab.crossProduct(am);
            double d = 2.0 * nrm.lengthSqrd();
            ZcGePoint3d c = a + (nrm.crossProduct(ab) * am.lengthSqrd() + am.crossProduct(nrm) * ab.lengthSqrd()) / d;
            ZcGeVector3d arcNormal = vertices_[s].bulge > 0 ? normal_ : -normal_;
            auto* arc = new ZcDbArc(c, arcNormal, c.distanceTo(a), 0.0, 0.0);
            ZcGeVector3d ax = arcNormal.perpVector(), ay = arcNormal.crossProduct(ax);
            arc->setStartAngle(std::atan2((a - c).dotProduct(ay), (a - c).dotProduct(ax)));
            arc->setEndAngle(std::atan2((b - c).dotProduct(ay), (b - c).dotProduct(ax)));
            piece = arc;
        }
        piece->setPropertiesFrom(this);
        entities.append(piece);
    }
    return Zcad::eOk;
}
