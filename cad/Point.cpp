// getPoint, toUcs and toWcs over the host's point prompt and zcedTrans.
#include "cad/Point.h"

#include <zcedads.h>
#include <zcgeassign.h>

namespace {

constexpr short kWorld = 0;
constexpr short kUser = 1;

ZcGePoint3d transform(const ZcGePoint3d& point, short from, short to) {
    resbuf fromSystem{};
    fromSystem.restype = RTSHORT;
    fromSystem.resval.rint = from;
    resbuf toSystem{};
    toSystem.restype = RTSHORT;
    toSystem.resval.rint = to;
    ZcGePoint3d result = point;
    zcedTrans(asDblArray(point), &fromSystem, &toSystem, 0, asDblArray(result));
    return result;
}

}  // namespace

ZcGePoint3d toUcs(const ZcGePoint3d& point) {
    return transform(point, kWorld, kUser);
}

ZcGePoint3d toWcs(const ZcGePoint3d& point) {
    return transform(point, kUser, kWorld);
}

int getPoint(ZcGePoint3d& out, const CString& prompt, const ZcGePoint3d* base, bool inWcs) {
    CString text = L"\n" + prompt + L": ";
    ZcGePoint3d answer;
    int result;
    if (base != nullptr) {
        ZcGePoint3d rubberBandBase = toUcs(*base);
        result = zcedGetPoint(asDblArray(rubberBandBase), text, asDblArray(answer));
    } else {
        result = zcedGetPoint(nullptr, text, asDblArray(answer));
    }
    if (result != RTNORM)
        return RTERROR;
    out = inWcs ? toWcs(answer) : answer;
    return RTNORM;
}
