// Thread error codes, the system's message texts and local memory (kernel32).
#pragma once

#include <cstdarg>

#include "win/Types.h"

#define ERROR_INVALID_FUNCTION 1L
#define ERROR_TOO_MANY_OPEN_FILES 4L
#define ERROR_INVALID_DATA 13L
#define ERROR_OUTOFMEMORY 14L
#define ERROR_INVALID_DRIVE 15L
#define ERROR_CURRENT_DIRECTORY 16L
#define ERROR_NOT_SAME_DEVICE 17L
#define ERROR_WRITE_PROTECT 19L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_HANDLE_EOF 38L
#define ERROR_HANDLE_DISK_FULL 39L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_FILE_EXISTS 80L
#define ERROR_CANNOT_MAKE 82L
#define ERROR_DISK_FULL 112L
#define ERROR_CALL_NOT_IMPLEMENTED 120L
#define ERROR_INVALID_NAME 123L
#define ERROR_NEGATIVE_SEEK 131L
#define ERROR_DIR_NOT_EMPTY 145L
#define ERROR_BAD_ARGUMENTS 160L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_BAD_EXE_FORMAT 193L
#define ERROR_ENVVAR_NOT_FOUND 203L
#define ERROR_FILENAME_EXCED_RANGE 206L
#define ERROR_DIRECTORY 267L
#define ERROR_MR_MID_NOT_FOUND 317L
#define ERROR_INVALID_FLAGS 1004L
#define ERROR_BADDB 1009L
#define ERROR_BADKEY 1010L
#define ERROR_CANTOPEN 1011L
#define ERROR_CANTREAD 1012L
#define ERROR_CANTWRITE 1013L
#define ERROR_KEY_DELETED 1018L
#define ERROR_DLL_INIT_FAILED 1114L
#define ERROR_CANCELLED 1223L

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF

#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)

/// The calling thread's last error code (thread-local, as on Windows).
DWORD GetLastError();
void SetLastError(DWORD code);

/// Formats a message. FROM_SYSTEM knows the texts of the common system error codes (each
/// ends with "\r\n"); FROM_STRING takes lpSource. Inserts %1..%99 are wide strings taken from
/// Arguments (a va_list*, or a DWORD_PTR array with ARGUMENT_ARRAY) unless IGNORE_INSERTS;
/// "%n" is CR LF, "%%" a percent sign. With ALLOCATE_BUFFER, lpBuffer is really an LPWSTR*
/// that receives a LocalAlloc block (free it with LocalFree); otherwise nSize is the buffer
/// size in characters. Returns the length without the terminator; 0 with
/// ERROR_MR_MID_NOT_FOUND for an unknown code, ERROR_INSUFFICIENT_BUFFER when nSize is too small.
DWORD FormatMessageW(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                     LPWSTR lpBuffer, DWORD nSize, va_list* Arguments);

/// Local memory over malloc. LocalFree returns nullptr on success (also for nullptr).
HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes);
HLOCAL LocalFree(HLOCAL hMem);
