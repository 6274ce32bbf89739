// UIS_Leader: a leader drawn from two or more points, with its arrowhead, arrow size and
// annotation.
#pragma once

#include <afxstr.h>
#include <zcgepnt3d.h>

#include "cad/ObjectId.h"

class ZcDbLeader;

/// Creates a host leader and changes it afterwards. The wrapper keeps the leader's pointer
/// from create() until it is destroyed, but every operation after create() reopens the
/// leader through its id. Destroying the wrapper does not close the leader.
class UIS_Leader {
public:
    /// Reads the arrow size ("Dimasz") and dimension scale ("DimScale") system variables.
    UIS_Leader();

    /// Creates the leader from p1 and p2 in model space (arrow end at p2) and closes it.
    /// 2 when the points are closer than 0.00001 (nothing created); the status of appending
    /// when that fails (the leader is then deleted); otherwise 0.
    int create(const ZcGePoint3d& p1, const ZcGePoint3d& p2);
    /// Asks for points from start (world coordinates) with prompt until the user ends with
    /// Enter or Escape; each point becomes the next vertex. 180 when the first prompt gives
    /// no point; the status of create() when that fails; otherwise 0.
    int draw(const ZcGePoint3d& start, const CString& prompt);
    /// Sets the arrowhead block by name: 20 without a leader, the open status, or the
    /// status of setting it.
    int setArrowBlock(const CString& name);
    /// Remembers the arrow size and gives it to the leader when there is one.
    void setArrowSize(double size);
    /// Attaches the object as the leader's annotation: 20 without a leader, the open
    /// status, the attach status when it failed, otherwise the close status.
    int attachAnnotation(const ZcDbObjectId& annotation);
    /// Closes the leader: the close status (20 without a leader).
    int close();
    /// The leader's last vertex into out: the open status or the close status.
    int endPoint(ZcGePoint3d& out);
    /// The leader's id, or the null id without a leader.
    ZcDbObjectId objectId() const;

    ZcDbLeader* leader = nullptr;
    double arrowSize = 0.0;
    double dimScale = 0.0;

private:
    /// The leader opened for write through its id (null with the status in es on failure).
    ZcDbLeader* openForWrite(int& es) const;
};
