// CStdioFile: line I/O on C runtime streams. Translated text streams (platform/TextStreams.h)
// carry UTF-8 with "\n" line ends; other streams carry raw UTF-16LE units.
#include <afx.h>
#include <afxfile.h>

#include "platform/Paths.h"
#include "platform/Session.h"
#include "platform/TextStreams.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

// Reads one UTF-16LE unit; false at the end (an odd last byte is dropped).
bool readUnit(FILE* stream, char32_t& unit) {
    const int lo = std::fgetc(stream);
    if (lo == EOF)
        return false;
    const int hi = std::fgetc(stream);
    if (hi == EOF)
        return false;
    unit = static_cast<char32_t>(lo) | (static_cast<char32_t>(hi) << 8);
    return true;
}

// The next character of a raw UTF-16LE stream, pairs joined, a lone surrogate as U+FFFD.
bool readRawChar(FILE* stream, char32_t& ch) {
    char32_t unit;
    if (!readUnit(stream, unit))
        return false;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        const int lo = std::fgetc(stream);
        if (lo == EOF) {
            ch = 0xFFFD;
            return true;
        }
        const int hi = std::fgetc(stream);
        if (hi == EOF) {
            ch = 0xFFFD;
            return true;
        }
        const char32_t next = static_cast<char32_t>(lo) | (static_cast<char32_t>(hi) << 8);
        if (next >= 0xDC00 && next <= 0xDFFF) {
            ch = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
        } else {
            // Not a pair: give the second unit back for the next read.
            std::ungetc(hi, stream);
            std::ungetc(lo, stream);
            ch = 0xFFFD;
        }
        return true;
    }
    ch = (unit >= 0xDC00 && unit <= 0xDFFF) ? 0xFFFD : unit;
    return true;
}

// The next character of a translated (UTF-8) stream.
bool readUtf8Char(FILE* stream, char32_t& ch) {
    const int lead = std::fgetc(stream);
    if (lead == EOF)
        return false;
    int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    char bytes[4] = {static_cast<char>(lead)};
    for (int i = 1; i < length; ++i) {
        const int next = std::fgetc(stream);
        if (next == EOF) {
            length = i;
            break;
        }
        bytes[i] = static_cast<char>(next);
    }
    const std::wstring decoded = platform::fromUtf8(std::string_view(bytes, static_cast<size_t>(length)));
    ch = decoded.empty() ? 0xFFFD : static_cast<char32_t>(decoded[0]);
    return true;
}

void appendUtf16le(std::string& out, char32_t ch) {
    if ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF)
        ch = 0xFFFD;
    auto unit = [&](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    if (ch >= 0x10000) {
        unit(0xD800 + ((ch - 0x10000) >> 10));
        unit(0xDC00 + ((ch - 0x10000) & 0x3FF));
    } else {
        unit(ch);
    }
}

// wchar_t text as UTF-16LE bytes; surrogate pairs already in the text are kept as pairs.
std::string utf16leOf(std::wstring_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t ch = static_cast<char32_t>(text[i]);
        if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size()) {
            const char32_t next = static_cast<char32_t>(text[i + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                ch = 0x10000 + ((ch - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            }
        }
        appendUtf16le(out, ch);
    }
    return out;
}

}  // namespace

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::CStdioFile(FILE* openStream) : m_pStream(openStream) {}

