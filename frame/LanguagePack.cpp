// The language pack loader: finds the pack beside the plug-in module and reads its texts.
#include "frame/LanguagePack.h"

#include "langpack/TavrixSetUp.h"

namespace {

HINSTANCE packHandle = nullptr;
TavrixSetUpFunc packSetUp = nullptr;

const wchar_t kModuleName[] = L"Tavrix.zrx";
const wchar_t kPackName[] = L"TavrixLP.dll";

}  // namespace

void loadLanguagePack()
{
    // A pack that loaded without its export is let go before the next try, so that
    // retries do not pile up references to it.
    if (packHandle && !packSetUp) {
        FreeLibrary(packHandle);
        packHandle = nullptr;
    }
    if (packHandle)
        return;

    HMODULE module = GetModuleHandleW(kModuleName);
    if (!module)
        return;  // not loaded under its own name: no pack to find
    wchar_t modulePath[MAX_PATH];
    wmemset(modulePath, L'\0', MAX_PATH);
    if (GetModuleFileNameW(module, modulePath, MAX_PATH) == 0)
        return;

    // Keep the module's folder, put the pack's file name in place of the module's.
    CString packPath(modulePath);
    const int backslash = packPath.ReverseFind(L'\\');
    const int slash = packPath.ReverseFind(L'/');
    const int separator = backslash > slash ? backslash : slash;
    packPath = packPath.Left(separator + 1) + kPackName;

    packHandle = LoadLibraryW(packPath);
    if (packHandle)
        packSetUp = reinterpret_cast<TavrixSetUpFunc>(
            reinterpret_cast<void (*)()>(GetProcAddress(packHandle, "TavrixSetUp")));
}

CString loadLangString(UINT id)
{
    if (!packSetUp)
        loadLanguagePack();
    if (!packSetUp)
        return CString(L"failed to load resource");
    CString text;
    packSetUp(id, &text);
    return text;
}

void freeLanguagePack()
{
    if (packHandle)
        FreeLibrary(packHandle);
    // Forget the export with the library, so that nothing can call into a freed module.
    packHandle = nullptr;
    packSetUp = nullptr;
}
