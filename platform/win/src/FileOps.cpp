// File and folder operations of kernel32 and shlwapi over the mapped file system.
#include "FileInfo.h"
#include "WinInternal.h"
#include "platform/Paths.h"
#include "platform/Session.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace platform;
using namespace platform::detail;

namespace {

BOOL failErrno(int error, const std::string& unixPath = {}) {
    if (error == ENOENT && !unixPath.empty())
        SetLastError(missingError(unixPath));
    else
        setLastErrorFromErrno(error);
    return FALSE;
}

std::wstring lastComponent(std::wstring_view path) {
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.remove_suffix(1);
    const size_t cut = path.find_last_of(L"\\/:");
    return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

std::string parentOf(const std::string& unixPath) {
    const size_t slash = unixPath.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : unixPath.substr(0, slash);
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Copies a regular file's bytes, permissions and modification time. On failure the
// partial target is removed and errno describes the failure.
bool copyContents(const std::string& from, const std::string& to, bool failIfExists) {
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st {};
    if (fstat(in, &st) != 0) {
        const int e = errno;
        close(in);
        errno = e;
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        close(in);
        errno = EACCES;
        return false;
    }
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC),
                         (st.st_mode & 0777) | S_IWUSR);
    if (out < 0) {
        const int e = errno;
        close(in);
        errno = e;
        return false;
    }
    std::vector<char> buffer(1 << 16);
    bool ok = true;
    for (;;) {
        const ssize_t n = read(in, buffer.data(), buffer.size());
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(out, buffer.data() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    int e = errno;
    if (ok) {
        fchmod(out, st.st_mode & 07777);
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        futimens(out, times);
    }
    if (close(out) != 0 && ok) {
        ok = false;
        e = errno;
    }
    close(in);
    if (!ok) {
        unlink(to.c_str());
        errno = e;
    }
    return ok;
}

}  // namespace

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    std::string path;
    if (!mapPath(lpFileName, path))
        return INVALID_FILE_ATTRIBUTES;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) != 0) {
        failErrno(errno, path);
        return INVALID_FILE_ATTRIBUTES;
    }
    return attributesFor(st, lastComponent(lpFileName));
}

BOOL GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation) {
    if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string path;
    if (!mapPath(lpFileName, path))
        return FALSE;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) != 0)
        return failErrno(errno, path);
    WIN32_FIND_DATAW data;
    fillFindData(st, lastComponent(lpFileName), data);
    auto* info = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation);
    info->dwFileAttributes = data.dwFileAttributes;
    info->ftCreationTime = data.ftCreationTime;
    info->ftLastAccessTime = data.ftLastAccessTime;
    info->ftLastWriteTime = data.ftLastWriteTime;
    info->nFileSizeHigh = data.nFileSizeHigh;
    info->nFileSizeLow = data.nFileSizeLow;
    return TRUE;
}

BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes) {
    std::string path;
    if (!mapPath(lpFileName, path))
        return FALSE;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return failErrno(errno, path);
    mode_t mode = st.st_mode & 07777;
    if (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    if (chmod(path.c_str(), mode) != 0)
        return failErrno(errno, path);
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    std::string path;
    if (!mapPath(lpPathName, path))
        return FALSE;
    if (mkdir(path.c_str(), 0777) != 0) {
        if (errno == ENOENT)
            SetLastError(ERROR_PATH_NOT_FOUND);
        else
            setLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR lpPathName) {
    std::string path;
    if (!mapPath(lpPathName, path))
        return FALSE;
    if (rmdir(path.c_str()) != 0) {
        if (errno == ENOTDIR)
            SetLastError(ERROR_DIRECTORY);
        else if (errno == EEXIST)
            SetLastError(ERROR_DIR_NOT_EMPTY);
        else
            failErrno(errno, path);
        return FALSE;
    }
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR lpFileName) {
    std::string path;
    if (!mapPath(lpFileName, path))
        return FALSE;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return failErrno(errno, path);
    // Windows refuses folders and read-only files.
    if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(path.c_str()) != 0)
        return failErrno(errno, path);
    return TRUE;
}

BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
    std::string from, to;
    if (!mapPath(lpExistingFileName, from) || !mapPath(lpNewFileName, to))
        return FALSE;
    struct stat fromStat {}, toStat {};
    if (lstat(from.c_str(), &fromStat) != 0)
        return failErrno(errno, from);
    const bool targetExists = lstat(to.c_str(), &toStat) == 0;
    if (targetExists && sameFile(fromStat, toStat)) {
        // A change of letter case only: the target resolved to the source itself.
        to = parentOf(to) + "/" + toUtf8(lastComponent(lpNewFileName));
        if (rename(from.c_str(), to.c_str()) != 0)
            return failErrno(errno, to);
        return TRUE;
    }
    int result;
    if (dwFlags & MOVEFILE_REPLACE_EXISTING) {
        if (targetExists && S_ISDIR(toStat.st_mode)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        result = rename(from.c_str(), to.c_str());
    } else {
        result = renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // File systems without RENAME_NOREPLACE.
            if (targetExists) {
                errno = EEXIST;
                result = -1;
            } else {
                result = rename(from.c_str(), to.c_str());
            }
        }
    }
    if (result == 0)
        return TRUE;
    if (errno == EXDEV && (dwFlags & MOVEFILE_COPY_ALLOWED) && !S_ISDIR(fromStat.st_mode)) {
        if (!copyContents(from, to, !(dwFlags & MOVEFILE_REPLACE_EXISTING)))
            return failErrno(errno == EEXIST ? EEXIST : errno, to);
        if (unlink(from.c_str()) != 0)
            return failErrno(errno, from);
        return TRUE;
    }
    if (errno == ENOENT)
        SetLastError(ERROR_PATH_NOT_FOUND);
    else
        setLastErrorFromErrno(errno);
    return FALSE;
}

BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName) {
    return MoveFileExW(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
    std::string from, to;
    if (!mapPath(lpExistingFileName, from) || !mapPath(lpNewFileName, to))
        return FALSE;
    struct stat fromStat {}, toStat {};
    if (stat(from.c_str(), &fromStat) != 0)
        return failErrno(errno, from);
    if (stat(to.c_str(), &toStat) == 0) {
        if (bFailIfExists) {
            SetLastError(ERROR_FILE_EXISTS);
            return FALSE;
        }
        if (sameFile(fromStat, toStat)) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return FALSE;
        }
        if (S_ISDIR(toStat.st_mode) || !(toStat.st_mode & S_IWUSR)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
    }
    if (!copyContents(from, to, bFailIfExists)) {
        if (errno == EEXIST)
            SetLastError(ERROR_FILE_EXISTS);
        else if (errno == ENOENT)
            SetLastError(ERROR_PATH_NOT_FOUND);
        else
            setLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

UINT GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique, LPWSTR lpTempFileName) {
    if (!lpPathName || !lpTempFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string folder;
    if (!mapPath(lpPathName, folder))
        return 0;
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return 0;
    }
    std::wstring base(lpPathName);
    if (!base.empty() && base.back() != L'\\' && base.back() != L'/')
        base += L'\\';
    if (lpPrefixString)
        base += std::wstring_view(lpPrefixString).substr(0, 3);
    auto nameFor = [&](UINT number) {
        wchar_t hex[16];
        std::swprintf(hex, 16, L"%X.tmp", number);
        return base + hex;
    };
    auto store = [&](const std::wstring& name) -> bool {
        if (name.size() >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        name.copy(lpTempFileName, name.size());
        lpTempFileName[name.size()] = L'\0';
        return true;
    };
    if (uUnique != 0) {
        uUnique &= 0xFFFF;
        return store(nameFor(uUnique)) ? uUnique : 0;
    }
    UINT start = static_cast<UINT>((std::time(nullptr) ^ getpid()) & 0xFFFF);
    for (UINT i = 0; i < 0x10000; ++i) {
        UINT number = (start + i) & 0xFFFF;
        if (number == 0)
            continue;
        const std::wstring name = nameFor(number);
        if (name.size() >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return 0;
        }
        const std::string unixName = toUnixPath(name);
        const int fd = open(unixName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            store(name);
            return number;
        }
        if (errno != EEXIST) {
            setLastErrorFromErrno(errno);
            return 0;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
    const char* tmp = std::getenv("TMPDIR");
    std::wstring path = toWindowsPath(tmp && *tmp ? tmp : "/tmp");
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    return copyOut(path, lpBuffer, nBufferLength);
}

DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer) {
    return copyOut(fullWindowsPath(L"."), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectoryW(LPCWSTR lpPathName) {
    std::string path;
    if (!mapPath(lpPathName, path))
        return FALSE;
    if (chdir(path.c_str()) != 0) {
        if (errno == ENOTDIR)
            SetLastError(ERROR_DIRECTORY);
        else
            failErrno(errno, path);
        return FALSE;
    }
    return TRUE;
}

DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR* lpFilePart) {
    if (!lpFileName || !*lpFileName) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    const std::wstring full = fullWindowsPath(lpFileName);
    const DWORD result = copyOut(full, lpBuffer, nBufferLength);
    if (lpFilePart) {
        *lpFilePart = nullptr;
        if (result < nBufferLength && !full.empty() && full.back() != L'\\') {
            const size_t cut = full.find_last_of(L'\\');
            *lpFilePart = lpBuffer + (cut == std::wstring::npos ? 0 : cut + 1);
        }
    }
    return result;
}

BOOL PathFileExistsW(LPCWSTR pszPath) {
    if (!pszPath)
        return FALSE;
    return GetFileAttributesW(pszPath) != INVALID_FILE_ATTRIBUTES;
}

BOOL PathIsDirectoryW(LPCWSTR pszPath) {
    if (!pszPath)
        return FALSE;
    const DWORD attributes = GetFileAttributesW(pszPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TRUE : FALSE;
}

LPWSTR PathFindFileNameW(LPCWSTR pszPath) {
    if (!pszPath)
        return nullptr;
    const wchar_t* name = pszPath;
    for (const wchar_t* p = pszPath; *p; ++p)
        if ((*p == L'\\' || *p == L'/' || *p == L':') && p[1] && p[1] != L'\\' && p[1] != L'/')
            name = p + 1;
    return const_cast<LPWSTR>(name);
}

LPWSTR PathFindExtensionW(LPCWSTR pszPath) {
    if (!pszPath)
        return nullptr;
    const wchar_t* dot = nullptr;
    const wchar_t* p = pszPath;
    for (; *p; ++p) {
        if (*p == L'\\' || *p == L'/' || *p == L' ')
            dot = nullptr;
        else if (*p == L'.')
            dot = p;
    }
    return const_cast<LPWSTR>(dot ? dot : p);
}

BOOL PathRemoveFileSpecW(LPWSTR pszPath) {
    if (!pszPath)
        return FALSE;
    wchar_t* cut = nullptr;
    wchar_t* p = pszPath;
    for (; *p; ++p)
        if (*p == L'\\' || *p == L'/')
            cut = p;
    if (!cut) {
        if (pszPath[0] && pszPath[1] == L':' && pszPath[2] == L'\0')
            return FALSE;
        const bool changed = *pszPath != L'\0';
        *pszPath = L'\0';
        return changed;
    }
    // Keep the backslash of a root ("C:\", "\").
    if (cut == pszPath || (cut == pszPath + 2 && pszPath[1] == L':')) {
        if (cut[1] == L'\0')
            return FALSE;
        cut[1] = L'\0';
        return TRUE;
    }
    *cut = L'\0';
    return TRUE;
}

LPWSTR PathAddBackslashW(LPWSTR pszPath) {
    if (!pszPath)
        return nullptr;
    size_t length = std::wcslen(pszPath);
    if (length > 0 && pszPath[length - 1] != L'\\') {
        if (length + 1 >= MAX_PATH)
            return nullptr;
        pszPath[length++] = L'\\';
        pszPath[length] = L'\0';
    }
    return pszPath + length;
}

BOOL PathAppendW(LPWSTR pszPath, LPCWSTR pszMore) {
    if (!pszPath || !pszMore)
        return FALSE;
    while (*pszMore == L'\\')
        ++pszMore;
    std::wstring result(pszPath);
    if (!result.empty() && result.back() != L'\\' && *pszMore)
        result += L'\\';
    result += pszMore;
    if (result.size() >= MAX_PATH)
        return FALSE;
    result.copy(pszPath, result.size());
    pszPath[result.size()] = L'\0';
    return TRUE;
}
