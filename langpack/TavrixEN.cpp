// The English language pack: its application object and the export that hands out texts.
#include "TavrixEN.h"

#include "TavrixSetUp.h"

CTavrixENApp::CTavrixENApp() = default;

BOOL CTavrixENApp::InitInstance()
{
    CWinApp::InitInstance();
    return TRUE;
}

CTavrixENApp theApp;

extern "C" void __cdecl TavrixSetUp(UINT id, CString* text)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!text)
        return;
    CString loaded;
    loaded.LoadString(id);
    *text = loaded;
}
