// Application modules: loading through the entry-point protocol, the table of loaded
// modules, unloading, and the dynamic linker service over them.
#include <windows.h>

#include <platform/Modules.h>

#include <cstdio>
#include <list>
#include <memory>
#include <string>

#include "HostSessionState.h"
#include "zcedads.h"
#include "zcrxentry.h"
#include "zcrxsys.h"
#include "zcutads.h"

namespace {

struct ModuleRecord {
    std::wstring name;
    std::wstring path;
    HMODULE handle = nullptr;
    ZcRxEntryPointFunc entry = nullptr;
    bool locked = true;
    bool mdiAware = false;
    bool phantom = false;   // only listed (pre-seeded), nothing loaded
};

std::list<std::unique_ptr<ModuleRecord>>& table() {
    static std::list<std::unique_ptr<ModuleRecord>> records;
    return records;
}

ModuleRecord* byAppId(void* appId) {
    for (const auto& record : table())
        if (record.get() == appId && !record->phantom)
            return record.get();
    return nullptr;
}

/// A module by file name or by the path it was loaded from, without regard to case.
ModuleRecord* byName(std::wstring_view nameOrPath) {
    const std::wstring name = host::detail::fileNamePart(nameOrPath);
    for (const auto& record : table())
        if (host::detail::equalsNoCase(record->path, nameOrPath) ||
            host::detail::equalsNoCase(host::detail::fileNamePart(record->name), name))
            return record.get();
    return nullptr;
}

void say(bool print, const std::wstring& text) {
    if (print)
        host::detail::writeOutput(text);
}

void removeRecord(ModuleRecord* record) {
    table().remove_if([record](const auto& r) { return r.get() == record; });
}

int loadModule(const ZTCHAR* path, bool print) {
    if (!path || !*path)
        return RTERROR;
    const std::wstring name = host::detail::fileNamePart(path);
    const std::wstring unable = L"\nUnable to load " + name + L" file.";
    if (byName(name)) {
        say(print, L"\n" + name + L" is already loaded.");
        return RTERROR;
    }
    HMODULE handle = LoadLibraryW(path);
    if (!handle) {
        // A file that is there but does not load (a missing symbol, say) deserves the
        // loader's reason; it goes to the error stream, not to the command line.
        if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
            std::fprintf(stderr, "zcedZrxLoad: %s\n", platform::lastModuleError().c_str());
        say(print, unable);
        return RTERROR;
    }
    auto version = reinterpret_cast<ZcRxGetApiVersionFunc>(
        reinterpret_cast<void*>(GetProcAddress(handle, "zcrxGetApiVersion")));
    auto entry = reinterpret_cast<ZcRxEntryPointFunc>(
        reinterpret_cast<void*>(GetProcAddress(handle, "zcrxEntryPoint")));
    if (!entry) {
        say(print, L"\n" + name + L" is not an application module (no zcrxEntryPoint)." + unable);
        FreeLibrary(handle);
        return RTERROR;
    }
    const int found = version ? version() : 0;
    if (found != ZCRX_API_VERSION) {
        say(print, L"\n" + name + L" was built for API version " + std::to_wstring(found) +
                       L"; this host requires " + std::to_wstring(ZCRX_API_VERSION) + L"." +
                       unable);
        FreeLibrary(handle);
        return RTERROR;
    }
    auto record = std::make_unique<ModuleRecord>();
    record->name = name;
    record->path = path;
    record->handle = handle;
    record->entry = entry;
    ModuleRecord* raw = record.get();
    table().push_back(std::move(record));
    if (entry(ZcRx::kInitAppMsg, raw) != ZcRx::kRetOK) {
        say(print, L"\n" + name + L" refused to initialise." + unable);
        removeRecord(raw);
        FreeLibrary(handle);
        return RTERROR;
    }
    return RTNORM;
}

/// Sends the unload message and frees the library. force: the host is quitting, so locks
/// and refusals do not keep the module.
int unloadRecord(ModuleRecord* record, bool force, bool print) {
    const std::wstring name = record->name;
    if (record->phantom) {
        removeRecord(record);
        return RTNORM;
    }
    if (record->locked && !force) {
        say(print, L"\nUnable to unload " + name + L": the application is locked.");
        return RTERROR;
    }
    // An application registered without a library has no entry point to tell.
    const ZcRx::AppRetCode rc =
        record->entry ? record->entry(ZcRx::kUnloadAppMsg, record) : ZcRx::kRetOK;
    if (rc != ZcRx::kRetOK && !force) {
        say(print, L"\nUnable to unload " + name + L": the application refused.");
        return RTERROR;
    }
    HMODULE handle = record->handle;
    removeRecord(record);
    if (handle)
        FreeLibrary(handle);
    return RTNORM;
}

}  // namespace

