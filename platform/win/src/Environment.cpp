// Environment variables and system folders. The Windows variables a Linux environment
// lacks (APPDATA, LOCALAPPDATA, USERPROFILE, TEMP, TMP) come from their XDG and POSIX
// counterparts, in Windows form.
#include "WinInternal.h"
#include "platform/Paths.h"
#include "platform/Session.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <pwd.h>
#include <unistd.h>

extern char** environ;

using namespace platform;
using namespace platform::detail;

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir)
        return user->pw_dir;
    return "/";
}

std::string xdgFolder(const char* variable, const char* fallback) {
    if (const char* value = std::getenv(variable); value && *value == '/')
        return value;
    return homeFolder() + fallback;
}

std::optional<std::wstring> fallback(std::wstring_view name) {
    if (equalsNoCase(name, L"APPDATA"))
        return toWindowsPath(xdgFolder("XDG_CONFIG_HOME", "/.config"));
    if (equalsNoCase(name, L"LOCALAPPDATA"))
        return toWindowsPath(xdgFolder("XDG_DATA_HOME", "/.local/share"));
    if (equalsNoCase(name, L"USERPROFILE"))
        return toWindowsPath(homeFolder());
    if (equalsNoCase(name, L"TEMP") || equalsNoCase(name, L"TMP")) {
        const char* tmp = std::getenv("TMPDIR");
        return toWindowsPath(tmp && *tmp ? tmp : "/tmp");
    }
    return std::nullopt;
}

}  // namespace

namespace platform::detail {

/// A variable's value: the environment (names without regard to case), then the fallbacks.
std::optional<std::wstring> environmentValue(std::wstring_view name) {
    if (name.empty())
        return std::nullopt;
    const std::string narrow = toUtf8(name);
    if (const char* value = std::getenv(narrow.c_str()))
        return fromUtf8(value);
    for (char** entry = environ; entry && *entry; ++entry) {
        const char* equals = std::strchr(*entry, '=');
        if (equals && equalsNoCase(fromUtf8(std::string_view(*entry, static_cast<size_t>(equals - *entry))), name))
            return fromUtf8(equals + 1);
    }
    return fallback(name);
}

}  // namespace platform::detail

DWORD ExpandEnvironmentStringsW(LPCWSTR lpSrc, LPWSTR lpDst, DWORD nSize) {
    if (!lpSrc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::wstring out;
    const std::wstring_view src(lpSrc);
    size_t i = 0;
    while (i < src.size()) {
        if (src[i] != L'%') {
            out += src[i++];
            continue;
        }
        const size_t close = src.find(L'%', i + 1);
        if (close == std::wstring_view::npos) {
            out += src.substr(i);
            break;
        }
        const std::wstring_view name = src.substr(i + 1, close - i - 1);
        if (auto value = environmentValue(name); value && !name.empty()) {
            out += *value;
            i = close + 1;
        } else if (name.empty()) {
            out += L'%';  // "%%": the first stays, the second may open a name
            i = close;
        } else {
            out += src.substr(i, close - i + 1);
            i = close + 1;
        }
    }
    const DWORD needed = static_cast<DWORD>(out.size() + 1);
    if (lpDst && needed <= nSize) {
        out.copy(lpDst, out.size());
        lpDst[out.size()] = L'\0';
    }
    return needed;
}

DWORD GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize) {
    if (!lpName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto value = environmentValue(lpName);
    if (!value) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    return copyOut(*value, lpBuffer, nSize);
}

BOOL SetEnvironmentVariableW(LPCWSTR lpName, LPCWSTR lpValue) {
    if (!lpName || !*lpName || std::wcschr(lpName, L'=')) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string name = toUtf8(lpName);
    const int result = lpValue ? setenv(name.c_str(), toUtf8(lpValue).c_str(), 1) : unsetenv(name.c_str());
    if (result != 0) {
        setLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

UINT GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize) { return copyOut(L"C:\\Windows", lpBuffer, uSize); }

UINT GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize) { return copyOut(L"C:\\Windows\\system32", lpBuffer, uSize); }