CStdioFile::CStdioFile(LPCWSTR fileName, UINT openFlags) : m_pStream(nullptr) {
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile() {
    if (m_pStream && m_bCloseOnDelete) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
}

BOOL CStdioFile::Open(LPCWSTR fileName, UINT openFlags, CFileException* error) {
    if (m_pStream)
        Abort();
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    std::wstring mode;
    if (openFlags & modeCreate)
        mode = (openFlags & modeNoTruncate) ? L"a" : L"w";
    else if (openFlags & modeWrite)
        mode = L"a";
    else
        mode = L"r";
    if ((mode[0] == L'r' && (openFlags & modeReadWrite)) || (mode[0] != L'r' && !(openFlags & modeWrite)))
        mode += L'+';
    if (openFlags & typeBinary) {
        mode += L'b';
    } else {
        mode += L't';
        if (openFlags & typeUnicode)
            mode += L",ccs=UNICODE";
        else if (openFlags & typeUtf8)
            mode += L",ccs=UTF-8";
    }
    FILE* stream = nullptr;
    const errno_t result = _wfopen_s(&stream, fileName, mode.c_str());
    if (result != 0) {
        if (error) {
            error->m_cause = CFileException::ErrnoToException(result);
            error->m_lOsError = static_cast<LONG>(platform::errorFromErrno(result));
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_pStream = stream;
    m_bCloseOnDelete = TRUE;
    m_strFileName = platform::realCaseWindowsPath(platform::fullWindowsPath(fileName)).c_str();
    return TRUE;
}

void CStdioFile::Close() {
    int result = 0;
    int error = 0;
    if (m_pStream) {
        result = std::fclose(m_pStream);
        error = errno;
    }
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    const CString name = m_strFileName;
    m_strFileName.Empty();
    if (result != 0)
        AfxThrowFileException(CFileException::diskFull, static_cast<LONG>(platform::errorFromErrno(error)), name);
}

void CStdioFile::Abort() {
    if (m_pStream)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CStdioFile::Flush() {
    if (m_pStream && std::fflush(m_pStream) != 0)
        AfxThrowFileException(CFileException::diskFull, static_cast<LONG>(platform::errorFromErrno(errno)),
                              m_strFileName);
}

BOOL CStdioFile::ReadString(CString& line) {
    line.Empty();
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
    if (platform::isTranslatedStream(m_pStream)) {
        char* buffer = nullptr;
        size_t capacity = 0;
        const ssize_t n = getline(&buffer, &capacity, m_pStream);
        if (n < 0) {
            std::free(buffer);
            if (std::ferror(m_pStream)) {
                const int error = errno;
                std::clearerr(m_pStream);
                AfxThrowFileException(CFileException::genericException,
                                      static_cast<LONG>(platform::errorFromErrno(error)), m_strFileName);
            }
            return FALSE;
        }
        std::string_view text(buffer, static_cast<size_t>(n));
        if (!text.empty() && text.back() == '\n')
            text.remove_suffix(1);
        line = CString(platform::fromUtf8(text));
        std::free(buffer);
        return TRUE;
    }
    std::wstring text;
    bool any = false;
    char32_t ch;
    while (readRawChar(m_pStream, ch)) {
        any = true;
        if (ch == U'\n')
            break;
        text += static_cast<wchar_t>(ch);
    }
    if (!any && std::ferror(m_pStream)) {
        const int error = errno;
        std::clearerr(m_pStream);
        AfxThrowFileException(CFileException::genericException, static_cast<LONG>(platform::errorFromErrno(error)),
                              m_strFileName);
    }
    line = CString(std::move(text));
    return any ? TRUE : FALSE;
}

LPWSTR CStdioFile::ReadString(LPWSTR buffer, UINT maxCount) {
    if (!buffer || maxCount == 0 || !m_pStream)
        AfxThrowInvalidArgException();
    const bool translated = platform::isTranslatedStream(m_pStream);
    UINT n = 0;
    char32_t ch;
    while (n + 1 < maxCount && (translated ? readUtf8Char(m_pStream, ch) : readRawChar(m_pStream, ch))) {
        buffer[n++] = static_cast<wchar_t>(ch);
        if (ch == U'\n')
            break;
    }
    buffer[n] = L'\0';
    if (n == 0) {
        if (std::ferror(m_pStream)) {
            const int error = errno;
            std::clearerr(m_pStream);
            AfxThrowFileException(CFileException::genericException,
                                  static_cast<LONG>(platform::errorFromErrno(error)), m_strFileName);
        }
        return nullptr;
    }
    return buffer;
}

void CStdioFile::WriteString(LPCWSTR text) {
    if (!text || !m_pStream)
        AfxThrowInvalidArgException();
    const std::string bytes = platform::isTranslatedStream(m_pStream) ? platform::toUtf8(text) : utf16leOf(text);
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_pStream) != bytes.size())
        AfxThrowFileException(CFileException::diskFull, static_cast<LONG>(platform::errorFromErrno(errno)),
                              m_strFileName);
}

UINT CStdioFile::Read(void* buffer, UINT count) {
    if (count == 0)
        return 0;
    if (!buffer || !m_pStream)
        AfxThrowInvalidArgException();
    const size_t n = std::fread(buffer, 1, count, m_pStream);
    if (n == 0 && std::ferror(m_pStream)) {
        const int error = errno;
        std::clearerr(m_pStream);
        CFileException::ThrowErrno(error, m_strFileName);
    }
    return static_cast<UINT>(n);
}

void CStdioFile::Write(const void* buffer, UINT count) {
    if (count == 0)
        return;
    if (!buffer || !m_pStream)
        AfxThrowInvalidArgException();
    if (std::fwrite(buffer, 1, count, m_pStream) != count)
        AfxThrowFileException(CFileException::diskFull, static_cast<LONG>(platform::errorFromErrno(errno)),
                              m_strFileName);
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from) {
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    if (fseeko(m_pStream, static_cast<off_t>(offset), whence) != 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(platform::errorFromErrno(errno)),
                              m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const {
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
    const off_t position = ftello(m_pStream);
    if (position < 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(platform::errorFromErrno(errno)),
                              m_strFileName);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CStdioFile::GetLength() const {
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
    // The size on disk, as the class library reports it for text streams too.
    struct stat st {};
    const int fd = fileno(m_pStream);
    if (fd >= 0 && fflush(m_pStream) == 0 && fstat(fd, &st) == 0)
        return static_cast<ULONGLONG>(st.st_size);
    if (fd < 0 && !m_strFileName.IsEmpty()) {
        std::fflush(m_pStream);
        if (stat(platform::toUnixPath(m_strFileName.GetString()).c_str(), &st) == 0)
            return static_cast<ULONGLONG>(st.st_size);
    }
    AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
}
