// Hatches: pattern, loops of 2D vertices with bulges, transformation and extents.
#include <cmath>

#include "DbInternal.h"

#define WRITE_CHECK                                          \
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
        return es;

ZCRX_DEFINE_MEMBERS(ZcDbHatch, ZcDbEntity);

Zcad::ErrorStatus ZcDbHatch::setPattern(HatchPatternType type, const ZTCHAR* name) {
    WRITE_CHECK
    if (type < kUserDefined || type > kCustomDefined || !name || !*name)
        return Zcad::eInvalidInput;
    patternType_ = type;
    pattern_ = name;
    return Zcad::eOk;
}

bool ZcDbHatch::isSolidFill() const { return host::db::sameName(pattern_, L"SOLID"); }

Zcad::ErrorStatus ZcDbHatch::setHatchStyle(HatchStyle style) {
    WRITE_CHECK
    if (style < kNormal || style > kIgnore)
        return Zcad::eInvalidInput;
    style_ = style;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setElevation(double e) { WRITE_CHECK elevation_ = e; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbHatch::setPatternAngle(double a) { WRITE_CHECK patternAngle_ = a; return Zcad::eOk; }

Zcad::ErrorStatus ZcDbHatch::setPatternScale(double s) {
    WRITE_CHECK
    if (!(s > 0.0))
        return Zcad::eInvalidInput;
    patternScale_ = s;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setNormal(const ZcGeVector3d& n) {
    WRITE_CHECK
    if (n.isZeroLength())
        return Zcad::eInvalidInput;
    normal_ = n.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::appendLoop(Zdesk::Int32 loopType, const ZcGePoint2dArray& vertices,
                                        const ZcGeDoubleArray& bulges) {
    WRITE_CHECK
    if (vertices.length() < 2 || (!bulges.isEmpty() && bulges.length() != vertices.length()))
        return Zcad::eInvalidInput;
    Loop loop;
    loop.type = loopType | kPolyline;
    for (const ZcGePoint2d& p : vertices)
        loop.vertices.push_back(p);
    for (int i = 0; i < vertices.length(); ++i)
        loop.bulges.push_back(bulges.isEmpty() ? 0.0 : bulges[i]);
    loops_.push_back(std::move(loop));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::getLoopAt(int index, Zdesk::Int32& loopType, ZcGePoint2dArray& vertices,
                                       ZcGeDoubleArray& bulges) const {
    if (index < 0 || index >= numLoops())
        return Zcad::eInvalidIndex;
    const Loop& loop = loops_[static_cast<size_t>(index)];
    loopType = loop.type;
    vertices.removeAll();
    bulges.removeAll();
    for (const ZcGePoint2d& p : loop.vertices)
        vertices.append(p);
    for (double b : loop.bulges)
        bulges.append(b);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::removeLoopAt(int index) {
    WRITE_CHECK
    if (index < 0 || index >= numLoops())
        return Zcad::eInvalidIndex;
    loops_.erase(loops_.begin() + index);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::evaluateHatch(bool) { return Zcad::eOk; }

Zcad::ErrorStatus ZcDbHatch::subTransformBy(const ZcGeMatrix3d& m) {
    ZcGeMatrix3d copy = m;
    if (!copy.isUniScaledOrtho())
        return Zcad::eCannotScaleNonUniformly;
    bool mirrored = copy.det() < 0.0;
    ZcGeVector3d n = normal_;
    n.transformBy(m);
    n.normalize();
    ZcGeMatrix3d fromPlane = ZcGeMatrix3d::planeToWorld(normal_), toPlane = ZcGeMatrix3d::worldToPlane(n);
    double z = elevation_;
    for (Loop& loop : loops_) {
        for (ZcGePoint2d& p : loop.vertices) {
            ZcGePoint3d q = toPlane * (m * (fromPlane * ZcGePoint3d(p.x, p.y, elevation_)));
            p.set(q.x, q.y);
            z = q.z;
        }
        if (mirrored)
            for (double& b : loop.bulges)
                b = -b;
    }
    normal_ = n;
    elevation_ = z;
    patternScale_ *= m.scale();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::subGetGeomExtents(ZcDbExtents& e) const {
    ZcGeMatrix3d fromPlane = ZcGeMatrix3d::planeToWorld(normal_);
    for (const Loop& loop : loops_) {
        size_t n = loop.vertices.size();
        for (size_t i = 0; i < n; ++i) {
            const ZcGePoint2d& a = loop.vertices[i];
            const ZcGePoint2d& b = loop.vertices[(i + 1) % n];
            double bulge = loop.bulges[i];
            e.addPoint(fromPlane * ZcGePoint3d(a.x, a.y, elevation_));
            if (bulge == 0.0)
                continue;
            // Sample the arc.
            double theta = 4.0 * std::atan(bulge);
            ZcGeVector2d chord = b - a;
            double len = chord.length();
            if (len == 0.0)
                continue;
            double r = len / (2.0 * std::sin(theta / 2.0));
            ZcGeVector2d dir = chord / len, perp(-dir.y, dir.x);
            ZcGePoint2d c = a + chord * 0.5 + perp * (r * std::cos(theta / 2.0));
            for (int k = 1; k < 32; ++k) {
                ZcGeVector2d v = a - c;
                v.rotateBy(theta * k / 32.0);
                ZcGePoint2d p = c + v;
                e.addPoint(fromPlane * ZcGePoint3d(p.x, p.y, elevation_));
            }
        }
    }
    return e.isValid() ? Zcad::eOk : Zcad::eInvalidExtents;
}
