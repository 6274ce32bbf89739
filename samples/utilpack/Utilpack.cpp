// A stand-in for the maker's companion module: it answers the host's module protocol and
// says on the command line that it was loaded.
#include <zcrxentry.h>
#include <zcutads.h>

extern "C" ZCAD_PORT ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg, void* appId) {
    (void)appId;
    if (msg == ZcRx::kInitAppMsg)
        zcutPrintf(L"%s", L"\nUtilpack 2023 loaded.");
    return ZcRx::kRetOK;
}

extern "C" ZCAD_PORT int zcrxGetApiVersion() { return ZCRX_API_VERSION; }
