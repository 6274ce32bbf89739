// Loading string resources the class library's way: the current module state's resource
// module first, then the extension modules of its chain.
#include <afxwin.h>

#include "platform/ResourceTable.h"

namespace {

template <class Found>
HINSTANCE searchChain(Found found) {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (!state->m_bSystem && found(state->m_hCurrentResourceHandle))
        return state->m_hCurrentResourceHandle;
    for (CDynLinkLibrary* dll = state->m_libraryList; dll; dll = dll->m_pNextDLL) {
        if (!dll->m_bSystem && dll->m_hResource && found(dll->m_hResource))
            return dll->m_hResource;
    }
    for (CDynLinkLibrary* dll = state->m_libraryList; dll; dll = dll->m_pNextDLL) {
        if (dll->m_bSystem && dll->m_hResource && found(dll->m_hResource))
            return dll->m_hResource;
    }
    return nullptr;
}

}  // namespace

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT id) {
    return searchChain([id](HINSTANCE module) { return platform::res::findString(module, id) != nullptr; });
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR name, LPCWSTR type) {
    HINSTANCE found = searchChain([name, type](HINSTANCE module) { return FindResourceW(module, name, type) != nullptr; });
    return found ? found : AfxGetResourceHandle();
}

int AFXAPI AfxLoadString(UINT id, LPWSTR buffer, UINT maxLength) {
    if (!buffer || maxLength == 0)
        return 0;
    HINSTANCE module = AfxFindStringResourceHandle(id);
    if (!module) {
        buffer[0] = L'\0';
        return 0;
    }
    return LoadStringW(module, id, buffer, static_cast<int>(maxLength));
}

BOOL CStringW::LoadString(UINT id) {
    HINSTANCE module = AfxFindStringResourceHandle(id);
    return module ? LoadString(module, id) : FALSE;
}

BOOL CStringW::LoadString(HINSTANCE module, UINT id) {
    const platform::res::StringEntry* entry = platform::res::findString(module, id);
    if (!entry)
        return FALSE;
    text_.assign(entry->text, entry->length);
    return TRUE;
}

void CStringW::FormatResource(UINT formatId, ...) {
    CStringW format;
    if (!format.LoadString(formatId)) {
        Empty();
        return;
    }
    va_list args;
    va_start(args, formatId);
    FormatV(format, args);
    va_end(args);
}
