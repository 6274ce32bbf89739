// The registry of the resource tables that generated sources register at module load, and
// the lookups by module, type, name and language.
#include "ResourceRegistry.h"

#include <win/Resources.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <unordered_map>

#include "VersionBlob.h"
#include "platform/ModuleHooks.h"

namespace platform::res {
namespace {

struct ModuleResources {
    std::vector<const ModuleTable*> tables;
    std::unordered_map<UINT, std::vector<const StringEntry*>> strings;
    std::list<FoundResource> resources;  // stable addresses: HRSRC values point into it
};

// Lives for the whole process (never destroyed, so module unloads at exit find it intact).
std::map<HMODULE, ModuleResources>& registry() {
    static auto* modules = new std::map<HMODULE, ModuleResources>;
    return *modules;
}

thread_local LANGID uiLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

void index(ModuleResources& module) {
    module.strings.clear();
    module.resources.clear();
    for (const ModuleTable* table : module.tables) {
        for (UINT i = 0; i < table->stringCount; ++i)
            module.strings[table->strings[i].id].push_back(&table->strings[i]);
        for (UINT i = 0; i < table->versionCount; ++i) {
            const VersionResource& v = table->versions[i];
            FoundResource& r = module.resources.emplace_back();
            r.type = {16, nullptr};
            r.name = v.name;
            r.language = v.language;
            r.owned = serializeVersion(v);
            r.data = r.owned.data();
            r.size = r.owned.size();
        }
        for (UINT i = 0; i < table->dataCount; ++i) {
            const DataResource& d = table->data[i];
            module.resources.push_back({d.type, d.name, d.language, d.data, d.size, {}});
        }
        for (UINT i = 0; i < table->dialogCount; ++i) {
            const DialogResource& d = table->dialogs[i];
            // A dialog resource locks to its DialogResource description.
            module.resources.push_back({{5, nullptr}, d.name, d.language, &d, sizeof(d), {}});
        }
    }
}

bool sameText(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b) {
        if (std::towupper(static_cast<wint_t>(*a)) != std::towupper(static_cast<wint_t>(*b)))
            return false;
    }
    return *a == *b;
}

// A resource name as the caller gives it: MAKEINTRESOURCE id, "#123" or a name.
ResourceName nameOf(LPCWSTR name) {
    if (IS_INTRESOURCE(name))
        return {static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)), nullptr};
    if (name[0] == L'#') {
        UINT id = 0;
        const wchar_t* p = name + 1;
        for (; *p >= L'0' && *p <= L'9'; ++p)
            id = id * 10 + static_cast<UINT>(*p - L'0');
        if (!*p && p != name + 1)
            return {id, nullptr};
    }
    return {0, name};
}

bool matches(const ResourceName& have, const ResourceName& want) {
    if (!want.text)
        return !have.text && have.id == want.id;
    return have.text && sameText(have.text, want.text);
}

// Ranks a language version for the preferred language (lower is better).
int rank(LANGID have, LANGID want) {
    if (have == want)
        return 0;
    if (PRIMARYLANGID(have) == PRIMARYLANGID(want))
        return 1;
    if (PRIMARYLANGID(have) == LANG_NEUTRAL)
        return 2;
    if (have == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US))
        return 3;
    return 4;
}

template <class T, class Language>
const T* best(const std::vector<const T*>& candidates, LANGID want, Language languageOf) {
    const T* found = nullptr;
    int foundRank = 5;
    for (const T* candidate : candidates) {
        const int r = rank(languageOf(candidate), want);
        if (r < foundRank) {
            found = candidate;
            foundRank = r;
        }
    }
    return found;
}

}  // namespace

Registration::Registration(const ModuleTable& table) : module_(moduleForAddress(&table)), table_(&table) {
    registerTable(module_, table);
}

Registration::~Registration() { unregisterTable(module_, *table_); }

void registerTable(HMODULE module, const ModuleTable& table) {
    ModuleResources& entry = registry()[module];
    entry.tables.push_back(&table);
    index(entry);
}

void unregisterTable(HMODULE module, const ModuleTable& table) {
    auto it = registry().find(module);
    if (it == registry().end())
        return;
    auto& tables = it->second.tables;
    tables.erase(std::remove(tables.begin(), tables.end(), &table), tables.end());
    if (tables.empty())
        registry().erase(it);
    else
        index(it->second);
}

bool hasResources(HMODULE module) { return registry().count(module) != 0; }

std::vector<HMODULE> modulesWithResources() {
    std::vector<HMODULE> result;
    for (const auto& entry : registry())
        result.push_back(entry.first);
    return result;
}

LANGID preferredLanguage() { return uiLanguage; }

const StringEntry* findString(HMODULE module, UINT id) {
    auto it = registry().find(module);
    if (it == registry().end())
        return nullptr;
    auto found = it->second.strings.find(id);
    if (found == it->second.strings.end())
        return nullptr;
    return best(found->second, uiLanguage, [](const StringEntry* e) { return e->language; });
}

const FoundResource* findResource(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    if (!type || !name)
        return nullptr;
    auto it = registry().find(module);
    if (it == registry().end())
        return nullptr;
    const ResourceName wantType = nameOf(type);
    const ResourceName wantName = nameOf(name);
    std::vector<const FoundResource*> candidates;
    for (const FoundResource& r : it->second.resources) {
        if (matches(r.type, wantType) && matches(r.name, wantName))
            candidates.push_back(&r);
    }
    if (language != 0xFFFF) {
        // An explicit language asks for that language version only.
        for (const FoundResource* r : candidates) {
            if (r->language == language)
                return r;
        }
        return nullptr;
    }
    return best(candidates, uiLanguage, [](const FoundResource* r) { return r->language; });
}

const DialogResource* findDialog(HMODULE module, ResourceName name) {
    std::wstring text;
    LPCWSTR key;
    if (name.text) {
        text = name.text;
        key = text.c_str();
    } else {
        key = MAKEINTRESOURCEW(name.id);
    }
    const FoundResource* r = findResource(module, RT_DIALOG, key, 0xFFFF);
    return r ? static_cast<const DialogResource*>(r->data) : nullptr;
}

void setPreferredLanguage(LANGID language) { uiLanguage = language; }

}  // namespace platform::res
