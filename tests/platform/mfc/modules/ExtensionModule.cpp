// A test extension module: at attach it adds itself to the resource chain of the module
// state that loads it, at detach it removes itself.
#include <afxdllx.h>

static AFX_EXTENSION_MODULE extensionModule;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(extensionModule, instance))
            return FALSE;
        new CDynLinkLibrary(extensionModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(extensionModule);
    }
    return TRUE;
}

extern "C" AFX_MODULE_STATE* ExtensionState() { return AfxGetStaticModuleState(); }
extern "C" HMODULE ExtensionHandle() { return extensionModule.hModule; }
