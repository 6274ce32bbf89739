// The Microsoft C runtime's wide-character and "secure" functions that glibc lacks:
// _wfopen_s with text modes and "ccs=" encodings, number parsing, case-insensitive
// comparison and the bounded copy and format functions. Failures are returned as the
// documented error codes; where the Microsoft runtime would call its invalid-parameter
// handler (which ends the process), these return the error and leave an empty string.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cwchar>

typedef int errno_t;
#ifndef _TRUNCATE
#define _TRUNCATE (static_cast<size_t>(-1))
#endif
#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif
#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

/// Opens a file. Mode: "r", "w", "a" (with "+"), then "t" (default) or "b", then optionally
/// ", ccs=UNICODE" / "ccs=UTF-8" / "ccs=UTF-16LE" (spaces around "," ignored, case ignored).
/// Binary streams are plain byte streams. Text streams are translated: as stdio sees them
/// their bytes are UTF-8 with "\n" line ends; on disk they are
///   - without ccs: 8-bit Windows-1250 (unmappable characters written as "?"), lines ended
///     by CR LF (read: CR LF -> "\n", a lone CR kept);
///   - ccs=UNICODE / UTF-16LE: UTF-16LE, ccs=UTF-8: UTF-8. Reading: a byte-order mark
///     (FF FE or EF BB BF) decides and is skipped; without one UTF-16LE for UNICODE and
///     UTF-16LE, UTF-8 for UTF-8. Writing ("w", and "a" on an empty file) starts with the
///     byte-order mark; "a" on a non-empty file follows its mark. Invalid UTF-16 (a lone
///     surrogate) and invalid UTF-8 read as U+FFFD; surrogate pairs are joined.
/// Write failures (ENOSPC, EIO...) surface as stdio errors: fputs/fwrite return an error,
/// ferror is set, and fclose returns EOF. Text streams cannot seek except to the start.
/// Returns 0, or the errno value (EINVAL for a bad mode) with *stream set to nullptr.
errno_t _wfopen_s(FILE** stream, const wchar_t* filename, const wchar_t* mode);
/// As _wfopen_s; nullptr with errno set on failure.
FILE* _wfopen(const wchar_t* filename, const wchar_t* mode);
int _wremove(const wchar_t* path);
int _wrename(const wchar_t* oldName, const wchar_t* newName);
/// mode 0 exists, 2 writable, 4 readable, 6 both; 0 on success, -1 with errno.
int _waccess(const wchar_t* path, int mode);
int _wmkdir(const wchar_t* path);
int _wrmdir(const wchar_t* path);
/// GetFullPathNameW into absPath (maxLength characters; nullptr: a malloc'ed buffer);
/// nullptr when it does not fit.
wchar_t* _wfullpath(wchar_t* absPath, const wchar_t* relPath, size_t maxLength);
/// Splits into drive ("C:"), folder (with trailing separator), name and extension (with
/// "."); any output may be null with size 0. ERANGE when a part does not fit (all outputs
/// emptied), EINVAL for a null path.
errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, size_t driveSize, wchar_t* dir, size_t dirSize,
                      wchar_t* fname, size_t nameSize, wchar_t* ext, size_t extSize);
errno_t _wmakepath_s(wchar_t* path, size_t size, const wchar_t* drive, const wchar_t* dir,
                     const wchar_t* fname, const wchar_t* ext);

/// Leading white space, an optional sign, decimal digits; stops at the first other
/// character; 0 when there are no digits (also for "", "-" and nullptr). On overflow
/// INT_MAX / INT_MIN (_wtol: the 32-bit LONG limits, _wtoi64: the 64-bit limits) and errno
/// ERANGE.
int _wtoi(const wchar_t* text);
long _wtol(const wchar_t* text);
long long _wtoi64(const wchar_t* text);
/// Decimal or hexadecimal floating point, INF and NAN, "." as the decimal point whatever the
/// locale; 0.0 when nothing parses; +-HUGE_VAL with ERANGE on overflow.
double _wtof(const wchar_t* text);

