// The process-wide registry of module resources (internal to the platform library).
#pragma once

#include "platform/ResourceTable.h"

#include <list>
#include <string>
#include <vector>

namespace platform::res {

/// A resource that FindResourceW can find; an HRSRC points at one.
struct FoundResource {
    ResourceName type;
    ResourceName name;
    LANGID language;
    const void* data;
    size_t size;
    std::vector<unsigned char> owned;  // storage of data when the registry built it
};

/// The resource that FindResourceExW looks for: type and name as the caller gave them
/// (MAKEINTRESOURCE ids, "#123" or names), language 0xFFFF for "preferred".
const FoundResource* findResource(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);

/// Sets the language that lookups prefer (SetThreadUILanguage).
void setPreferredLanguage(LANGID language);

/// The loaded modules that have resources registered.
std::vector<HMODULE> modulesWithResources();

}  // namespace platform::res
