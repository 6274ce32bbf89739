// UtilpackApp, Utilpack2023App: make sure the maker's companion plug-in is loaded in the host.
#pragma once

#include <afxwin.h>

/// The companion "Utilpack" of the 2022 edition: a native module, a script file and a managed
/// library in the companion's installation folder. Create one on the stack and call load.
class UtilpackApp {
public:
    /// Loads the native module unless the host lists it already (printing its path first),
    /// then queues the support files. True when the host listed the module already. No
    /// failure is reported here except a queuing failure.
    virtual bool load();
    /// loadColors, then netloadDll.
    virtual void loadSupportFiles();
    /// Queues (command "_netload" "P") for "Utilpack.dll" when the file is found.
    virtual void netloadDll();
    /// Queues (load "P") for "Colors.zelx" when the file is found.
    virtual void loadColors();
    /// Whether the managed library needs no loading (never: false).
    virtual bool isNetModuleLoaded();
    /// Whether the host's list of loaded modules holds "Utilpack.zrx" (the whole text,
    /// without regard to case).
    virtual bool isLoaded();
    virtual CString productName();
    virtual CString version();
    /// The companion's folder from HKEY_LOCAL_MACHINE\SOFTWARE\VORANT\<product>\<version>,
    /// value "Path", read anew at every call; empty when missing.
    virtual CString installDir();

    virtual ~UtilpackApp();

private:
    /// Queues expression when the file installDir + "\" + fileName is found; expression is
    /// prefix + the file's path with forward slashes + suffix.
    void queueForFile(const wchar_t* fileName, const wchar_t* prefix, const wchar_t* suffix);
};

/// The 2023 edition, which start-up loads.
class Utilpack2023App : public UtilpackApp {
public:
    CString version() override;
};
