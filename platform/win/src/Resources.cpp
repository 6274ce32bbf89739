// The Windows resource functions over the module resource registry: LoadStringW,
// FindResource and friends, UI language, version information of loaded modules.
#include <windows.h>
#include <win/Resources.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>

#include "ResourceRegistry.h"
#include "platform/ModuleHooks.h"
#include "platform/Session.h"

namespace platform {
int compareNoCase(std::wstring_view a, std::wstring_view b);
}  // namespace platform

namespace {

HMODULE moduleOrProgram(HMODULE module) { return module ? module : platform::executableModule(); }

// The module with resources whose file name (without folder) is that of path, or nullptr.
HMODULE moduleByFileName(LPCWSTR path) {
    if (!path)
        return nullptr;
    std::wstring name(path);
    const size_t cut = name.find_last_of(L"\\/");
    if (cut != std::wstring::npos)
        name.erase(0, cut + 1);
    for (HMODULE module : platform::res::modulesWithResources()) {
        std::wstring file = platform::fromUtf8(platform::moduleFilePath(module));
        const size_t slash = file.find_last_of(L'/');
        if (slash != std::wstring::npos)
            file.erase(0, slash + 1);
        if (platform::compareNoCase(file, name) == 0)
            return module;
    }
    return nullptr;
}

const platform::res::FoundResource* versionOf(LPCWSTR fileName) {
    const HMODULE module = moduleByFileName(fileName);
    if (!module)
        return nullptr;
    return platform::res::findResource(module, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), 0xFFFF);
}

}  // namespace

int WINAPI LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int maxLength) {
    if (!buffer || maxLength < 0)
        return 0;
    const platform::res::StringEntry* entry = platform::res::findString(moduleOrProgram(module), id);
    if (maxLength == 0) {
        *reinterpret_cast<const wchar_t**>(buffer) = entry ? entry->text : nullptr;
        return entry ? static_cast<int>(entry->length) : 0;
    }
    if (!entry) {
        buffer[0] = L'\0';
        return 0;
    }
    const size_t n = std::min<size_t>(entry->length, static_cast<size_t>(maxLength) - 1);
    std::wmemcpy(buffer, entry->text, n);
    buffer[n] = L'\0';
    return static_cast<int>(n);
}

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    return FindResourceExW(module, type, name, 0xFFFF);
}

HRSRC WINAPI FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    const auto* found = platform::res::findResource(moduleOrProgram(module), type, name, language);
    return reinterpret_cast<HRSRC>(const_cast<platform::res::FoundResource*>(found));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    if (!resource)
        return nullptr;
    return const_cast<void*>(reinterpret_cast<const platform::res::FoundResource*>(resource)->data);
}

LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
    if (!resource)
        return 0;
    return static_cast<DWORD>(reinterpret_cast<const platform::res::FoundResource*>(resource)->size);
}

BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }

LANGID WINAPI GetThreadUILanguage() { return platform::res::preferredLanguage(); }

LANGID WINAPI SetThreadUILanguage(LANGID language) {
    if (language == 0)
        language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    platform::res::setPreferredLanguage(language);
    return language;
}

LANGID WINAPI GetUserDefaultUILanguage() { return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); }
LANGID WINAPI GetSystemDefaultUILanguage() { return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); }

DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR fileName, LPDWORD handle) {
    if (handle)
        *handle = 0;
    const auto* version = versionOf(fileName);
    return version ? static_cast<DWORD>(version->size) : 0;
}

BOOL WINAPI GetFileVersionInfoW(LPCWSTR fileName, DWORD, DWORD length, LPVOID data) {
    const auto* version = versionOf(fileName);
    if (!version || !data || length < version->size)
        return FALSE;
    std::memcpy(data, version->data, version->size);
    return TRUE;
}
