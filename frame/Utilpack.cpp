// The companion module loader: native module through the host, support files through the
// host's script queue.
#include "frame/Utilpack.h"

#include "zcedads.h"
#include "zcutads.h"

#include "frame/Printer.h"
#include "frame/RegistryKey.h"
#include "support/UI_Path.h"

namespace {
const wchar_t kNativeModule[] = L"Utilpack.zrx";
const wchar_t kScriptFile[] = L"Colors.zelx";
const wchar_t kManagedLibrary[] = L"Utilpack.dll";
const wchar_t kFailed[] = L" failed ! ";
}  // namespace

bool UtilpackApp::load()
{
    const bool listed = isLoaded();
    if (!listed) {
        const CString path = installDir() + L"\\" + kNativeModule;
        ZWPrinter().print(path);
        zcedZrxLoad(path);
    }
    loadSupportFiles();
    return listed;
}

void UtilpackApp::loadSupportFiles()
{
    loadColors();
    netloadDll();
}

void UtilpackApp::netloadDll()
{
    if (isNetModuleLoaded())
        return;
    queueForFile(kManagedLibrary, L"(command \"_netload\" \"", L"\")");
}

void UtilpackApp::loadColors()
{
    queueForFile(kScriptFile, L"(load \"", L"\")");
}

void UtilpackApp::queueForFile(const wchar_t* fileName, const wchar_t* prefix, const wchar_t* suffix)
{
    const CString file = installDir() + L"\\" + fileName;
    const UI_Path path(file);
    ZTCHAR found[MAX_PATH] = {};
    if (zcedFindFile(path.path, found, MAX_PATH) != RTNORM)
        return;
    const CString expression = prefix + path.path + suffix;
    try {
        zds_queueexpr(expression);
    } catch (...) {
        ZWPrinter().print(expression + kFailed);
    }
}

bool UtilpackApp::isNetModuleLoaded()
{
    return false;
}

bool UtilpackApp::isLoaded()
{
    resbuf* modules = zcedZrxLoaded();
    bool found = false;
    for (const resbuf* rb = modules; rb && !found; rb = rb->rbnext) {
        if (rb->restype == RTSTR && rb->resval.rstring)
            found = CString(rb->resval.rstring).CollateNoCase(kNativeModule) == 0;
    }
    if (modules)
        zcutRelRb(modules);
    return found;
}

CString UtilpackApp::productName()
{
    return L"Utilpack";
}

CString UtilpackApp::version()
{
    return L"2022";
}

CString UtilpackApp::installDir()
{
    return readRegistryString(L"SOFTWARE\\VORANT\\" + productName() + L"\\" + version(), L"Path",
                              HKEY_LOCAL_MACHINE);
}

UtilpackApp::~UtilpackApp() = default;

CString Utilpack2023App::version()
{
    return L"2023";
}
