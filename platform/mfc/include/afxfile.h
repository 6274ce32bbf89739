// The class library's file classes: CFile (a file handle with a path attribute),
// CStdioFile (a C runtime stream with line I/O), CFileFind (a folder search) and
// CFileException. Failures are thrown as CFileException* where the class library throws
// them (constructors that open, Read/Write/Seek on a bad file, CStdioFile::WriteString,
// Close of a stream that cannot be flushed), and returned as FALSE elsewhere.
#pragma once

#include <afx.h>

#include <cstdio>

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG osError = -1, LPCWSTR fileName = nullptr);
    void Clear();
    /// The class library's text for the cause with the file name in it, e.g. "Disk full while
    /// accessing C:\x.ini." ("an unnamed file" when the name is not known).
    BOOL GetErrorMessage(LPWSTR buffer, UINT maxLength, PUINT helpContext = nullptr) const override;

    /// The cause for a Win32 error code / a C runtime errno value.
    static int OsErrorToException(LONG osError);
    static int ErrnoToException(int error);
    [[noreturn]] static void ThrowOsError(LONG osError, LPCWSTR fileName = nullptr);
    [[noreturn]] static void ThrowErrno(int error, LPCWSTR fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG osError = -1, LPCWSTR fileName = nullptr);

/// A file handle (CreateFileW). Besides the open file it keeps a path attribute, set by Open
/// (the full path) or SetFilePath (as given), that GetFileName/GetFileTitle/GetFilePath read;
/// a CFile that is never opened just carries the path.
class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        typeUnicode = 0x0400,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
        typeUtf8 = 0x100000,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE file);
    /// Opens; throws CFileException* on failure.
    CFile(LPCWSTR fileName, UINT openFlags);
    ~CFile() override;

    /// FALSE on failure, with the cause in *error when given.
    virtual BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr);
    /// Throws CFileException* when the handle cannot be closed.
    virtual void Close();
    /// Closes without throwing.
    virtual void Abort();
    /// Bytes read (0 at the end); throws on a read error.
    virtual UINT Read(void* buffer, UINT count);
    /// Throws CFileException* (diskFull for a short write) on failure.
    virtual void Write(const void* buffer, UINT count);
    virtual void Flush();
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);

    /// The part of the path attribute after the last "\", "/" or ":".
    virtual CString GetFileName() const;
    /// GetFileName without its extension (the last "." and what follows).
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCWSTR newName);

    /// Throw CFileException* on failure.
    static void PASCAL Rename(LPCWSTR oldName, LPCWSTR newName);
    static void PASCAL Remove(LPCWSTR fileName);

    operator HANDLE() const { return m_hFile; }

    HANDLE m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

/// A C runtime stream. ReadString/WriteString translate between CString and the stream:
/// streams from _wfopen_s in text or ccs modes (and those Open makes in text mode) as UTF-8
/// with "\n" line ends, which the stream turns into its file's encoding (see _wfopen_s);
/// binary and foreign streams as raw UTF-16LE units. Supplementary characters are one
/// wchar_t in memory and a surrogate pair on disk; a lone surrogate is written as U+FFFD.
class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    /// Attaches to an open stream (for example from _wfopen_s); the stream is not closed
    /// when the object dies, only by Close.
    explicit CStdioFile(FILE* openStream);
    /// Opens; throws CFileException* on failure.
    CStdioFile(LPCWSTR fileName, UINT openFlags);
    ~CStdioFile() override;

    /// modeRead "r", modeWrite|modeCreate "w" (with modeNoTruncate "a"), modeWrite "a",
    /// "+" for modeReadWrite; typeBinary "b", else text ("t"), with typeUnicode ",ccs=UNICODE"
    /// or typeUtf8 ",ccs=UTF-8". FALSE on failure.
    BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
    /// Closes the stream. Throws CFileException* (diskFull) when fclose reports that the
    /// buffered text could not be written; the stream is closed all the same.
    void Close() override;
    void Abort() override;
    void Flush() override;

    /// The next line without its line end (text streams: CR LF or LF; a last line without a
    /// line end counts). FALSE at the end of the stream with nothing read. Throws
    /// CFileException* (genericException) on a read error.
    virtual BOOL ReadString(CString& line);
    /// At most maxCount - 1 characters of the next line, keeping its "\n"; nullptr at the end.
    virtual LPWSTR ReadString(LPWSTR buffer, UINT maxCount);
    /// Writes text ("\n" becomes CR LF on text streams). Throws CFileException* (diskFull)
    /// when the stream reports a write error; to check without exceptions look at ferror
    /// and the result of fclose on m_pStream.
    virtual void WriteString(LPCWSTR text);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;

    FILE* m_pStream;
};

/// A folder search over FindFirstFileW / FindNextFileW.
class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;

    /// Starts a search (nullptr: "*.*"); TRUE when something matches. The root is the folder
    /// part of the pattern's full path. FALSE with ERROR_BAD_ARGUMENTS for a pattern of
    /// MAX_PATH characters or more, as the class library.
    virtual BOOL FindFile(LPCWSTR name = nullptr, DWORD unused = 0);
    /// Moves to the next entry; nonzero while more entries follow. After it returns 0 the
    /// entry it moved to (the last one) is still the current entry.
    virtual BOOL FindNextFile();
    void Close();

    virtual CString GetFileName() const;
    /// Root, a backslash (unless the root ends with one) and the entry's real name.
    virtual CString GetFilePath() const;
    /// GetFileName without the extension.
    virtual CString GetFileTitle() const;
    virtual CString GetFileURL() const;
    virtual CString GetRoot() const;
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(FILETIME* time) const;

    BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    virtual BOOL MatchesMask(DWORD mask) const;

private:
    WIN32_FIND_DATAW* m_pFoundInfo;
    WIN32_FIND_DATAW* m_pNextInfo;
    HANDLE m_hContext;
    CString m_strRoot;
};
