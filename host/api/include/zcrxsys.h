// The host's system registry of service objects and its dynamic linker.
#pragma once

#include <memory>

#include "zcrxobj.h"

/// Registry names of the host's service objects.
#define ZCRX_DYNAMIC_LINKER L"DynamicLinker"
#define ZCRX_COMMAND_DOCK L"ZCAD_REGISTERED_COMMANDS"

/// A dictionary of run-time objects keyed by case-sensitive names. The dictionary does not
/// own what it holds; the host's own service entries live as long as the process.
class ZCAD_PORT ZcRxDictionary : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcRxDictionary);
    ZcRxDictionary();
    ~ZcRxDictionary() override;
    ZcRxDictionary(const ZcRxDictionary&) = delete;
    ZcRxDictionary& operator=(const ZcRxDictionary&) = delete;

    /// The object stored under the key, or null.
    virtual ZcRxObject* at(const ZTCHAR* key) const;
    /// Stores the object under the key; returns the object it replaced (or null).
    virtual ZcRxObject* atPut(const ZTCHAR* key, ZcRxObject* object);
    /// Removes the key; returns the object that was stored under it (or null).
    virtual ZcRxObject* remove(const ZTCHAR* key);
    virtual bool has(const ZTCHAR* key) const;
    virtual Zdesk::UInt32 numEntries() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

/// The host's system registry: "DynamicLinker" -> ZcRxDynamicLinker,
/// "ZCAD_REGISTERED_COMMANDS" -> ZcEdCommandStack.
ZCAD_PORT ZcRxDictionary* zcrxSysRegistry();

/// Loads and unloads application modules and keeps their lock and document-awareness state.
/// An application is identified by the appId that the host passed to its entry point.
class ZCAD_PORT ZcRxDynamicLinker : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcRxDynamicLinker);

    /// Allows the host to unload the application later; false for an unknown appId.
    virtual bool unlockApplication(void* appId) const;
    /// Keeps the application loaded until the process ends; false for an unknown appId.
    virtual bool lockApplication(void* appId) const;
    /// Whether the loaded module of that file name (case-insensitive) is locked; an unknown
    /// name counts as not locked. Modules start locked, as in the host.
    virtual bool isApplicationLocked(const ZTCHAR* moduleName) const;
    /// Declares the application able to work with several open drawings.
    virtual bool registerAppMDIAware(void* appId) const;
    virtual bool registerAppNotMDIAware(void* appId) const;
    /// Loads a module by path through the entry-point protocol (see zcedZrxLoad).
    virtual bool loadModule(const ZTCHAR* fileName, bool printIt, bool asCmd = false);
    /// Unloads a module by file name or path (see zcedZrxUnload).
    virtual bool unloadModule(const ZTCHAR* fileName, bool asCmd = false);
};

/// Short form of ZcRxDynamicLinker::registerAppMDIAware on the host's linker.
ZCAD_PORT bool zcrxRegisterAppMDIAware(void* appId);
ZCAD_PORT bool zcrxRegisterAppNotMDIAware(void* appId);
ZCAD_PORT bool zcrxUnlockApplication(void* appId);
ZCAD_PORT bool zcrxLockApplication(void* appId);
ZCAD_PORT bool zcrxApplicationIsLocked(const ZTCHAR* moduleName);

#define zcrxDynamicLinker ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER))