/// Case-insensitive comparison (simple case folding to lower case, all of Unicode's letters).
int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t count);
/// Collation ignoring case; the stand-in's collation is the case-folded ordinal order.
int _wcsicoll(const wchar_t* a, const wchar_t* b);
errno_t _wcslwr_s(wchar_t* text, size_t size);
errno_t _wcsupr_s(wchar_t* text, size_t size);
wchar_t* _wcsdup(const wchar_t* text);
wchar_t* wcstok_s(wchar_t* text, const wchar_t* delimiters, wchar_t** context);

/// Copies with the terminator. EINVAL (null dest or size 0, or null src: dest emptied),
/// ERANGE when src does not fit (dest emptied).
errno_t wcscpy_s(wchar_t* dest, size_t size, const wchar_t* src);
/// At most count characters (_TRUNCATE: as many as fit, STRUNCATE when cut).
errno_t wcsncpy_s(wchar_t* dest, size_t size, const wchar_t* src, size_t count);
/// EINVAL when dest is not terminated within size, ERANGE when the result does not fit.
errno_t wcscat_s(wchar_t* dest, size_t size, const wchar_t* src);
#ifndef STRUNCATE
#define STRUNCATE 80
#endif

/// Formats with the Microsoft rules (%s wide, %S / %hs narrow; see CString::Format).
/// Returns the number of characters written; -1 with dest emptied when it does not fit.
int swprintf_s(wchar_t* dest, size_t size, const wchar_t* format, ...);
int vswprintf_s(wchar_t* dest, size_t size, const wchar_t* format, va_list args);
/// Writes at most count characters (_TRUNCATE: as many as fit); -1 when the output was cut.
int _snwprintf_s(wchar_t* dest, size_t size, size_t count, const wchar_t* format, ...);
int _vsnwprintf_s(wchar_t* dest, size_t size, size_t count, const wchar_t* format, va_list args);

/// Integer to text in radix 2..36 (negative values with "-" only in radix 10; otherwise as
/// unsigned). EINVAL for a bad radix or null buffer, ERANGE when it does not fit.
errno_t _itow_s(int value, wchar_t* dest, size_t size, int radix);
errno_t _ltow_s(long value, wchar_t* dest, size_t size, int radix);
errno_t _ultow_s(unsigned long value, wchar_t* dest, size_t size, int radix);
errno_t _i64tow_s(long long value, wchar_t* dest, size_t size, int radix);
errno_t _ui64tow_s(unsigned long long value, wchar_t* dest, size_t size, int radix);
/// Unbounded forms: dest must hold 33 characters (65 for the 64-bit ones).
wchar_t* _itow(int value, wchar_t* dest, int radix);

// The array forms of the Microsoft C++ headers.
template <size_t N>
errno_t wcscpy_s(wchar_t (&dest)[N], const wchar_t* src) { return wcscpy_s(dest, N, src); }
template <size_t N>
errno_t wcsncpy_s(wchar_t (&dest)[N], const wchar_t* src, size_t count) { return wcsncpy_s(dest, N, src, count); }
template <size_t N>
errno_t wcscat_s(wchar_t (&dest)[N], const wchar_t* src) { return wcscat_s(dest, N, src); }
template <size_t N, typename... Args>
int swprintf_s(wchar_t (&dest)[N], const wchar_t* format, Args... args) { return swprintf_s(dest, N, format, args...); }
template <size_t N, typename... Args>
int _snwprintf_s(wchar_t (&dest)[N], size_t count, const wchar_t* format, Args... args) {
    return _snwprintf_s(dest, N, count, format, args...);
}
template <size_t N>
errno_t _itow_s(int value, wchar_t (&dest)[N], int radix) { return _itow_s(value, dest, N, radix); }
template <size_t N>
errno_t _wcslwr_s(wchar_t (&text)[N]) { return _wcslwr_s(text, N); }
template <size_t N>
errno_t _wcsupr_s(wchar_t (&text)[N]) { return _wcsupr_s(text, N); }
