// Modules (kernel32) over dlopen: a module handle is the module's load base address, as on
// Windows (platform::moduleForAddress gives it for any address inside a module).
#pragma once

#include "win/Types.h"

typedef INT_PTR (*FARPROC)();

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

#define DONT_RESOLVE_DLL_REFERENCES 0x00000001
#define LOAD_LIBRARY_AS_DATAFILE 0x00000002
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x00000008

/// Loads a module (RTLD_NOW | RTLD_LOCAL). A path is mapped like any Windows path; a bare
/// name (".dll" added when it has no extension) is first a built-in system module
/// (kernel32, user32, gdi32, shell32, shlwapi, advapi32, comctl32, ole32, gdiplus,
/// hhctrl.ocx), then an already loaded module of that file name, then a file in the main
/// program's folder or the current folder. Loading the same module again returns the same
/// handle and counts a reference. On the first load the module's exported DllMain runs with
/// DLL_PROCESS_ATTACH, then the class library's attach step (platform::runModuleAttach); a
/// FALSE from either unloads the module and fails with ERROR_DLL_INIT_FAILED. Other
/// failures: ERROR_MOD_NOT_FOUND (missing file or dependency), ERROR_BAD_EXE_FORMAT (not a
/// shared object); platform::lastModuleError() has the loader's message.
HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
/// The flags are ignored (LOAD_LIBRARY_AS_DATAFILE loads the module normally).
HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);
/// Drops one reference; at zero the class library's detach step, DllMain(DLL_PROCESS_DETACH)
/// and dlclose. FALSE with ERROR_INVALID_HANDLE for a handle LoadLibraryW did not give.
BOOL FreeLibrary(HMODULE hLibModule);
/// An export by its 8-bit name, or by ordinal (MAKEINTRESOURCEA) for built-in modules.
/// Only symbols defined in that module count. nullptr with ERROR_PROC_NOT_FOUND.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
/// A loaded module by file name (case-insensitive; ".dll" added when there is no
/// extension) or by full path; modules the process loaded by other means count too.
/// nullptr: the main program. nullptr with ERROR_MOD_NOT_FOUND when none matches.
HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
/// The module's full path in Windows form (a mapped drive when one holds it, else Z:).
/// nSize in characters: when the path does not fit it is cut to nSize - 1 characters plus
/// the terminator, nSize is returned and the last error is ERROR_INSUFFICIENT_BUFFER.
/// 0 with ERROR_MOD_NOT_FOUND for an unknown handle.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
/// Nothing to do here (no thread notifications are sent); TRUE.
BOOL DisableThreadLibraryCalls(HMODULE hLibModule);
