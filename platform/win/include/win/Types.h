// Structures and small types that several Windows API topics share.
#pragma once

#include <windows.h>

typedef const wchar_t* PCWSTR;
typedef wchar_t* PWSTR;
typedef HANDLE HLOCAL;
typedef LONG LSTATUS;
typedef UINT* PUINT;
typedef UINT* LPUINT;
typedef BYTE* PBYTE;
typedef BYTE BOOLEAN;
typedef void* PVOID;
typedef DWORD* PDWORD;
typedef LONG* LPLONG;
typedef WORD* LPWORD;
typedef BOOL* LPBOOL;

#ifndef PASCAL
#define PASCAL
#endif

#ifndef TEXT
#define TEXT(s) L##s
#endif
#ifndef MAKEINTRESOURCEA
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#endif

typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef union _LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
} LARGE_INTEGER, *PLARGE_INTEGER;

/// Asynchronous I/O is not supported; the structure exists for the signatures only.
typedef struct _OVERLAPPED {
    ULONG_PTR Internal;
    ULONG_PTR InternalHigh;
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
} OVERLAPPED, *LPOVERLAPPED;
