// A test regular library with an application object and a TavrixSetUp-like export that
// loads a string of its own under its own module state.
#include <afxwin.h>

#include <cstdlib>

namespace {

int initCount = 0;
int exitCount = 0;
void (*exitObserver)() = nullptr;

class CRegularApp : public CWinApp {
public:
    BOOL InitInstance() override {
        ++initCount;
        if (std::getenv("MFC_TEST_REFUSE_INIT"))
            return FALSE;
        return CWinApp::InitInstance();
    }
    int ExitInstance() override {
        ++exitCount;
        if (exitObserver)
            exitObserver();
        return CWinApp::ExitInstance();
    }
};

CRegularApp theApp;

}  // namespace

extern "C" void __cdecl RegularSetUp(UINT id, CString* text) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CString loaded;
    loaded.LoadString(id);
    *text = loaded;
}

extern "C" AFX_MODULE_STATE* RegularState() { return AfxGetStaticModuleState(); }
extern "C" CWinApp* RegularApp() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetApp();
}
extern "C" int RegularInitCount() { return initCount; }
extern "C" int RegularExitCount() { return exitCount; }
extern "C" void RegularObserveExit(void (*observer)()) { exitObserver = observer; }
