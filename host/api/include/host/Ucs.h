// The user coordinate system of the host's editor and the conversions of zcedTrans.
#pragma once

#include "zcbase.h"

namespace host {

/// A user coordinate system: origin and unit axes in world coordinates (Z = X × Y).
struct ZCAD_PORT Ucs {
    double origin[3] = {0.0, 0.0, 0.0};
    double xAxis[3] = {1.0, 0.0, 0.0};
    double yAxis[3] = {0.0, 1.0, 0.0};

    static Ucs world();
    /// Origin moved and the axes turned about the world Z axis by angle (radians).
    static Ucs rotated(const double origin[3], double angle);
    bool isWorld() const;
    /// User -> world; disp true converts a displacement (no translation).
    void toWorld(const double in[3], double out[3], bool disp = false) const;
    /// World -> user.
    void toUser(const double in[3], double out[3], bool disp = false) const;
};

/// The current UCS of the working drawing (kept in UCSORG/UCSXDIR/UCSYDIR).
ZCAD_PORT Ucs currentUcs();
/// Makes the axes orthonormal (Y made perpendicular to X) and stores them; false, nothing
/// changed, when an axis is zero or the two are parallel.
ZCAD_PORT bool setCurrentUcs(const Ucs& ucs);

}  // namespace host
