// Resource and version-information functions of the Windows API (string tables, resource
// lookup, VERSIONINFO), with the language identifiers they use.
#pragma once

#include <windows.h>

typedef HANDLE HGLOBAL;
typedef UINT* PUINT;

// Predefined resource types.
#define RT_CURSOR MAKEINTRESOURCEW(1)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_MENU MAKEINTRESOURCEW(4)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_FONTDIR MAKEINTRESOURCEW(7)
#define RT_FONT MAKEINTRESOURCEW(8)
#define RT_ACCELERATOR MAKEINTRESOURCEW(9)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_MESSAGETABLE MAKEINTRESOURCEW(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCEW(12)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)
#define RT_VERSION MAKEINTRESOURCEW(16)
#define RT_DLGINCLUDE MAKEINTRESOURCEW(17)
#define RT_HTML MAKEINTRESOURCEW(23)
#define RT_MANIFEST MAKEINTRESOURCEW(24)

// Language identifiers.
#define MAKELANGID(p, s) (static_cast<WORD>((static_cast<WORD>(s) << 10) | static_cast<WORD>(p)))
#define PRIMARYLANGID(lgid) (static_cast<WORD>(lgid) & 0x3ff)
#define SUBLANGID(lgid) (static_cast<WORD>(lgid) >> 10)
#define LANG_NEUTRAL 0x00
#define LANG_INVARIANT 0x7f
#define LANG_ENGLISH 0x09
#define LANG_GERMAN 0x07
#define LANG_FRENCH 0x0c
#define LANG_POLISH 0x15
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_ENGLISH_US 0x01
#define SUBLANG_ENGLISH_UK 0x02
#define SUBLANG_POLISH_POLAND 0x01

/// Copies string id of module into buffer (at most maxLength - 1 characters and a
/// terminator) and returns its length; with maxLength 0 stores a read-only pointer to the
/// text in *(LPWSTR*)buffer instead. 0 when the module holds no such string.
int WINAPI LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int maxLength);

/// The resource of that name and type in module, in the preferred language; nullptr if
/// absent. String tables are not reachable this way (use LoadStringW).
HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC WINAPI FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL data);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
BOOL WINAPI FreeResource(HGLOBAL data);

/// The user-interface language that resource lookups prefer (US English by default).
LANGID WINAPI GetThreadUILanguage();
LANGID WINAPI SetThreadUILanguage(LANGID language);
LANGID WINAPI GetUserDefaultUILanguage();
LANGID WINAPI GetSystemDefaultUILanguage();

// ---------------------------------------------------------------------------------------
// Version information.
#define VS_VERSION_INFO 1
#define VS_FFI_SIGNATURE 0xFEEF04BDL
#define VS_FFI_STRUCVERSION 0x00010000L
#define VS_FFI_FILEFLAGSMASK 0x0000003FL
#define VS_FF_DEBUG 0x00000001L
#define VS_FF_PRERELEASE 0x00000002L
#define VS_FF_PATCHED 0x00000004L
#define VS_FF_PRIVATEBUILD 0x00000008L
#define VS_FF_INFOINFERRED 0x00000010L
#define VS_FF_SPECIALBUILD 0x00000020L
#define VOS_UNKNOWN 0x00000000L
#define VOS_NT 0x00040000L
#define VOS__WINDOWS32 0x00000004L
#define VOS_NT_WINDOWS32 0x00040004L
#define VFT_UNKNOWN 0x00000000L
#define VFT_APP 0x00000001L
#define VFT_DLL 0x00000002L
#define VFT_DRV 0x00000003L
#define VFT_FONT 0x00000004L
#define VFT_STATIC_LIB 0x00000007L
#define VFT2_UNKNOWN 0x00000000L

/// The fixed part of a version resource (VerQueryValueW with "\").
struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

/// The size of the version information of a loaded module, found by its file name (the
/// folder is not compared); 0 when the module is not loaded or has no version resource.
DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR fileName, LPDWORD handle);
/// Copies the version information into data; FALSE when it is missing or does not fit.
BOOL WINAPI GetFileVersionInfoW(LPCWSTR fileName, DWORD handle, DWORD length, LPVOID data);
/// Finds a value in a block that GetFileVersionInfoW filled: "\" gives the
/// VS_FIXEDFILEINFO, "\VarFileInfo\Translation" the language and code page pairs,
/// "\StringFileInfo\041504b0\FileDescription" a text (length in characters with the
/// terminator). FALSE and a zero length when the path does not exist.
BOOL WINAPI VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT length);
