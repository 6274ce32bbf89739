// The shell without windows: ShellExecuteW, HtmlHelpW and the folder picker are recorded in
// the session transcript; the picker's answer is the next line of session input.
#include "WinInternal.h"
#include "platform/Paths.h"
#include "platform/Session.h"

#include <cstdlib>
#include <cstring>

using namespace platform;
using namespace platform::detail;

namespace {

constexpr char kPidlMagic[4] = {'T', 'V', 'P', 'I'};

// A folder item: the magic, the path (wchar_t, NUL-terminated), then an empty SHITEMID.
struct FolderItem {
    USHORT cb;
    char magic[4];
    wchar_t path[1];
};

PIDLIST_ABSOLUTE makeItem(const std::wstring& path) {
    const size_t itemSize = offsetof(FolderItem, path) + (path.size() + 1) * sizeof(wchar_t);
    auto* item = static_cast<FolderItem*>(CoTaskMemAlloc(itemSize + sizeof(USHORT)));
    if (!item)
        return nullptr;
    item->cb = static_cast<USHORT>(itemSize > 0xFFFF ? 0xFFFF : itemSize);
    std::memcpy(item->magic, kPidlMagic, sizeof kPidlMagic);
    path.copy(item->path, path.size());
    item->path[path.size()] = L'\0';
    const USHORT end = 0;
    std::memcpy(reinterpret_cast<char*>(item) + itemSize, &end, sizeof end);
    return reinterpret_cast<PIDLIST_ABSOLUTE>(item);
}

class TaskAllocator final : public IMalloc {
public:
    HRESULT QueryInterface(REFIID, void** object) override {
        if (!object)
            return E_POINTER;
        *object = this;
        return S_OK;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    void* Alloc(SIZE_T cb) override { return CoTaskMemAlloc(cb); }
    void* Realloc(void* pv, SIZE_T cb) override { return CoTaskMemRealloc(pv, cb); }
    void Free(void* pv) override { CoTaskMemFree(pv); }
    SIZE_T GetSize(void*) override { return static_cast<SIZE_T>(-1); }
    int DidAlloc(void*) override { return -1; }
    void HeapMinimize() override {}
};

bool hasFolderPart(const wchar_t* file) { return std::wcspbrk(file, L"\\/") != nullptr; }

bool isAbsolute(const wchar_t* file) {
    return file[0] == L'\\' || file[0] == L'/' || (file[0] && file[1] == L':');
}

}  // namespace

LPVOID CoTaskMemAlloc(SIZE_T cb) { return std::malloc(cb ? cb : 1); }

LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb) { return std::realloc(pv, cb ? cb : 1); }

void CoTaskMemFree(LPVOID pv) { std::free(pv); }

HINSTANCE ShellExecuteW(HWND, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory,
                        INT nShowCmd) {
    std::wstring details = L"verb=" + quoted(lpOperation) + L" file=" + quoted(lpFile) +
                           L" parameters=" + quoted(lpParameters) + L" directory=" + quoted(lpDirectory) +
                           L" show=" + std::to_wstring(nShowCmd);
    record(L"ShellExecute", details);
    if (!lpFile || !*lpFile)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_FNF));
    if (hasFolderPart(lpFile)) {
        std::wstring path = lpFile;
        if (!isAbsolute(lpFile) && lpDirectory && *lpDirectory)
            path = std::wstring(lpDirectory) + L"\\" + path;
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_FNF));
    }
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

PIDLIST_ABSOLUTE SHBrowseForFolderW(LPBROWSEINFOW lpbi) {
    record(L"BrowseForFolder", L"title=" + quoted(lpbi ? lpbi->lpszTitle : nullptr));
    std::wstring line;
    if (!nextInput(line))
        return nullptr;
    while (!line.empty() && (line.back() == L'\r' || line.back() == L'\n'))
        line.pop_back();
    if (line.empty() || equalsNoCase(line, L"ESC"))
        return nullptr;
    const DWORD attributes = GetFileAttributesW(line.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        record(L"BrowseForFolder", L"no folder " + quoted(line.c_str()));
        return nullptr;
    }
    std::wstring path = realCaseWindowsPath(fullWindowsPath(line));
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    if (lpbi && lpbi->pszDisplayName) {
        const size_t cut = path.find_last_of(L'\\');
        std::wstring name = path.size() > 3 && cut != std::wstring::npos ? path.substr(cut + 1) : path;
        name.resize(std::min<size_t>(name.size(), MAX_PATH - 1));
        name.copy(lpbi->pszDisplayName, name.size());
        lpbi->pszDisplayName[name.size()] = L'\0';
    }
    return makeItem(path);
}

BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pidl, LPWSTR pszPath) {
    if (!pszPath)
        return FALSE;
    pszPath[0] = L'\0';
    const auto* item = reinterpret_cast<const FolderItem*>(pidl);
    if (!item || std::memcmp(item->magic, kPidlMagic, sizeof kPidlMagic) != 0)
        return FALSE;
    const size_t length = std::wcslen(item->path);
    if (length + 1 > MAX_PATH)
        return FALSE;
    std::wmemcpy(pszPath, item->path, length + 1);
    return TRUE;
}

HRESULT SHGetMalloc(IMalloc** ppMalloc) {
    static TaskAllocator allocator;
    if (!ppMalloc)
        return E_POINTER;
    *ppMalloc = &allocator;
    return S_OK;
}

void ILFree(PIDLIST_ABSOLUTE pidl) { CoTaskMemFree(pidl); }

HRESULT SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD, LPWSTR pszPath) {
    if (!pszPath)
        return E_INVALIDARG;
    pszPath[0] = L'\0';
    const wchar_t* variable = nullptr;
    switch (csidl & ~CSIDL_FLAG_CREATE) {
    case CSIDL_APPDATA: variable = L"APPDATA"; break;
    case CSIDL_LOCAL_APPDATA: variable = L"LOCALAPPDATA"; break;
    case CSIDL_PROFILE:
    case CSIDL_PERSONAL: variable = L"USERPROFILE"; break;
    case CSIDL_WINDOWS: return copyOut(L"C:\\Windows", pszPath, MAX_PATH) < MAX_PATH ? S_OK : E_FAIL;
    default: return E_INVALIDARG;
    }
    const auto value = environmentValue(variable);
    if (!value || value->size() + 1 > MAX_PATH)
        return E_FAIL;
    copyOut(*value, pszPath, MAX_PATH);
    return S_OK;
}

HWND HtmlHelpW(HWND, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData) {
    if (uCommand == HH_CLOSE_ALL)
        return nullptr;
    std::wstring details = L"file=" + quoted(pszFile) + L" command=" + std::to_wstring(uCommand) + L" data=";
    if (uCommand == HH_DISPLAY_TOPIC)
        details += quoted(reinterpret_cast<const wchar_t*>(dwData));
    else
        details += std::to_wstring(dwData);
    record(L"HtmlHelp", details);
    return nullptr;
}
