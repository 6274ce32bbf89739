// Environment variables and the system folders (kernel32).
#pragma once

#include "win/Types.h"

/// Replaces every %NAME% by the variable's value (names without regard to case); unknown
/// names stay as written, a lone "%" stays. APPDATA is the APPDATA variable when set (a
/// Windows path), else the XDG configuration folder ($XDG_CONFIG_HOME, else $HOME/.config)
/// in Windows form; LOCALAPPDATA, USERPROFILE, TEMP and TMP have Linux fallbacks the same
/// way. Returns the size needed including the terminator, in characters; when that exceeds
/// nSize nothing is written. 0 for a null source.
DWORD ExpandEnvironmentStringsW(LPCWSTR lpSrc, LPWSTR lpDst, DWORD nSize);
/// Length without terminator; when too small the size needed with terminator; 0 with
/// ERROR_ENVVAR_NOT_FOUND when unset (the fallbacks above count as set).
DWORD GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize);
/// lpValue null removes the variable.
BOOL SetEnvironmentVariableW(LPCWSTR lpName, LPCWSTR lpValue);
/// "C:\Windows" (a name only; nothing lies there). Same size rules as GetCurrentDirectoryW.
UINT GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize);
UINT GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize);
