// Files and folders (kernel32, shlwapi): search, attributes, create/remove/move/copy,
// current folder and full paths, and file handles. Paths are Windows paths mapped to the
// Linux file system through the drive table (platform/Paths.h); every failure sets the
// thread's last error.
#pragma once

#include "win/Types.h"

typedef struct _WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
} WIN32_FIND_DATAW, *PWIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAW LPWIN32_FIND_DATA;

typedef struct _WIN32_FILE_ATTRIBUTE_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
} WIN32_FILE_ATTRIBUTE_DATA, *LPWIN32_FILE_ATTRIBUTE_DATA;
typedef enum _GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel } GET_FILEEX_INFO_LEVELS;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(-1))
#define INVALID_FILE_SIZE (static_cast<DWORD>(0xFFFFFFFF))
#define INVALID_SET_FILE_POINTER (static_cast<DWORD>(-1))

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400

#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008

#define GENERIC_READ 0x80000000
#define GENERIC_WRITE 0x40000000
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_FLAG_WRITE_THROUGH 0x80000000
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000
#define FILE_FLAG_RANDOM_ACCESS 0x10000000
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

/// Starts a search. The folder part of lpFileName is mapped like any path; the last part is
/// a pattern with the Windows wildcard rules: "*" any run, "?" one character, letter case
/// ignored, "*" and "*.*" match every name, a trailing ".*" may also match nothing ("a.*" finds "a");
/// a pattern without wildcards finds that one entry, case-insensitively. Entries come in the
/// order the file system reports them; a listing of a folder that is not a drive root starts
/// with "." and "..". INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches,
/// ERROR_PATH_NOT_FOUND when the folder does not exist.
HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
/// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);
BOOL FindClose(HANDLE hFindFile);

/// INVALID_FILE_ATTRIBUTES with ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND when missing.
/// Folders: DIRECTORY; files: ARCHIVE; READONLY without write permission for the owner;
/// HIDDEN for names that start with a dot.
DWORD GetFileAttributesW(LPCWSTR lpFileName);
BOOL GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation);
/// Only READONLY has an effect (clears or sets the write permission bits).
BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes);
/// ERROR_ALREADY_EXISTS when the entry exists, ERROR_PATH_NOT_FOUND when the parent is missing.
BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
/// ERROR_DIR_NOT_EMPTY for a folder that still holds entries.
BOOL RemoveDirectoryW(LPCWSTR lpPathName);
/// ERROR_ACCESS_DENIED for a folder.
BOOL DeleteFileW(LPCWSTR lpFileName);
/// Without MOVEFILE_REPLACE_EXISTING an existing target gives ERROR_ALREADY_EXISTS (checked
/// atomically); with it the target is replaced atomically (rename). Across file systems only
/// with MOVEFILE_COPY_ALLOWED (copy, then delete), else ERROR_NOT_SAME_DEVICE.
BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags);
BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName);
/// Copies contents and permissions. bFailIfExists: ERROR_FILE_EXISTS when the target exists.
/// A copy that fails half-way removes the partial target.
BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);
/// "<path>\<first 3 characters of prefix><hex number>.tmp". uUnique 0: a free number is
/// chosen and the empty file created; otherwise the name is only built. 0 on failure
/// (ERROR_DIRECTORY when lpPathName is not a folder). lpTempFileName holds MAX_PATH characters.
UINT GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique, LPWSTR lpTempFileName);
/// The temporary folder ($TMPDIR or /tmp) as a Windows path ending with a backslash.
DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
/// Length without terminator; when the buffer is too small, the size needed with terminator.
DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer);
BOOL SetCurrentDirectoryW(LPCWSTR lpPathName);
/// Lexical: relative paths are taken from the current folder, "/" becomes "\", "." and ".."
/// are resolved, repeated separators collapse; the file system is not consulted. Returns the
/// length without terminator, or the size needed with terminator when nBufferLength is too
/// small (buffer untouched). lpFilePart (may be null) points at the last component, or is
/// null when the path ends with a backslash.
DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR* lpFilePart);

/// File handles over POSIX descriptors. Sharing modes are accepted and not enforced.
HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
/// lpOverlapped must be null. A short write (disk full) fails with ERROR_DISK_FULL.
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
BOOL CloseHandle(HANDLE hObject);
DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
BOOL GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize);
DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod);
BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer, DWORD dwMoveMethod);
BOOL SetEndOfFile(HANDLE hFile);
BOOL FlushFileBuffers(HANDLE hFile);
BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime, LPFILETIME lpLastWriteTime);

// Path helpers (shlwapi).
BOOL PathFileExistsW(LPCWSTR pszPath);
BOOL PathIsDirectoryW(LPCWSTR pszPath);
/// The part after the last "\", "/" or ":" (the whole text when there is none).
LPWSTR PathFindFileNameW(LPCWSTR pszPath);
/// The last "." of the file name part and what follows, or the terminator when none.
LPWSTR PathFindExtensionW(LPCWSTR pszPath);
/// Cuts the last component (and its backslash, except after a drive root); TRUE when cut.
BOOL PathRemoveFileSpecW(LPWSTR pszPath);
/// Appends a backslash when missing (buffer of MAX_PATH); returns the terminator's address.
LPWSTR PathAddBackslashW(LPWSTR pszPath);
/// Joins with exactly one backslash (buffer of MAX_PATH); FALSE when the result would not fit.
BOOL PathAppendW(LPWSTR pszPath, LPCWSTR pszMore);
