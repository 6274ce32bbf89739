// The Windows API as far as the plug-in and the host use it: base types, constants and the
// declarations of the stand-in functions (registry, modules, files, shell, GDI, messages).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cwchar>

// ---------------------------------------------------------------------------------------
// Base types (LP64 Linux: LONG stays 32-bit as on Windows).
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int32_t INT;
typedef uint32_t UINT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef wchar_t WCHAR;
typedef wchar_t TCHAR;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef size_t SIZE_T;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef LONG HRESULT;
typedef DWORD COLORREF;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HANDLE;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef LONG* PLONG;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef wchar_t* LPWSTR;
typedef const wchar_t* LPCWSTR;
typedef wchar_t* LPTSTR;
typedef const wchar_t* LPCTSTR;
typedef WORD LANGID;
typedef DWORD LCID;
typedef DWORD ACCESS_MASK;
typedef ACCESS_MASK REGSAM;

#define DECLARE_STANDIN_HANDLE(name) \
    struct name##__ {                \
        int unused;                  \
    };                               \
    typedef struct name##__* name

DECLARE_STANDIN_HANDLE(HKEY);
DECLARE_STANDIN_HANDLE(HINSTANCE);
DECLARE_STANDIN_HANDLE(HWND);
DECLARE_STANDIN_HANDLE(HDC);
DECLARE_STANDIN_HANDLE(HBITMAP);
DECLARE_STANDIN_HANDLE(HICON);
DECLARE_STANDIN_HANDLE(HBRUSH);
DECLARE_STANDIN_HANDLE(HPEN);
DECLARE_STANDIN_HANDLE(HFONT);
DECLARE_STANDIN_HANDLE(HPALETTE);
DECLARE_STANDIN_HANDLE(HMENU);
DECLARE_STANDIN_HANDLE(HRSRC);
DECLARE_STANDIN_HANDLE(HGLOBAL__);
typedef HINSTANCE HMODULE;
typedef HANDLE HGDIOBJ;
typedef HKEY* PHKEY;
typedef HICON HCURSOR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL nullptr
#endif

#define MAX_PATH 260
#define WINAPI
#define CALLBACK
#define APIENTRY
#define __stdcall
#define __cdecl
#define _In_
#define _Out_
#define _In_opt_
#define _Inout_
#define _Out_opt_
#define _Printf_format_string_

#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEW
#define IS_INTRESOURCE(r) ((reinterpret_cast<ULONG_PTR>(r) >> 16) == 0)
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))
#define MAKELONG(a, b) (static_cast<LONG>((static_cast<WORD>(a)) | (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define RGB(r, g, b) (static_cast<COLORREF>((static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8)) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(rgb) (static_cast<BYTE>(rgb))
#define GetGValue(rgb) (static_cast<BYTE>((static_cast<WORD>(rgb)) >> 8))
#define GetBValue(rgb) (static_cast<BYTE>((rgb) >> 16))

#define S_OK (static_cast<HRESULT>(0L))
#define S_FALSE (static_cast<HRESULT>(1L))
#define E_FAIL (static_cast<HRESULT>(0x80004005L))
#define SUCCEEDED(hr) ((static_cast<HRESULT>(hr)) >= 0)
#define FAILED(hr) ((static_cast<HRESULT>(hr)) < 0)

// Error codes (winerror).
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_MORE_DATA 234L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_ALREADY_EXISTS 183L

// The declarations of the stand-in functions live in the headers below; each is part of
// the platform shared library.
#if __has_include("win/WinApi.h")
#include "win/WinApi.h"
#endif
