// Conversions between geometry objects and the C interface's double arrays.
#pragma once

#include "zcgepnt2d.h"
#include "zcgepnt3d.h"

inline double* asDblArray(ZcGePoint3d& p) { return &p.x; }
inline const double* asDblArray(const ZcGePoint3d& p) { return &p.x; }
inline double* asDblArray(ZcGeVector3d& v) { return &v.x; }
inline const double* asDblArray(const ZcGeVector3d& v) { return &v.x; }
inline double* asDblArray(ZcGePoint2d& p) { return &p.x; }
inline const double* asDblArray(const ZcGePoint2d& p) { return &p.x; }
inline ZcGePoint3d asPnt3d(const double* d) { return {d[0], d[1], d[2]}; }
inline ZcGeVector3d asVec3d(const double* d) { return {d[0], d[1], d[2]}; }
inline ZcGePoint2d asPnt2d(const double* d) { return {d[0], d[1]}; }
