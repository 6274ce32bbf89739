// Which member of a result buffer's value a type code uses.
#pragma once

#include "zadsdef.h"

namespace host {

enum class ResbufKind { None, String, Real, Point, Short, Long, Int64, Name, Binary };

/// The value kind of a result-buffer type code: the RT* codes and DXF group codes
/// (strings 0-9, 100-105, 300-309, 320-329, 410-419, 430-439, 470-479, 999, 1000-1003,
/// 1005; points 10-39, 210-239, 1010-1039; reals 40-59, 110-149, 460-469, 1040-1042;
/// shorts 60-79, 170-179, 270-289, 290-299, 370-389, 400-409, 1060-1070; longs 90-99,
/// 420-429, 440-459, 1071; 64-bit 160-169; names -1, -2, 330-369; binary 310-319, 1004).
ZCAD_PORT ResbufKind resbufKind(int restype);

/// A deep copy of one element (rbnext null), strings and binaries copied with the host's
/// allocator; null for null.
ZCAD_PORT resbuf* copyResbuf(const resbuf* rb);

}  // namespace host
