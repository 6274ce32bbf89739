// The point prompt and the conversions between world and user coordinates.
#pragma once

#include <afxstr.h>
#include <zcgepnt3d.h>

/// Asks for a point, showing "\n" + prompt + ": ". base (world coordinates, may be null) is
/// the start of the rubber band. On an answer the point (user coordinates, converted to
/// world coordinates when inWcs is set) goes to out and the result is 5100 (RTNORM); every
/// other outcome (Enter, Escape, a keyword, an error) gives -5001 and leaves out unchanged.
int getPoint(ZcGePoint3d& out, const CString& prompt, const ZcGePoint3d* base, bool inWcs);

/// World to user coordinates (the current UCS).
ZcGePoint3d toUcs(const ZcGePoint3d& point);
/// User to world coordinates.
ZcGePoint3d toWcs(const ZcGePoint3d& point);
