// Command-line output, result-buffer lists and host-allocated strings.
#pragma once

#include "zadsdef.h"
#include "zcadstrc.h"

/// Prints on the host's command line. The format follows the Microsoft runtime rules (in a
/// wide format "%s" takes a wide string). Returns the number of characters printed.
ZCAD_PORT int zcutPrintf(const ZTCHAR* format, ...);

/// A new result buffer of the given type (rbnext null, value zeroed), or null for type 0.
/// Free it (and any list it heads) with zcutRelRb.
ZCAD_PORT struct resbuf* zcutNewRb(int type);
/// Frees a whole result-buffer list, including the strings of RTSTR elements (and of the
/// string-valued DXF group codes) and binary chunks. Returns RTNORM.
ZCAD_PORT int zcutRelRb(struct resbuf* rb);
/// Builds a list from (type, value) pairs ended by 0: RTSTR and string group codes take
/// const ZTCHAR*, RTREAL/RTANG/real codes take double, RTSHORT/short codes take int,
/// RTLONG takes Zdesk::Int32, RTPOINT/RT3DPOINT/point codes take a zds_point, RTENAME and
/// RTPICKS a zds_name, RTLB/RTLE/RTDOTE/RTNIL/RTT nothing. Null for an unknown type.
ZCAD_PORT struct resbuf* zcutBuildList(int rtype, ...);

/// A copy of the text allocated by the host (free it with zcutDelBuffer). eNullPtr when src
/// is null (dest becomes null).
ZCAD_PORT Zcad::ErrorStatus zcutNewString(const ZTCHAR* src, ZTCHAR*& dest);
/// A host-allocated copy of the text (null for null). Free it with zcutDelBuffer.
ZCAD_PORT ZTCHAR* zcutNewBuffer(const ZTCHAR* src);
/// Frees a string the host allocated (zcedGetVar RTSTR results, zcutNewString) and sets the
/// pointer to null. A null pointer or null string is ignored.
ZCAD_PORT void zcutDelBuffer(ZTCHAR** buffer);
inline void zcutDelBuffer(ZTCHAR*& buffer) { zcutDelBuffer(&buffer); }

/// Copies a point.
inline void zds_point_set(const zds_point from, zds_point to) {
    to[X] = from[X];
    to[Y] = from[Y];
    to[Z] = from[Z];
}
