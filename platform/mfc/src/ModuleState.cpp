// Module states, the current state of the thread, the application object, extension
// modules and the loader's attach and detach steps.
#include <afxwin.h>

#include <map>
#include <memory>

#include "platform/ModuleHooks.h"
#include "platform/Session.h"

namespace {

struct StateEntry {
    std::unique_ptr<AFX_MODULE_STATE> state;
    int references = 0;
};

// Lives for the whole process, so that modules unloaded at exit still find it.
std::map<HMODULE, StateEntry>& states() {
    static auto* table = new std::map<HMODULE, StateEntry>;
    return *table;
}

thread_local AFX_MODULE_STATE* currentState = nullptr;

AFX_MODULE_STATE* programState() {
    static AFX_MODULE_STATE* const state = [] {
        const HMODULE program = platform::executableModule();
        StateEntry& entry = states()[program];
        if (!entry.state)
            entry.state = std::make_unique<AFX_MODULE_STATE>(program, FALSE);
        ++entry.references;  // never released
        return entry.state.get();
    }();
    return state;
}

// The file name of a module without folder and extension ("TavrixLP" for TavrixLP.dll).
CString fileTitle(HMODULE module) {
    std::wstring path = platform::fromUtf8(platform::moduleFilePath(module));
    const size_t slash = path.find_last_of(L"/\\");
    if (slash != std::wstring::npos)
        path.erase(0, slash + 1);
    const size_t dot = path.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        path.erase(dot);
    return CString(path.c_str());
}

// Deletes the chain entries that satisfy pred from every module state.
template <class Pred>
void removeLibraries(Pred pred) {
    for (auto& entry : states()) {
        AFX_MODULE_STATE* state = entry.second.state.get();
        for (CDynLinkLibrary* dll = state->m_libraryList; dll;) {
            CDynLinkLibrary* next = dll->m_pNextDLL;
            if (pred(dll))
                delete dll;  // unlinks itself
            dll = next;
        }
    }
}

}  // namespace

AFX_MODULE_STATE::AFX_MODULE_STATE(HINSTANCE module, BOOL dll)
    : m_hCurrentInstanceHandle(module), m_hCurrentResourceHandle(module), m_bDLL(static_cast<BYTE>(dll)) {}

AFX_MODULE_STATE::~AFX_MODULE_STATE() {
    while (m_libraryList)
        delete m_libraryList;
}

namespace platform {

ModuleStateReference::ModuleStateReference(const void* addressInModule) {
    HMODULE module = moduleForAddress(addressInModule);
    if (!module || module == executableModule()) {
        state_ = programState();
        return;
    }
    StateEntry& entry = states()[module];
    if (!entry.state)
        entry.state = std::make_unique<AFX_MODULE_STATE>(module, TRUE);
    ++entry.references;
    state_ = entry.state.get();
}

ModuleStateReference::~ModuleStateReference() {
    if (state_ == programState())
        return;
    for (auto it = states().begin(); it != states().end(); ++it) {
        if (it->second.state.get() != state_)
            continue;
        if (--it->second.references == 0) {
            if (currentState == state_)
                currentState = nullptr;
            states().erase(it);
        }
        return;
    }
}

AFX_MODULE_STATE* findModuleState(HMODULE module) {
    if (module == executableModule())
        return programState();
    auto it = states().find(module);
    return it == states().end() ? nullptr : it->second.state.get();
}

AFX_MODULE_STATE* setCurrentModuleState(AFX_MODULE_STATE* state) {
    AFX_MODULE_STATE* previous = currentState;
    currentState = state;
    return previous;
}

BOOL runModuleAttach(HMODULE module) {
    AFX_MODULE_STATE* state = findModuleState(module);
    if (!state || !state->m_pCurrentWinApp || state->m_bInitialized)
        return TRUE;
    AFX_MANAGE_STATE(state);
    CWinApp* app = state->m_pCurrentWinApp;
    if (!app->InitApplication() || !app->InitInstance()) {
        app->ExitInstance();
        return FALSE;
    }
    state->m_bInitialized = TRUE;
    return TRUE;
}

void runModuleDetach(HMODULE module) {
    AFX_MODULE_STATE* state = findModuleState(module);
    if (state && state->m_pCurrentWinApp && state->m_bInitialized) {
        AFX_MANAGE_STATE(state);
        state->m_pCurrentWinApp->ExitInstance();
        state->m_bInitialized = FALSE;
    }
    removeLibraries([module](CDynLinkLibrary* dll) { return dll->m_hModule == module; });
}

}  // namespace platform

AFX_MODULE_STATE* AFXAPI AfxGetModuleState() { return currentState ? currentState : programState(); }
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState() { return programState(); }
HINSTANCE AFXAPI AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AFXAPI AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
void AFXAPI AfxSetResourceHandle(HINSTANCE resource) { AfxGetModuleState()->m_hCurrentResourceHandle = resource; }
CWinApp* AFXAPI AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }
LPCWSTR AFXAPI AfxGetAppName() { return AfxGetModuleState()->m_lpszCurrentAppName; }

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)
IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CWinApp::CWinApp(LPCWSTR appName, AFX_MODULE_STATE* moduleState) : moduleState_(moduleState) {
    if (!moduleState_)
        moduleState_ = AfxGetModuleState();
    moduleState_->m_pCurrentWinApp = this;
    m_hInstance = moduleState_->m_hCurrentInstanceHandle;
    exeName_ = fileTitle(m_hInstance);
    appName_ = appName ? CString(appName) : exeName_;
    m_pszExeName = exeName_;
    m_pszAppName = appName_;
    moduleState_->m_lpszCurrentAppName = m_pszAppName;
}

CWinApp::~CWinApp() {
    if (moduleState_->m_pCurrentWinApp == this) {
        moduleState_->m_pCurrentWinApp = nullptr;
        moduleState_->m_lpszCurrentAppName = nullptr;
    }
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HMODULE hInstance) {
    if (!hInstance)
        return FALSE;
    if (module.bInitialized)
        return TRUE;
    module.bInitialized = TRUE;
    module.hModule = hInstance;
    module.hResource = hInstance;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL all) {
    if (!module.bInitialized)
        return;
    if (all) {
        AFX_MODULE_STATE* state = AfxGetModuleState();
        while (state->m_libraryList)
            delete state->m_libraryList;
    } else {
        const HMODULE handle = module.hModule;
        removeLibraries([handle](CDynLinkLibrary* dll) { return dll->m_hModule == handle; });
    }
    module.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& module, BOOL system)
    : m_hModule(module.hModule), m_hResource(module.hResource), m_bSystem(system) {
    link();
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE module, HINSTANCE resource)
    : m_hModule(module), m_hResource(resource), m_bSystem(FALSE) {
    link();
}

void CDynLinkLibrary::link() {
    owner_ = AfxGetModuleState();
    m_pNextDLL = owner_->m_libraryList;
    owner_->m_libraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary() {
    if (!owner_)
        return;
    for (CDynLinkLibrary** link = &owner_->m_libraryList; *link; link = &(*link)->m_pNextDLL) {
        if (*link == this) {
            *link = m_pNextDLL;
            break;
        }
    }
}
