// Calls that open nothing on this host and are recorded instead (the script interpreter's
// queue, context help), and the file search of the editor.
#include <windows.h>

#include <cwchar>
#include <string>

#include "HostSessionState.h"
#include "zcedads.h"

int zds_queueexpr(const ZTCHAR* expression) {
    if (!expression || !*expression)
        return RTERROR;
    host::detail::records().queue.emplace_back(expression);
    host::detail::records().pending.emplace_back(expression);
    return RTNORM;
}

int zcedSetFunHelp(const ZTCHAR* functionName, const ZTCHAR* helpFile, const ZTCHAR* topic,
                   int command) {
    if (!functionName || !*functionName)
        return RTERROR;
    host::detail::records().help.push_back(
        {functionName, helpFile ? helpFile : L"", topic ? topic : L"", command});
    return RTNORM;
}

namespace {

bool isAbsolute(std::wstring_view path) {
    return (path.size() >= 2 && path[1] == L':') || (!path.empty() && (path[0] == L'\\' || path[0] == L'/'));
}

std::wstring windowsForm(std::wstring path) {
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

/// The path as searched with the entry's real name, when a file (not a folder) is there.
bool probe(const std::wstring& candidate, std::wstring& found) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(candidate.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    const std::wstring path = windowsForm(candidate);
    const size_t slash = path.find_last_of(L'\\');
    found = (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) +
            data.cFileName;
    return true;
}

}  // namespace

int zcedFindFile(const ZTCHAR* name, ZTCHAR* result, size_t bufLen) {
    if (!name || !*name || !result || bufLen == 0)
        return RTERROR;
    const std::wstring wanted = name;
    if (wanted.find_first_of(L"*?") != std::wstring::npos)
        return RTERROR;
    std::wstring found;
    bool ok = false;
    if (isAbsolute(wanted)) {
        ok = probe(wanted, found);
    } else {
        std::vector<std::wstring> folders;
        wchar_t current[MAX_PATH];
        const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
        if (length > 0 && length < MAX_PATH)
            folders.emplace_back(current);
        for (const std::wstring& folder : host::detail::records().supportPaths)
            folders.push_back(folder);
        for (const std::wstring& folder : folders) {
            std::wstring candidate = folder;
            if (!candidate.empty() && candidate.back() != L'\\' && candidate.back() != L'/')
                candidate += L'\\';
            if ((ok = probe(candidate + wanted, found)))
                break;
        }
    }
    if (!ok || found.size() + 1 > bufLen)
        return RTERROR;
    std::wmemcpy(result, found.c_str(), found.size() + 1);
    return RTNORM;
}
