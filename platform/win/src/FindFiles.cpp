// Folder searches: FindFirstFileW / FindNextFileW / FindClose with the Windows wildcard rules.
#include "FileInfo.h"
#include "WinInternal.h"
#include "platform/Paths.h"
#include "platform/Session.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <vector>

namespace platform::detail {
namespace {

class FindObject : public KernelObject {
public:
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

bool hasWildcards(std::wstring_view pattern) { return pattern.find_first_of(L"*?") != std::wstring_view::npos; }

std::string join(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool statEntry(const std::string& path, struct stat& st) {
    return stat(path.c_str(), &st) == 0 || lstat(path.c_str(), &st) == 0;
}

}  // namespace

FILETIME toFileTime(const struct timespec& time) {
    // 100-nanosecond intervals since 1601-01-01.
    const long long ticks = (static_cast<long long>(time.tv_sec) + 11644473600LL) * 10000000LL + time.tv_nsec / 100;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(ticks) >> 32);
    return ft;
}

DWORD attributesFor(const struct stat& st, std::wstring_view name) {
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (!name.empty() && name[0] == L'.' && name != L"." && name != L"..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

void fillFindData(const struct stat& st, std::wstring_view name, WIN32_FIND_DATAW& data) {
    std::memset(&data, 0, sizeof data);
    data.dwFileAttributes = attributesFor(st, name);
    data.ftCreationTime = toFileTime(st.st_ctim);
    data.ftLastAccessTime = toFileTime(st.st_atim);
    data.ftLastWriteTime = toFileTime(st.st_mtim);
    if (!S_ISDIR(st.st_mode)) {
        const unsigned long long size = static_cast<unsigned long long>(st.st_size);
        data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
    }
    const size_t n = std::min(name.size(), static_cast<size_t>(MAX_PATH - 1));
    name.copy(data.cFileName, n);
    data.cFileName[n] = L'\0';
}

DWORD missingError(const std::string& unixPath) {
    std::string parent = unixPath;
    while (parent.size() > 1 && parent.back() == '/')
        parent.pop_back();
    const size_t slash = parent.rfind('/');
    parent = slash == 0 ? "/" : (slash == std::string::npos ? "." : parent.substr(0, slash));
    struct stat st {};
    if (stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return ERROR_PATH_NOT_FOUND;
    return ERROR_FILE_NOT_FOUND;
}

bool mapPath(LPCWSTR windowsPath, std::string& unixPath) {
    if (!windowsPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!*windowsPath) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    unixPath = toUnixPath(windowsPath);
    if (unixPath.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    return true;
}

}  // namespace platform::detail

using namespace platform;
using namespace platform::detail;

HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring_view path(lpFileName);
    const size_t cut = path.find_last_of(L"\\/");
    std::wstring folder;
    std::wstring pattern;
    if (cut != std::wstring_view::npos) {
        folder.assign(path.substr(0, cut + 1));
        pattern.assign(path.substr(cut + 1));
    } else if (path.size() >= 2 && path[1] == L':') {
        folder.assign(path.substr(0, 2));
        pattern.assign(path.substr(2));
    } else {
        folder = L".";
        pattern.assign(path);
    }
    if (pattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const std::string unixFolder = toUnixPath(folder);
    struct stat folderStat {};
    if (unixFolder.empty() || stat(unixFolder.c_str(), &folderStat) != 0 || !S_ISDIR(folderStat.st_mode)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }

    auto search = std::make_unique<FindObject>();
    auto add = [&](const std::string& unixName, const std::wstring& name) {
        struct stat st {};
        if (!statEntry(join(unixFolder, unixName), st))
            return;
        WIN32_FIND_DATAW data;
        fillFindData(st, name, data);
        search->entries.push_back(data);
    };

    if (!hasWildcards(pattern)) {
        // One entry: the exact name first, then a case-insensitive scan.
        const std::string exact = toUtf8(pattern);
        struct stat st {};
        if (pattern != L"." && pattern != L".." && lstat(join(unixFolder, exact).c_str(), &st) == 0) {
            add(exact, pattern);
        } else if (DIR* dir = opendir(unixFolder.c_str())) {
            while (dirent* entry = readdir(dir)) {
                const std::wstring name = fromUtf8(entry->d_name);
                if (equalsNoCase(name, pattern)) {
                    add(entry->d_name, name);
                    break;
                }
            }
            closedir(dir);
        }
    } else {
        DIR* dir = opendir(unixFolder.c_str());
        if (!dir) {
            setLastErrorFromErrno(errno);
            return INVALID_HANDLE_VALUE;
        }
        // Windows lists "." and ".." first, except at a drive's root.
        const std::wstring windowsFolder = fullWindowsPath(folder);
        const bool driveRoot = windowsFolder.size() <= 3;
        if (!driveRoot) {
            for (const char* dots : {".", ".."})
                if (matchesWildcard(pattern, fromUtf8(dots)))
                    add(dots, fromUtf8(dots));
        }
        while (dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
                continue;
            const std::wstring name = fromUtf8(entry->d_name);
            if (matchesWildcard(pattern, name))
                add(entry->d_name, name);
        }
        closedir(dir);
    }
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *lpFindFileData = search->entries[0];
    search->next = 1;
    SetLastError(ERROR_SUCCESS);
    return registerHandle(std::move(search));
}

BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
    auto* search = lookupHandleAs<FindObject>(hFindFile);
    if (!search || !lpFindFileData) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = search->entries[search->next++];
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
    if (!lookupHandleAs<FindObject>(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    releaseHandle(hFindFile);
    return TRUE;
}
