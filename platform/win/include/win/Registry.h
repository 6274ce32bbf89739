// The registry (advapi32): keys and values of an in-memory hive that may be backed by a
// text file (see platform/Registry.h for the file format and how a process names the file).
// Key names compare without regard to case; value names too. Results are Windows error
// codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_MORE_DATA, ERROR_INVALID_HANDLE,
// ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER).
#pragma once

#include "win/Types.h"

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003u)))

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE 0x20019
#define KEY_ALL_ACCESS 0xF003F

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_OPTION_VOLATILE 0x00000001
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

/// Opens hKey\lpSubKey (null or empty: hKey itself again). ERROR_FILE_NOT_FOUND when the key
/// does not exist, ERROR_INVALID_HANDLE for a bad or closed hKey.
LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
/// Creates the key and any missing parents; *lpdwDisposition (may be null) tells
/// REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. hKey needs KEY_CREATE_SUB_KEY.
LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                        REGSAM samDesired, const SECURITY_ATTRIBUTES* lpSecurityAttributes, PHKEY phkResult,
                        LPDWORD lpdwDisposition);
/// Reads a value (null or empty name: the default value). Sizes are Windows sizes: a string
/// value counts 2 bytes per UTF-16 unit, with its terminator when it was stored with one,
/// and the caller's buffer holds *lpcbData / 2 wchar_t units (a WCHAR array sized as on
/// Windows: declare `wchar_t buffer[bytes / 2]`, not `bytes / sizeof(wchar_t)`, which is 4
/// here). A terminator is added after the text whenever the buffer has room for it. lpData null:
/// only *lpcbData is set. Buffer too small: ERROR_MORE_DATA with the size needed in *lpcbData,
/// the buffer untouched. Missing value: ERROR_FILE_NOT_FOUND. lpData without lpcbData:
/// ERROR_INVALID_PARAMETER. The key needs KEY_QUERY_VALUE.
LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData);
/// Stores a value. REG_SZ / REG_EXPAND_SZ data are wchar_t text; cbData counts 2 bytes per
/// unit and the text ends at the first NUL or after cbData / 2 units (so (len + 1) * 2 and
/// (len + 1) * sizeof(wchar_t) both store the text with its terminator; len * 2 without). Other types are raw
/// bytes. The key needs KEY_SET_VALUE. A file-backed hive is rewritten at once; when that
/// write fails the call returns ERROR_CANTWRITE (the value stays set in memory).
LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                       DWORD cbData);
/// Deletes a key without sub-keys (ERROR_ACCESS_DENIED when it has some). Handles still open
/// on it then fail with ERROR_KEY_DELETED.
LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);
LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);
/// Sub-key names in sorted order; ERROR_NO_MORE_ITEMS past the end; ERROR_MORE_DATA when the
/// name (with terminator, in characters) does not fit *lpcchName.
LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                      LPWSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
/// Predefined roots close successfully; a bad or already closed handle gives ERROR_INVALID_HANDLE.
LSTATUS RegCloseKey(HKEY hKey);
LSTATUS RegFlushKey(HKEY hKey);
