// Base types of the host programming interface.
#pragma once

#include <cstdint>

typedef wchar_t ZTCHAR;

namespace Zdesk {
typedef int8_t Int8;
typedef int16_t Int16;
typedef int32_t Int32;
typedef int64_t Int64;
typedef uint8_t UInt8;
typedef uint16_t UInt16;
typedef uint32_t UInt32;
typedef uint64_t UInt64;
typedef bool Boolean;
typedef intptr_t IntPtr;
typedef uintptr_t UIntPtr;
typedef int64_t LongPtr;
typedef uint64_t ULongPtr;
constexpr Boolean kTrue = true;
constexpr Boolean kFalse = false;
}  // namespace Zdesk

#ifndef ZCAD_PORT
#define ZCAD_PORT __attribute__((visibility("default")))
#endif
