// CFile and CFileException: a file handle with a path attribute, and the class library's
// file errors.
#include <afx.h>
#include <afxfile.h>

#include "platform/Paths.h"

#include <cerrno>

IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

// The class library's wording of each cause; "%1" stands for the file name.
const wchar_t* causeText(int cause) {
    switch (cause) {
    case CFileException::none: return L"No error occurred.";
    case CFileException::fileNotFound: return L"%1 was not found.";
    case CFileException::badPath: return L"%1 contains an incorrect path.";
    case CFileException::tooManyOpenFiles: return L"%1 could not be opened because there are too many open files.";
    case CFileException::accessDenied: return L"Access to %1 was denied.";
    case CFileException::invalidFile: return L"An incorrect file handle was associated with %1.";
    case CFileException::removeCurrentDir: return L"%1 could not be removed because it is the current directory.";
    case CFileException::directoryFull: return L"%1 could not be created because the directory is full.";
    case CFileException::badSeek: return L"Seek failed on %1";
    case CFileException::hardIO: return L"A hardware I/O error was reported while accessing %1.";
    case CFileException::sharingViolation: return L"A sharing violation occurred while accessing %1.";
    case CFileException::lockViolation: return L"A locking violation occurred while accessing %1.";
    case CFileException::diskFull: return L"Disk full while accessing %1.";
    case CFileException::endOfFile: return L"An attempt was made to access %1 past its end.";
    default: return L"An unknown error occurred while accessing %1.";
    }
}

// The name part of a path: after the last "\", "/" or ":".
CString nameOf(const CString& path) {
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i) {
        const wchar_t ch = path[i];
        if (ch == L'\\' || ch == L'/' || ch == L':')
            cut = i;
    }
    return path.Mid(cut + 1);
}

}  // namespace

CFileException::CFileException(int cause, LONG osError, LPCWSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

void CFileException::Clear() {
    m_cause = none;
    m_lOsError = -1;
    m_strFileName.Empty();
}

BOOL CFileException::GetErrorMessage(LPWSTR buffer, UINT maxLength, PUINT helpContext) const {
    if (helpContext)
        *helpContext = 0;
    if (!buffer || maxLength == 0)
        return FALSE;
    CString text(causeText(m_cause));
    text.Replace(L"%1", m_strFileName.IsEmpty() ? L"an unnamed file" : m_strFileName.GetString());
    const int n = std::min(text.GetLength(), static_cast<int>(maxLength) - 1);
    std::wmemcpy(buffer, text.GetString(), static_cast<size_t>(n));
    buffer[n] = L'\0';
    return TRUE;
}

int CFileException::OsErrorToException(LONG osError) {
    switch (osError) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case 33: return lockViolation;  // ERROR_LOCK_VIOLATION
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

int CFileException::ErrnoToException(int error) {
    switch (error) {
    case 0: return none;
    case EPERM:
    case EACCES:
    case EISDIR:
    case EROFS: return accessDenied;
    case EBADF: return invalidFile;
    case EDEADLK: return sharingViolation;
    case EMFILE: return tooManyOpenFiles;
    case ENOENT:
    case ENFILE: return fileNotFound;
    case ENOTDIR: return badPath;
    case ENOSPC: return diskFull;
    case EINVAL:
    case EIO: return hardIO;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, LPCWSTR fileName) {
    throw new CFileException(OsErrorToException(osError), osError, fileName);
}

void CFileException::ThrowErrno(int error, LPCWSTR fileName) {
    throw new CFileException(ErrnoToException(error), static_cast<LONG>(platform::errorFromErrno(error)), fileName);
}

void AFXAPI AfxThrowFileException(int cause, LONG osError, LPCWSTR fileName) {
    throw new CFileException(cause, osError, fileName);
}

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE file) : m_hFile(file), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCWSTR fileName, UINT openFlags) : CFile() {
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
}

BOOL CFile::Open(LPCWSTR fileName, UINT openFlags, CFileException* error) {
    if (m_hFile != INVALID_HANDLE_VALUE)
        Abort();
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (!fileName || !*fileName) {
        if (error) {
            error->m_cause = CFileException::badPath;
            error->m_lOsError = ERROR_INVALID_NAME;
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    DWORD access = GENERIC_READ;
    switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: break;
    }
    const DWORD creation = (openFlags & modeCreate) ? ((openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS)
                                                    : OPEN_EXISTING;
    HANDLE file = CreateFileW(fileName, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, creation,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (error) {
            error->m_lOsError = static_cast<LONG>(GetLastError());
            error->m_cause = CFileException::OsErrorToException(error->m_lOsError);
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_hFile = file;
    m_bCloseOnDelete = TRUE;
    // The full path, with the real spelling of the names that exist.
    m_strFileName = platform::realCaseWindowsPath(platform::fullWindowsPath(fileName)).c_str();
    return TRUE;
}

void CFile::Close() {
    BOOL ok = TRUE;
    DWORD osError = ERROR_SUCCESS;
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ok = CloseHandle(m_hFile);
        osError = GetLastError();
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    const CString name = m_strFileName;
    m_strFileName.Empty();
    if (!ok)
        CFileException::ThrowOsError(static_cast<LONG>(osError), name);
}

void CFile::Abort() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

UINT CFile::Read(void* buffer, UINT count) {
    if (count == 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(m_hFile, buffer, count, &read, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* buffer, UINT count) {
    if (count == 0)
        return;
    DWORD written = 0;
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    if (written != count)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush() {
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(m_hFile, distance, &position, from))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
    LARGE_INTEGER distance{};
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG newLength) {
    Seek(static_cast<LONGLONG>(newLength), begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

CString CFile::GetFileName() const { return nameOf(m_strFileName); }

CString CFile::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFile::GetFilePath() const { return m_strFileName; }

void CFile::SetFilePath(LPCWSTR newName) { m_strFileName = newName; }

void PASCAL CFile::Rename(LPCWSTR oldName, LPCWSTR newName) {
    if (!MoveFileW(oldName, newName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), oldName);
}

void PASCAL CFile::Remove(LPCWSTR fileName) {
    if (!DeleteFileW(fileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}
