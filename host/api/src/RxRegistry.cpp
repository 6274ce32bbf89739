// The system registry of service objects and the host's dictionary class.
#include <map>
#include <string>

#include "zcedcmd.h"
#include "zcrxsys.h"

ZCRX_DEFINE_MEMBERS(ZcRxDictionary, ZcRxObject)

struct ZcRxDictionary::Impl {
    std::map<std::wstring, ZcRxObject*, std::less<>> entries;
};

ZcRxDictionary::ZcRxDictionary() : impl_(std::make_unique<Impl>()) {}
ZcRxDictionary::~ZcRxDictionary() = default;

ZcRxObject* ZcRxDictionary::at(const ZTCHAR* key) const {
    if (!key)
        return nullptr;
    const auto found = impl_->entries.find(std::wstring_view(key));
    return found == impl_->entries.end() ? nullptr : found->second;
}

ZcRxObject* ZcRxDictionary::atPut(const ZTCHAR* key, ZcRxObject* object) {
    if (!key)
        return nullptr;
    ZcRxObject*& slot = impl_->entries[key];
    ZcRxObject* previous = slot;
    slot = object;
    return previous;
}

ZcRxObject* ZcRxDictionary::remove(const ZTCHAR* key) {
    if (!key)
        return nullptr;
    const auto found = impl_->entries.find(std::wstring_view(key));
    if (found == impl_->entries.end())
        return nullptr;
    ZcRxObject* previous = found->second;
    impl_->entries.erase(found);
    return previous;
}

bool ZcRxDictionary::has(const ZTCHAR* key) const { return at(key) != nullptr; }

Zdesk::UInt32 ZcRxDictionary::numEntries() const {
    return static_cast<Zdesk::UInt32>(impl_->entries.size());
}

ZcRxDictionary* zcrxSysRegistry() {
    // The service objects live as long as the process; modules may look them up while the
    // host unloads them at exit, so they are never destroyed.
    static ZcRxDictionary* registry = [] {
        auto* dictionary = new ZcRxDictionary;
        static ZcRxDynamicLinker linker;
        dictionary->atPut(ZCRX_DYNAMIC_LINKER, &linker);
        dictionary->atPut(ZCRX_COMMAND_DOCK, zcedRegCmds());
        return dictionary;
    }();
    return registry;
}
