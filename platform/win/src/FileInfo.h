// File-system facts in Windows terms, shared by the search, attribute and handle functions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <sys/stat.h>

namespace platform::detail {

FILETIME toFileTime(const struct timespec& time);
/// DIRECTORY for folders, else ARCHIVE; READONLY without the owner's write permission;
/// HIDDEN for names that start with a dot (but not "." and "..").
DWORD attributesFor(const struct stat& st, std::wstring_view name);
void fillFindData(const struct stat& st, std::wstring_view name, WIN32_FIND_DATAW& data);
/// ERROR_PATH_NOT_FOUND when the folder that should hold unixPath is missing, else
/// ERROR_FILE_NOT_FOUND (what Windows reports for a missing file or folder).
DWORD missingError(const std::string& unixPath);
/// The Unix path of a Windows path for an operation; sets ERROR_PATH_NOT_FOUND (or
/// ERROR_INVALID_PARAMETER for null) and returns false when it cannot be mapped.
bool mapPath(LPCWSTR windowsPath, std::string& unixPath);

}  // namespace platform::detail
