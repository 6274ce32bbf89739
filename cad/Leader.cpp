// UIS_Leader: creation in model space, point-by-point drawing and the leader's properties.
#include "cad/Leader.h"

#include <zcdblead.h>

#include <cmath>

#include "cad/Drawer.h"
#include "cad/Point.h"
#include "support/ZWVariable.h"

namespace {

constexpr double kMinimumLength = 0.00001;
constexpr double kHalfPi = 1.5707963267948966;

}  // namespace

UIS_Leader::UIS_Leader() {
    getRealVar(L"Dimasz", arrowSize);
    getRealVar(L"DimScale", dimScale);
}

ZcDbLeader* UIS_Leader::openForWrite(int& es) const {
    ZcDbLeader* opened = nullptr;
    es = zcdbOpenObject(opened, leader->objectId(), ZcDb::kForWrite, false);
    return es == Zcad::eOk ? opened : nullptr;
}

int UIS_Leader::create(const ZcGePoint3d& p1, const ZcGePoint3d& p2) {
    if (p1.distanceTo(p2) < kMinimumLength)
        return CadStatus::kPointsTooClose;
    if (leader == nullptr)
        leader = new ZcDbLeader();
    leader->setDimscale(dimScale);
    leader->setDimasz(arrowSize);
    int result;
    if (std::fabs(p1.z * p2.z) < 0.1) {
        // Flat: the leader starts at p2, its arrow end.
        leader->appendVertex(p2);
        leader->appendVertex(p1);
        result = ZWDrawer::Add(leader);
    } else {
        leader->appendVertex(ZcGePoint3d(p1.z, p1.y, p1.x));
        leader->appendVertex(ZcGePoint3d(p2.z, p2.y, p2.x));
        result = ZWDrawer::Add(leader);
        if (result == Zcad::eOk) {
            leader->transformBy(ZcGeMatrix3d::rotation(kHalfPi, ZcGeVector3d(0.0, -1.0, 0.0),
                                                       ZcGePoint3d::kOrigin));
            leader->transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(p1.x, p1.y, 0.0)));
        }
    }
    if (result != Zcad::eOk) {
        // Not in the database: the leader is still ours.
        if (!leader->isDatabaseResident()) {
            delete leader;
            leader = nullptr;
        }
        return result;
    }
    leader->close();
    return CadStatus::kOk;
}

int UIS_Leader::draw(const ZcGePoint3d& start, const CString& prompt) {
    ZcGePoint3d point;
    if (getPoint(point, prompt, &start, true) != RTNORM)
        return CadStatus::kNoPoint;
    if (leader == nullptr) {
        if (int result = create(point, start); result != 0)
            return result;
    } else {
        int es = 0;
        ZcDbLeader* opened = openForWrite(es);
        if (opened == nullptr)
            return es;
        opened->appendVertex(point);
        opened->close();
    }
    ZcGePoint3d last = point;
    while (getPoint(point, prompt, &last, true) == RTNORM) {
        int es = 0;
        ZcDbLeader* opened = openForWrite(es);
        if (opened == nullptr)
            return es;
        opened->appendVertex(point);
        opened->close();
        last = point;
    }
    return CadStatus::kOk;
}

int UIS_Leader::setArrowBlock(const CString& name) {
    if (leader == nullptr)
        return CadStatus::kNoEntity;
    int es = 0;
    ZcDbLeader* opened = openForWrite(es);
    if (opened == nullptr)
        return es;
    int result = opened->setDimldrblk(name);
    opened->close();
    return result;
}

void UIS_Leader::setArrowSize(double size) {
    arrowSize = size;
    if (leader == nullptr)
        return;
    int es = 0;
    if (ZcDbLeader* opened = openForWrite(es)) {
        opened->setDimasz(size);
        opened->close();
    }
}

int UIS_Leader::attachAnnotation(const ZcDbObjectId& annotation) {
    if (leader == nullptr)
        return CadStatus::kNoEntity;
    int es = 0;
    ZcDbLeader* opened = openForWrite(es);
    if (opened == nullptr)
        return es;
    int attached = opened->attachAnnotation(annotation);
    int closed = opened->close();
    return attached != Zcad::eOk ? attached : closed;
}

int UIS_Leader::close() {
    if (leader == nullptr)
        return CadStatus::kNoEntity;
    return leader->close();
}

int UIS_Leader::endPoint(ZcGePoint3d& out) {
    if (leader == nullptr)
        return CadStatus::kNoEntity;
    ZcDbLeader* opened = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(opened, leader->objectId(), ZcDb::kForRead, false);
    if (es != Zcad::eOk)
        return es;
    opened->getEndPoint(out);
    return opened->close();
}

ZcDbObjectId UIS_Leader::objectId() const {
    return leader != nullptr ? leader->objectId() : nullObjectId;
}
