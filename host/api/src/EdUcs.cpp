// The user coordinate system and zcedTrans.
#include <cmath>

#include "host/SysVars.h"
#include "host/Ucs.h"
#include "zcedads.h"

namespace host {
namespace {

double dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void cross(const double a[3], const double b[3], double out[3]) {
    const double x = a[1] * b[2] - a[2] * b[1];
    const double y = a[2] * b[0] - a[0] * b[2];
    const double z = a[0] * b[1] - a[1] * b[0];
    out[0] = x;
    out[1] = y;
    out[2] = z;
}

bool normalize(double v[3]) {
    const double length = std::sqrt(dot(v, v));
    if (!(length > 1e-12) || !std::isfinite(length))
        return false;
    for (int i = 0; i < 3; ++i)
        v[i] /= length;
    return true;
}

/// Axes of an object coordinate system with the given normal (the arbitrary-axis rule).
bool ecsAxes(const double normal[3], Ucs& ucs) {
    double n[3] = {normal[0], normal[1], normal[2]};
    if (!normalize(n))
        return false;
    const double worldY[3] = {0, 1, 0};
    const double worldZ[3] = {0, 0, 1};
    if (std::fabs(n[0]) < 1.0 / 64 && std::fabs(n[1]) < 1.0 / 64)
        cross(worldY, n, ucs.xAxis);
    else
        cross(worldZ, n, ucs.xAxis);
    normalize(ucs.xAxis);
    cross(n, ucs.xAxis, ucs.yAxis);
    normalize(ucs.yAxis);
    ucs.origin[0] = ucs.origin[1] = ucs.origin[2] = 0.0;
    return true;
}

}  // namespace

Ucs Ucs::world() { return Ucs{}; }

Ucs Ucs::rotated(const double origin[3], double angle) {
    Ucs ucs;
    for (int i = 0; i < 3; ++i)
        ucs.origin[i] = origin[i];
    ucs.xAxis[0] = std::cos(angle);
    ucs.xAxis[1] = std::sin(angle);
    ucs.yAxis[0] = -std::sin(angle);
    ucs.yAxis[1] = std::cos(angle);
    return ucs;
}

bool Ucs::isWorld() const {
    const Ucs w;
    for (int i = 0; i < 3; ++i)
        if (origin[i] != w.origin[i] || xAxis[i] != w.xAxis[i] || yAxis[i] != w.yAxis[i])
            return false;
    return true;
}

void Ucs::toWorld(const double in[3], double out[3], bool disp) const {
    double z[3];
    cross(xAxis, yAxis, z);
    double r[3];
    for (int i = 0; i < 3; ++i)
        r[i] = (disp ? 0.0 : origin[i]) + in[0] * xAxis[i] + in[1] * yAxis[i] + in[2] * z[i];
    for (int i = 0; i < 3; ++i)
        out[i] = r[i];
}

void Ucs::toUser(const double in[3], double out[3], bool disp) const {
    double z[3];
    cross(xAxis, yAxis, z);
    double d[3];
    for (int i = 0; i < 3; ++i)
        d[i] = in[i] - (disp ? 0.0 : origin[i]);
    const double x = dot(d, xAxis);
    const double y = dot(d, yAxis);
    const double w = dot(d, z);
    out[0] = x;
    out[1] = y;
    out[2] = w;
}

Ucs currentUcs() {
    Ucs ucs;
    const SysVars& vars = sysVars();
    if (auto v = vars.get(L"UCSORG"))
        for (int i = 0; i < 3; ++i)
            ucs.origin[i] = v->point[i];
    if (auto v = vars.get(L"UCSXDIR"))
        for (int i = 0; i < 3; ++i)
            ucs.xAxis[i] = v->point[i];
    if (auto v = vars.get(L"UCSYDIR"))
        for (int i = 0; i < 3; ++i)
            ucs.yAxis[i] = v->point[i];
    return ucs;
}

bool setCurrentUcs(const Ucs& wanted) {
    Ucs ucs = wanted;
    if (!normalize(ucs.xAxis))
        return false;
    // Gram-Schmidt: keep X, make Y perpendicular to it.
    const double along = dot(ucs.yAxis, ucs.xAxis);
    for (int i = 0; i < 3; ++i)
        ucs.yAxis[i] -= along * ucs.xAxis[i];
    if (!normalize(ucs.yAxis))
        return false;
    for (int i = 0; i < 3; ++i)
        if (!std::isfinite(ucs.origin[i]))
            return false;
    SysVars& vars = sysVars();
    vars.hostSetPoint(L"UCSORG", ucs.origin);
    vars.hostSetPoint(L"UCSXDIR", ucs.xAxis);
    vars.hostSetPoint(L"UCSYDIR", ucs.yAxis);
    vars.hostSetShort(L"WORLDUCS", ucs.isWorld() ? 1 : 0);
    return true;
}

namespace {

/// The coordinate system a result buffer names: RTSHORT 0 world, 1 user, 2 display
/// (the plan view of the world here, so the same as world), or a normal vector (RT3DPOINT)
/// for an object coordinate system.
bool systemOf(const resbuf* rb, Ucs& ucs) {
    if (!rb)
        return false;
    if (rb->restype == RTSHORT) {
        switch (rb->resval.rint) {
        case 0:
        case 2:
            ucs = Ucs::world();
            return true;
        case 1:
            ucs = currentUcs();
            return true;
        default:
            return false;
        }
    }
    if (rb->restype == RT3DPOINT)
        return ecsAxes(rb->resval.rpoint, ucs);
    return false;
}

}  // namespace

}  // namespace host

int zcedTrans(const zds_point pt, const resbuf* from, const resbuf* to, int disp,
              zds_point result) {
    host::Ucs source;
    host::Ucs target;
    if (!pt || !result || !host::systemOf(from, source) || !host::systemOf(to, target))
        return RTERROR;
    double world[3];
    source.toWorld(pt, world, disp != 0);
    target.toUser(world, result, disp != 0);
    return RTNORM;
}
