// The host's error statuses and their names.
#pragma once

#include "zcbase.h"

namespace Zcad {
/// Status of database and run-time calls; 0 is success.
enum ErrorStatus : int {
    eOk = 0,
#if __has_include("zcadstrc_codes.inc")
#include "zcadstrc_codes.inc"
#endif
};
}  // namespace Zcad

/// The host's name of a status ("eOk", "eWasErased", ...); never null.
ZCAD_PORT const ZTCHAR* zcadErrorStatusText(Zcad::ErrorStatus status);
