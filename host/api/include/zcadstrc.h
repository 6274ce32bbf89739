// The host's error statuses and their names.
#pragma once

#include "zcbase.h"

namespace Zcad {
/// Status of database and run-time calls; 0 is success. The codes live in
/// zcadstrc_codes.inc, one ZCAD_STATUS(name, value) line each.
enum ErrorStatus : int {
    eOk = 0,
#define ZCAD_STATUS(name, value) name = value,
#include "zcadstrc_codes.inc"
#undef ZCAD_STATUS
};
}  // namespace Zcad

/// The host's name of a status ("eOk", "eWasErased", ...). Unknown values give a stable
/// text "Unknown error status <n>"; never null.
ZCAD_PORT const ZTCHAR* zcadErrorStatusText(Zcad::ErrorStatus status);
