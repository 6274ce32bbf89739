// Names of the host's error statuses.
#include <map>
#include <mutex>
#include <string>

#include "zcadstrc.h"

namespace {
struct StatusName {
    int value;
    const ZTCHAR* name;
};
constexpr StatusName kNames[] = {
    {0, L"eOk"},
#define ZCAD_STATUS(name, value) {value, L"" #name},
#include "zcadstrc_codes.inc"
#undef ZCAD_STATUS
};
}  // namespace

const ZTCHAR* zcadErrorStatusText(Zcad::ErrorStatus status) {
    for (const StatusName& entry : kNames)
        if (entry.value == static_cast<int>(status))
            return entry.name;
    // Unknown values get a text that lives as long as the process, one per value.
    static std::mutex mutex;
    static std::map<int, std::wstring> unknown;
    std::lock_guard<std::mutex> lock(mutex);
    auto [it, added] = unknown.try_emplace(static_cast<int>(status));
    if (added)
        it->second = L"Unknown error status " + std::to_wstring(static_cast<int>(status));
    return it->second.c_str();
}
