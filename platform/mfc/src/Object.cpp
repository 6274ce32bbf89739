// CObject run-time classes, the exception classes and the class library's throw helpers.
#include <afxwin.h>

#include <algorithm>
#include <cwchar>

#include "platform/Session.h"

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
        if (c == base)
            return TRUE;
    }
    return FALSE;
}

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CStringArray, CObject)
IMPLEMENT_DYNAMIC(CByteArray, CObject)
IMPLEMENT_DYNAMIC(CWordArray, CObject)
IMPLEMENT_DYNAMIC(CDWordArray, CObject)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_DYNAMIC(CObArray, CObject)

BOOL CException::GetErrorMessage(LPWSTR buffer, UINT maxLength, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    if (buffer && maxLength > 0)
        buffer[0] = L'\0';
    return FALSE;
}

int CException::ReportError(UINT, UINT) {
    wchar_t message[512];
    if (!GetErrorMessage(message, 512))
        std::wcscpy(message, L"No error message is available.");
    platform::record(L"MessageBox", message);
    return IDOK;
}

void CException::Delete() {
    if (m_bAutoDelete)
        delete this;
}

BOOL CSimpleException::GetErrorMessage(LPWSTR buffer, UINT maxLength, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    if (!buffer || maxLength == 0)
        return FALSE;
    const wchar_t* text = message();
    const size_t n = std::min<size_t>(std::wcslen(text), maxLength - 1);
    std::wmemcpy(buffer, text, n);
    buffer[n] = L'\0';
    return TRUE;
}

void AFXAPI AfxThrowMemoryException() { throw new CMemoryException(); }
void AFXAPI AfxThrowInvalidArgException() { throw new CInvalidArgException(); }
void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException(); }
void AFXAPI AfxThrowResourceException() { throw new CResourceException(); }

namespace platform {
void throwInvalidArgument() { AfxThrowInvalidArgException(); }
}  // namespace platform
