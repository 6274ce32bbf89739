// CFileFind: a folder search with the class library's semantics over FindFirstFileW.
#include <afx.h>
#include <afxfile.h>

#include "platform/Paths.h"

#include <cstring>
#include <utility>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind() : m_pFoundInfo(nullptr), m_pNextInfo(nullptr), m_hContext(nullptr) {}

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close() {
    delete m_pFoundInfo;
    m_pFoundInfo = nullptr;
    delete m_pNextInfo;
    m_pNextInfo = nullptr;
    if (m_hContext && m_hContext != INVALID_HANDLE_VALUE)
        FindClose(m_hContext);
    m_hContext = nullptr;
}

BOOL CFileFind::FindFile(LPCWSTR name, DWORD) {
    Close();
    if (!name)
        name = L"*.*";
    else if (std::wcslen(name) >= MAX_PATH) {
        SetLastError(ERROR_BAD_ARGUMENTS);
        return FALSE;
    }
    m_pNextInfo = new WIN32_FIND_DATAW{};
    m_hContext = FindFirstFileW(name, m_pNextInfo);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        Close();
        SetLastError(error);
        return FALSE;
    }
    // The root is the folder part of the pattern's full path.
    const std::wstring full = platform::fullWindowsPath(name);
    const size_t cut = full.find_last_of(L"\\/");
    m_strRoot = CString(cut == std::wstring::npos ? full : full.substr(0, cut));
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (!m_hContext || m_hContext == INVALID_HANDLE_VALUE)
        return FALSE;
    if (!m_pFoundInfo)
        m_pFoundInfo = new WIN32_FIND_DATAW{};
    std::swap(m_pFoundInfo, m_pNextInfo);
    return FindNextFileW(m_hContext, m_pNextInfo);
}

CString CFileFind::GetFileName() const { return m_pFoundInfo ? CString(m_pFoundInfo->cFileName) : CString(); }

CString CFileFind::GetFilePath() const {
    CString path = m_strRoot;
    if (path.IsEmpty() || (path[path.GetLength() - 1] != L'\\' && path[path.GetLength() - 1] != L'/'))
        path += L'\\';
    path += GetFileName();
    return path;
}

CString CFileFind::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileFind::GetFileURL() const { return L"file://" + GetFilePath(); }

CString CFileFind::GetRoot() const { return m_strRoot; }

ULONGLONG CFileFind::GetLength() const {
    if (!m_pFoundInfo)
        return 0;
    return (static_cast<ULONGLONG>(m_pFoundInfo->nFileSizeHigh) << 32) | m_pFoundInfo->nFileSizeLow;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* time) const {
    if (!m_pFoundInfo || !time)
        return FALSE;
    *time = m_pFoundInfo->ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::IsDots() const {
    if (!m_pFoundInfo || !IsDirectory())
        return FALSE;
    const wchar_t* name = m_pFoundInfo->cFileName;
    return (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'))) ? TRUE : FALSE;
}

BOOL CFileFind::MatchesMask(DWORD mask) const {
    return m_pFoundInfo && (m_pFoundInfo->dwFileAttributes & mask) ? TRUE : FALSE;
}
