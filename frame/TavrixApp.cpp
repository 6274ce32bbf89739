// TavrixApp: fills the installation data on first construction.
#include "frame/TavrixApp.h"

#include "frame/RegistryKey.h"

TavrixApp::TavrixApp()
{
    if (initialised)
        return;
    productName = L"Tavrix";
    version = L"2023";
    productSubkey = L"\\VORANT\\" + productName + L"\\" + version;
    installDir = readRegistryString(L"SOFTWARE" + productSubkey, L"Path", HKEY_LOCAL_MACHINE);
    templatesDir = installDir + L"\\Templates";
    signsDir = templatesDir + L"\\Signs";
    initialised = true;
}
