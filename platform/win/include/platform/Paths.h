// Windows paths on the Linux file system, as Wine maps them: drive letters name folders
// through a drive table (Z: is "/" unless changed), "\" and "/" both separate, and each
// component is matched without regard to letter case (the exact name is tried first; a
// folder is scanned only on a miss).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform {

/// Maps drive letter (A-Z, either case) to a Unix folder (made absolute; a trailing "/" is
/// dropped). An empty folder removes the mapping. false for a letter outside A-Z.
bool mapDrive(wchar_t letter, const std::string& unixFolder);
/// The Unix folder of a drive; empty when the drive is not mapped.
std::string driveFolder(wchar_t letter);

/// The Unix path of a Windows path. Relative paths are taken from the current folder,
/// "\X" from the current drive, "X:name" from drive X's root (or the current folder when it
/// lies on X). "." and ".." are resolved first, within the drive. Existing components are
/// replaced by their real names; from the first missing component on, the rest is kept as
/// given. "\\?\" prefixes are dropped. Empty for a null or empty path, an unmapped drive, or
/// a UNC path (\\server\share), which the stand-in does not reach.
std::string toUnixPath(std::wstring_view windowsPath);
/// The Windows path of a Unix path (absolute, or relative to the current folder): under the
/// mapped drive whose folder is the longest prefix of the path, else Z:. Backslashes.
std::wstring toWindowsPath(std::string_view unixPath);
/// GetFullPathNameW's result as a string (lexical, current folder for relative paths).
std::wstring fullWindowsPath(std::wstring_view path);
/// The Windows path with each existing component in its real letter case (the drive
/// letter and the missing part as given).
std::wstring realCaseWindowsPath(std::wstring_view windowsPath);

/// Whether a file name matches a search pattern by the Windows rules that FindFirstFileW
/// uses: "*" any run, "?" one character, letter case ignored, "*" and "*.*" match every
/// name, a trailing ".*" may also match nothing ("a.*" finds "a"), a trailing "." matches names
/// without a dot.
bool matchesWildcard(std::wstring_view pattern, std::wstring_view name);

/// The Win32 error code for an errno value (ENOENT -> ERROR_FILE_NOT_FOUND, EACCES ->
/// ERROR_ACCESS_DENIED, ENOSPC -> ERROR_DISK_FULL, ...).
DWORD errorFromErrno(int error);

}  // namespace platform
