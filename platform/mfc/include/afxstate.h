// Module state: every module of the process (the program, each plug-in or resource library)
// has its own AFX_MODULE_STATE with its instance and resource handles, its application
// object and its chain of extension modules. AFX_MANAGE_STATE switches the current state.
#pragma once

#include <windows.h>

class CWinApp;
class CDynLinkLibrary;

/// The class library's per-module data. One exists for each module that asks for it
/// (AfxGetStaticModuleState) and for the main program; it lives while its module is loaded.
class AFX_MODULE_STATE {
public:
    AFX_MODULE_STATE(HINSTANCE module, BOOL dll);
    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;
    ~AFX_MODULE_STATE();

    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCWSTR m_lpszCurrentAppName = nullptr;
    BYTE m_bDLL;
    BYTE m_bSystem = FALSE;
    /// The extension modules added while this state was current, most recent first; resource
    /// searches walk it after the state's own resource module.
    CDynLinkLibrary* m_libraryList = nullptr;
    /// TRUE once the loader has run the application object's InitInstance.
    BOOL m_bInitialized = FALSE;
};

namespace platform {

/// Holds a reference to the module state of the module that contains an address; the
/// state is created on the first reference and destroyed with the last.
class ModuleStateReference {
public:
    explicit ModuleStateReference(const void* addressInModule);
    ~ModuleStateReference();
    ModuleStateReference(const ModuleStateReference&) = delete;
    ModuleStateReference& operator=(const ModuleStateReference&) = delete;
    AFX_MODULE_STATE* get() const { return state_; }

private:
    AFX_MODULE_STATE* state_;
};

/// The state of a module, or nullptr if the module has none.
AFX_MODULE_STATE* findModuleState(HMODULE module);
/// Makes state current for this thread (nullptr: the program's state); returns the previous one.
AFX_MODULE_STATE* setCurrentModuleState(AFX_MODULE_STATE* state);

}  // namespace platform

/// Each module gets its own copy of this function and of its static object (hidden
/// visibility), so it returns the state of the module that calls it: the module is found
/// from the address of that object, which lies in the module's own data.
#define AFX_MODULE_LOCAL __attribute__((visibility("hidden")))
AFX_MODULE_LOCAL inline AFX_MODULE_STATE* AfxGetStaticModuleState() {
    static platform::ModuleStateReference reference(&reference);
    return reference.get();
}

/// The current module state: the one set by AFX_MANAGE_STATE, else the program's.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
/// The main program's module state.
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE resource);
CWinApp* AFXAPI AfxGetApp();
LPCWSTR AFXAPI AfxGetAppName();

/// Makes a module state current for the lifetime of the object.
struct AFX_MAINTAIN_STATE2 {
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state) : previous_(platform::setCurrentModuleState(state)) {}
    ~AFX_MAINTAIN_STATE2() { platform::setCurrentModuleState(previous_); }
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* previous_;
};
typedef AFX_MAINTAIN_STATE2 AFX_MAINTAIN_STATE;

#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

// ---------------------------------------------------------------------------------------
// Resource search along the module chain.

/// The module whose resources hold a resource of that name and type, searched as the class
/// library does: the current resource module, then the extension modules of the current
/// state's chain. Without a match it returns the current resource module.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);
/// The same search for string id; nullptr when no module holds it.
HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT id);
/// Loads string id found by that search into buffer; 0 when missing.
int AFXAPI AfxLoadString(UINT id, LPWSTR buffer, UINT maxLength = 256);
