// Module handles from addresses: a module handle is the module's load base address.
#include "platform/ModuleHooks.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>

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

std::string moduleFilePath(HMODULE module) {
    if (!module)
        return {};
    if (module == executableModule()) {
        char path[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
        if (n > 0)
            return std::string(path, static_cast<size_t>(n));
    }
    Dl_info info{};
    if (dladdr(module, &info) == 0 || info.dli_fbase != static_cast<void*>(module) || !info.dli_fname)
        return {};
    return info.dli_fname;
}

}  // namespace platform
