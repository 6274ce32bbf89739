// The module's exported entry points and its Windows entry (extension-module start-up).
#include <afxwin.h>
#include <afxdllx.h>

#include "zcrxentry.h"

#include "frame/CommandHelp.h"
#include "frame/EntryPoint.h"

namespace {
AFX_EXTENSION_MODULE tavrixModule = {FALSE, nullptr};
}  // namespace

extern "C" ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg, void* appId)
{
    return tavrixEntryPoint(msg, appId);
}

extern "C" int zcrxGetApiVersion()
{
    return kTavrixApiVersion;
}

// Attach: the global objects exist now, so the command help table is read from the
// installation (this first TavrixApp reads the registry); then the module joins the class
// library as an extension module, so that its resources are found through the host's
// resource chain.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        loadCommandHelp();
        if (!AfxInitExtensionModule(tavrixModule, instance))
            return FALSE;
        new CDynLinkLibrary(tavrixModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(tavrixModule);
    }
    return TRUE;
}
