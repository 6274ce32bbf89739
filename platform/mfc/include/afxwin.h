// The class library's application framework: command targets, the application object and
// extension-module start-up; includes the core (afx.h), collections and resource ids.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <afxres.h>
#include <atltypes.h>

class CWnd;

/// The base of classes that take commands (windows, the application).
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
};

/// A thread of the class library; the application object is the main one.
class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() = default;
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
};

/// The application object of a module. Construct one per module (a global object); it
/// registers with the module state of the module whose code constructs it (the defaulted
/// argument is evaluated there). For a library, the loader runs InitInstance when the
/// library is loaded and ExitInstance before it is unloaded.
class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCWSTR appName = nullptr, AFX_MODULE_STATE* moduleState = AfxGetStaticModuleState());
    ~CWinApp() override;

    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override { return 0; }
    virtual BOOL InitApplication() { return TRUE; }

    HINSTANCE m_hInstance = nullptr;
    /// The application's name: the constructor's argument, else the module's file title.
    LPCWSTR m_pszAppName = nullptr;
    LPCWSTR m_pszExeName = nullptr;
    LPCWSTR m_pszHelpFilePath = nullptr;
    LPCWSTR m_pszRegistryKey = nullptr;
    LPCWSTR m_pszProfileName = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = 0;

private:
    AFX_MODULE_STATE* moduleState_;
    CString appName_;
    CString exeName_;
};

#include <afxdll_.h>
