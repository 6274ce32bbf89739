// Modules over dlopen: LoadLibraryW, FreeLibrary, GetProcAddress, GetModuleHandleW and
// GetModuleFileNameW. A module handle is the module's load base address (ModuleHooks.h);
// the built-in system modules have handles of their own that lie inside this library.
#include "WinInternal.h"
#include "platform/ModuleHooks.h"
#include "platform/Modules.h"
#include "platform/Paths.h"
#include "platform/Session.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace platform;
using namespace platform::detail;

namespace {

using DllMainFunction = BOOL (*)(HINSTANCE, DWORD, LPVOID);

// A system module of Windows that the stand-in provides itself.
struct BuiltinModule {
    const wchar_t* name;
    int padding;
};

BuiltinModule builtins[] = {
    {L"kernel32.dll", 0}, {L"user32.dll", 0},   {L"gdi32.dll", 0},    {L"shell32.dll", 0},
    {L"shlwapi.dll", 0},  {L"advapi32.dll", 0}, {L"comctl32.dll", 0}, {L"ole32.dll", 0},
    {L"gdiplus.dll", 0},  {L"hhctrl.ocx", 0},   {L"ntdll.dll", 0},    {L"version.dll", 0},
};

const BuiltinModule* builtinFor(HMODULE handle) {
    for (const auto& b : builtins)
        if (reinterpret_cast<HMODULE>(const_cast<BuiltinModule*>(&b)) == handle)
            return &b;
    return nullptr;
}

HMODULE builtinNamed(std::wstring_view name) {
    for (auto& b : builtins)
        if (equalsNoCase(b.name, name))
            return reinterpret_cast<HMODULE>(&b);
    return nullptr;
}

struct Module {
    void* library = nullptr;  // the dlopen handle this loader holds
    std::string path;         // canonical Unix path
    int references = 0;
    bool dllMainAttached = false;
    unsigned long sequence = 0;
};

struct Loader {
    std::recursive_mutex mutex;
    std::map<HMODULE, Module> modules;
    unsigned long nextSequence = 1;
};

Loader& loader() {
    static Loader instance;
    return instance;
}

thread_local std::string lastError;

// One loaded object of the process as the dynamic linker reports it.
struct LoadedObject {
    HMODULE base;
    std::string path;
};

std::string executablePath() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    buffer[n] = '\0';
    return buffer;
}

std::string canonical(const std::string& path) {
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

std::vector<LoadedObject> loadedObjects() {
    std::vector<LoadedObject> objects;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) -> int {
            auto* list = static_cast<std::vector<LoadedObject>*>(data);
            const void* inside = nullptr;
            for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type == PT_LOAD) {
                    inside = reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
                    break;
                }
            }
            const HMODULE base = moduleForAddress(inside);
            if (!base)
                return 0;
            std::string path = info->dlpi_name ? info->dlpi_name : "";
            if (list->empty() && path.empty())
                path = executablePath();
            if (path.find('/') == std::string::npos)
                return 0;  // the vDSO and the like
            list->push_back({base, canonical(path)});
            return 0;
        },
        &objects);
    return objects;
}

std::string pathOf(HMODULE module) {
    if (!module)
        module = executableModule();
    {
        std::lock_guard lock(loader().mutex);
        auto it = loader().modules.find(module);
        if (it != loader().modules.end())
            return it->second.path;
    }
    for (const auto& object : loadedObjects())
        if (object.base == module)
            return object.path;
    return {};
}

HMODULE baseOfLibrary(void* library) {
    link_map* map = nullptr;
    if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || !map)
        return nullptr;
    return moduleForAddress(map->l_ld);
}