namespace host::detail {

std::vector<ModuleInfo> moduleList() {
    std::vector<ModuleInfo> list;
    for (const auto& r : table())
        list.push_back({r->name, r->path, r->phantom ? nullptr : r.get(), r->locked, r->mdiAware});
    return list;
}

void addPhantomModule(const std::wstring& name) {
    auto record = std::make_unique<ModuleRecord>();
    record->name = name;
    record->phantom = true;
    record->locked = false;
    table().push_back(std::move(record));
}

void* registerStaticApplication(const std::wstring& name) {
    auto record = std::make_unique<ModuleRecord>();
    record->name = name;
    ModuleRecord* raw = record.get();
    table().push_back(std::move(record));
    return raw;
}

void unloadAllModules() {
    // Newest first; a module's unload handler may unload others, so look again each time.
    while (!table().empty())
        unloadRecord(table().back().get(), true, false);
}

void clearModuleTable() { unloadAllModules(); }

}  // namespace host::detail

int zcedZrxLoad(const ZTCHAR* path) { return loadModule(path, true); }

int zcedZrxUnload(const ZTCHAR* name) {
    if (!name || !*name)
        return RTERROR;
    ModuleRecord* record = byName(name);
    if (!record) {
        host::detail::writeOutput(L"\nUnable to unload " + host::detail::fileNamePart(name) +
                                  L": not loaded.");
        return RTERROR;
    }
    return unloadRecord(record, false, true);
}

resbuf* zcedZrxLoaded() {
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const auto& record : table()) {
        resbuf* rb = zcutNewRb(RTSTR);
        rb->resval.rstring = zcutNewBuffer(record->name.c_str());
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    }
    return head;
}

// ---------------------------------------------------------------------------------------
// The dynamic linker service.

ZCRX_DEFINE_MEMBERS(ZcRxDynamicLinker, ZcRxObject)

bool ZcRxDynamicLinker::unlockApplication(void* appId) const {
    ModuleRecord* record = byAppId(appId);
    if (!record)
        return false;
    record->locked = false;
    return true;
}

bool ZcRxDynamicLinker::lockApplication(void* appId) const {
    ModuleRecord* record = byAppId(appId);
    if (!record)
        return false;
    record->locked = true;
    return true;
}

bool ZcRxDynamicLinker::isApplicationLocked(const ZTCHAR* moduleName) const {
    if (!moduleName)
        return false;
    const ModuleRecord* record = byName(moduleName);
    return record && record->locked;
}

bool ZcRxDynamicLinker::registerAppMDIAware(void* appId) const {
    ModuleRecord* record = byAppId(appId);
    if (!record)
        return false;
    record->mdiAware = true;
    return true;
}

bool ZcRxDynamicLinker::registerAppNotMDIAware(void* appId) const {
    ModuleRecord* record = byAppId(appId);
    if (!record)
        return false;
    record->mdiAware = false;
    return true;
}

bool ZcRxDynamicLinker::loadModule(const ZTCHAR* fileName, bool printIt, bool) {
    return ::loadModule(fileName, printIt) == RTNORM;
}

bool ZcRxDynamicLinker::unloadModule(const ZTCHAR* fileName, bool) {
    ModuleRecord* record = fileName ? byName(fileName) : nullptr;
    return record && unloadRecord(record, false, false) == RTNORM;
}

namespace {

ZcRxDynamicLinker* linker() {
    return ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER));
}

}  // namespace

bool zcrxRegisterAppMDIAware(void* appId) { return linker() && linker()->registerAppMDIAware(appId); }
bool zcrxRegisterAppNotMDIAware(void* appId) {
    return linker() && linker()->registerAppNotMDIAware(appId);
}
bool zcrxUnlockApplication(void* appId) { return linker() && linker()->unlockApplication(appId); }
bool zcrxLockApplication(void* appId) { return linker() && linker()->lockApplication(appId); }
bool zcrxApplicationIsLocked(const ZTCHAR* moduleName) {
    return linker() && linker()->isApplicationLocked(moduleName);
}
