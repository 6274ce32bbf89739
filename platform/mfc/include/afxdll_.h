// Extension modules: a library that adds its resources to the resource chain of the module
// state that loads it (AfxInitExtensionModule, CDynLinkLibrary, AfxTermExtensionModule).
#pragma once

#include <afx.h>

/// The start-up record of an extension module, a global of the module.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

/// Records the module's handle for resource loading; called from DllMain at process attach.
/// FALSE for a null handle.
BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HMODULE hInstance);
/// Deletes the module's CDynLinkLibrary entries (every entry with all = TRUE) from the
/// resource chains; called from DllMain at process detach.
void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL all = FALSE);

/// One entry of a resource chain: created with `new CDynLinkLibrary(module)` in DllMain, it
/// adds the module at the head of the current module state's chain and removes itself when
/// deleted (AfxTermExtensionModule deletes it).
class CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& module, BOOL system = FALSE);
    CDynLinkLibrary(HINSTANCE module, HINSTANCE resource);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL = nullptr;

private:
    void link();
    AFX_MODULE_STATE* owner_ = nullptr;
};