std::wstring fileNameOf(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\/");
    return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

// The Windows rule for module names: no extension means ".dll"; a trailing dot means none.
std::wstring withDefaultExtension(std::wstring name) {
    if (!name.empty() && name.back() == L'.') {
        name.pop_back();
        return name;
    }
    if (fileNameOf(name).find(L'.') == std::wstring::npos)
        name += L".dll";
    return name;
}

bool isFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isElf(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char magic[4] = {};
    const bool elf = read(fd, magic, 4) == 4 && std::memcmp(magic, "\x7F" "ELF", 4) == 0;
    close(fd);
    return elf;
}

// A symbol that the module itself defines (dlsym also searches its dependencies).
void* ownSymbol(void* library, HMODULE module, const char* name) {
    void* symbol = dlsym(library, name);
    return symbol && moduleForAddress(symbol) == module ? symbol : nullptr;
}

DllMainFunction dllMainOf(void* library, HMODULE module) {
    void* symbol = ownSymbol(library, module, "DllMain");
    if (!symbol)
        symbol = ownSymbol(library, module, "_Z7DllMainP11HINSTANCE__jPv");
    return reinterpret_cast<DllMainFunction>(symbol);
}

void unload(HMODULE handle, Module& module) {
    runModuleDetach(handle);
    if (module.dllMainAttached)
        if (DllMainFunction dllMain = dllMainOf(module.library, handle))
            dllMain(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_DETACH, nullptr);
    dlclose(module.library);
}

HMODULE loadPath(const std::string& unixPath) {
    const std::string path = canonical(unixPath);
    if (!isFile(path)) {
        lastError = path + ": no such file";
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* message = dlerror();
        lastError = message ? message : "dlopen failed";
        SetLastError(isElf(path) ? ERROR_MOD_NOT_FOUND : ERROR_BAD_EXE_FORMAT);
        return nullptr;
    }
    const HMODULE handle = baseOfLibrary(library);
    if (!handle) {
        dlclose(library);
        lastError = path + ": no module base";
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    Loader& l = loader();
    auto existing = l.modules.find(handle);
    if (existing != l.modules.end()) {
        ++existing->second.references;
        dlclose(library);  // the loader keeps one dlopen reference per module
        return handle;
    }
    Module& module = l.modules[handle];
    module.library = library;
    module.path = path;
    module.references = 1;
    module.sequence = l.nextSequence++;
    // Registered before the attach steps so that the module can find itself during them.
    bool ok = true;
    if (DllMainFunction dllMain = dllMainOf(library, handle)) {
        ok = dllMain(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_ATTACH, nullptr) != FALSE;
        module.dllMainAttached = ok;
    }
    if (ok && !runModuleAttach(handle)) {
        ok = false;
        unload(handle, module);
        l.modules.erase(handle);
    } else if (!ok) {
        dlclose(library);
        l.modules.erase(handle);
    }
    if (!ok) {
        lastError = path + ": module initialisation failed";
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return handle;
}

}  // namespace

namespace platform {

std::wstring builtinModuleName(HMODULE module) {
    const BuiltinModule* b = builtinFor(module);
    return b ? std::wstring(b->name) : std::wstring();
}

std::string lastModuleError() { return lastError; }

void freeAllModules() {
    std::lock_guard lock(loader().mutex);
    Loader& l = loader();
    while (!l.modules.empty()) {
        auto newest = l.modules.begin();
        for (auto it = l.modules.begin(); it != l.modules.end(); ++it)
            if (it->second.sequence > newest->second.sequence)
                newest = it;
        const HMODULE handle = newest->first;
        Module module = newest->second;
        l.modules.erase(newest);
        unload(handle, module);
    }
}

}  // namespace platform

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) {
    if (!lpLibFileName || !*lpLibFileName) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard lock(loader().mutex);
    const std::wstring name = withDefaultExtension(lpLibFileName);
    if (name.find_first_of(L"\\/") != std::wstring::npos) {
        const std::string unixPath = toUnixPath(name);
        if (unixPath.empty()) {
            lastError = "unmapped path";
            SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        return loadPath(unixPath);
    }
    if (HMODULE builtin = builtinNamed(name))
        return builtin;
    // A loaded module of that name, then the program's folder, the current folder, and
    // finally the dynamic linker's own search.
    for (const auto& [handle, module] : loader().modules)
        if (equalsNoCase(fileNameOf(fromUtf8(module.path)), name))
            return loadPath(module.path);
    for (const auto& object : loadedObjects())
        if (equalsNoCase(fileNameOf(fromUtf8(object.path)), name))
            return loadPath(object.path);
    const std::wstring programFolder = toWindowsPath(executablePath());
    for (const std::wstring& folder : {programFolder.substr(0, programFolder.find_last_of(L'\\')), fullWindowsPath(L".")}) {
        const std::string candidate = toUnixPath(folder + L"\\" + name);
        if (isFile(candidate))
            return loadPath(candidate);
    }
    void* library = dlopen(toUtf8(name).c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    if (!library)
        library = dlopen(toUtf8(name).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* message = dlerror();
        lastError = message ? message : "not found";
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    link_map* map = nullptr;
    std::string path;
    if (dlinfo(library, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name)
        path = map->l_name;
    const HMODULE handle = path.empty() ? nullptr : loadPath(path);
    dlclose(library);
    return handle;
}

HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE, DWORD) { return LoadLibraryW(lpLibFileName); }

BOOL FreeLibrary(HMODULE hLibModule) {
    if (builtinFor(hLibModule))
        return TRUE;
    std::lock_guard lock(loader().mutex);
    Loader& l = loader();
    auto it = l.modules.find(hLibModule);
    if (it == l.modules.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--it->second.references > 0)
        return TRUE;
    Module module = it->second;
    l.modules.erase(it);
    unload(hLibModule, module);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    if (!lpProcName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (const BuiltinModule* b = builtinFor(hModule)) {
        if (IS_INTRESOURCE(lpProcName)) {
            const auto ordinal = reinterpret_cast<ULONG_PTR>(lpProcName);
            if (equalsNoCase(b->name, L"hhctrl.ocx") && (ordinal == 15 || ordinal == 14))
                return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&HtmlHelpW));
            SetLastError(ERROR_PROC_NOT_FOUND);
            return nullptr;
        }
        // Any function of the stand-in answers for the system modules.
        const HMODULE self = moduleForAddress(reinterpret_cast<const void*>(&GetProcAddress));
        Dl_info info{};
        dladdr(reinterpret_cast<const void*>(&GetProcAddress), &info);
        void* library = info.dli_fname ? dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD) : nullptr;
        void* symbol = library ? ownSymbol(library, self, lpProcName) : nullptr;
        if (library)
            dlclose(library);
        if (!symbol)
            SetLastError(ERROR_PROC_NOT_FOUND);
        return reinterpret_cast<FARPROC>(symbol);
    }
    if (IS_INTRESOURCE(lpProcName)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    const HMODULE module = hModule ? hModule : executableModule();
    void* library = nullptr;
    {
        std::lock_guard lock(loader().mutex);
        auto it = loader().modules.find(module);
        if (it != loader().modules.end())
            library = dlopen(it->second.path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    }
    if (!library) {
        if (module == executableModule()) {
            library = dlopen(nullptr, RTLD_NOW);
        } else {
            const std::string path = pathOf(module);
            if (path.empty()) {
                SetLastError(ERROR_MOD_NOT_FOUND);
                return nullptr;
            }
            library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        }
    }
    if (!library) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* symbol = ownSymbol(library, module, lpProcName);
    dlclose(library);
    if (!symbol)
        SetLastError(ERROR_PROC_NOT_FOUND);
    return reinterpret_cast<FARPROC>(symbol);
}

HMODULE GetModuleHandleW(LPCWSTR lpModuleName) {
    if (!lpModuleName)
        return executableModule();
    const std::wstring name = withDefaultExtension(lpModuleName);
    if (name.find_first_of(L"\\/") != std::wstring::npos) {
        const std::string path = canonical(toUnixPath(name));
        for (const auto& object : loadedObjects())
            if (object.path == path)
                return object.base;
    } else {
        if (HMODULE builtin = builtinNamed(name))
            return builtin;
        {
            std::lock_guard lock(loader().mutex);
            for (const auto& [handle, module] : loader().modules)
                if (equalsNoCase(fileNameOf(fromUtf8(module.path)), name))
                    return handle;
        }
        for (const auto& object : loadedObjects())
            if (equalsNoCase(fileNameOf(fromUtf8(object.path)), name))
                return object.base;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    std::wstring path;
    if (const BuiltinModule* b = builtinFor(hModule)) {
        path = std::wstring(L"C:\\Windows\\system32\\") + b->name;
    } else {
        const std::string unixPath = pathOf(hModule);
        if (unixPath.empty()) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        path = toWindowsPath(unixPath);
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= nSize) {
        path.copy(lpFilename, nSize - 1);
        lpFilename[nSize - 1] = L'\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    path.copy(lpFilename, path.size());
    lpFilename[path.size()] = L'\0';
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

BOOL DisableThreadLibraryCalls(HMODULE) { return TRUE; }
