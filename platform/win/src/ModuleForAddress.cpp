// Module handles from addresses: a module handle is the module's load base address.
#include "platform/ModuleHooks.h"

#include <dlfcn.h>
#include <link.h>

namespace platform {

HMODULE moduleForAddress(const void* address) {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0)
        return nullptr;
    return reinterpret_cast<HMODULE>(info.dli_fbase);
}

HMODULE executableModule() {
    static const HMODULE handle = [] {
        // The first object that dl_iterate_phdr reports is the main program.
        const void* inside = nullptr;
        dl_iterate_phdr(
            [](dl_phdr_info* info, size_t, void* data) -> int {
                for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
                    if (info->dlpi_phdr[i].p_type == PT_LOAD) {
                        *static_cast<const void**>(data) =
                            reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
                        break;
                    }
                }
                return 1;
            },
            &inside);
        return moduleForAddress(inside);
    }();
    return handle;
}

}  // namespace platform
