// Three-axis scale factors of the host's geometry library.
#pragma once

#include "zcgegbl.h"

class ZCAD_PORT ZcGeScale3d {
public:
    ZcGeScale3d() = default;
    explicit ZcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    ZcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}

    static const ZcGeScale3d kIdentity;

    ZcGeScale3d operator*(double s) const { return {sx * s, sy * s, sz * s}; }
    ZcGeScale3d operator*(const ZcGeScale3d& s) const { return {sx * s.sx, sy * s.sy, sz * s.sz}; }
    bool isEqualTo(const ZcGeScale3d& s, const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool operator==(const ZcGeScale3d& s) const { return isEqualTo(s); }
    bool operator!=(const ZcGeScale3d& s) const { return !isEqualTo(s); }
    double operator[](unsigned i) const { return i == 0 ? sx : (i == 1 ? sy : sz); }
    double& operator[](unsigned i) { return i == 0 ? sx : (i == 1 ? sy : sz); }

    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;
};
