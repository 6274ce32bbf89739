// File handles (CreateFileW, ReadFile, WriteFile, ...) over POSIX descriptors.
#include "FileInfo.h"
#include "WinInternal.h"
#include "platform/Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using namespace platform::detail;

namespace {

class FileObject : public KernelObject {
public:
    explicit FileObject(int descriptor) : fd(descriptor) {}
    ~FileObject() override {
        if (fd >= 0)
            ::close(fd);
    }
    bool close() override {
        const int descriptor = fd;
        fd = -1;
        if (::close(descriptor) != 0 && errno != EINTR) {
            setLastErrorFromErrno(errno);
            return false;
        }
        return true;
    }
    int fd;
};

FileObject* fileFor(HANDLE handle) {
    auto* file = lookupHandleAs<FileObject>(handle);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

constexpr DWORD kGenericAll = 0x10000000;
constexpr DWORD kReadData = 0x0001;
constexpr DWORD kWriteData = 0x0002;
constexpr DWORD kAppendData = 0x0004;

bool seek(FileObject* file, LONGLONG distance, DWORD method, LONGLONG* position) {
    int whence = SEEK_SET;
    if (method == FILE_CURRENT)
        whence = SEEK_CUR;
    else if (method == FILE_END)
        whence = SEEK_END;
    else if (method != FILE_BEGIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const off_t current = lseek(file->fd, 0, SEEK_CUR);
    struct stat st {};
    const LONGLONG base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? current : (fstat(file->fd, &st) == 0 ? st.st_size : 0);
    if (base + distance < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return false;
    }
    const off_t result = lseek(file->fd, static_cast<off_t>(distance), whence);
    if (result < 0) {
        setLastErrorFromErrno(errno);
        return false;
    }
    if (position)
        *position = result;
    return true;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                   DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE) {
    std::string path;
    if (!mapPath(lpFileName, path))
        return INVALID_HANDLE_VALUE;
    const bool wantRead = dwDesiredAccess & (GENERIC_READ | kGenericAll | kReadData);
    const bool wantWrite = dwDesiredAccess & (GENERIC_WRITE | kGenericAll | kWriteData | kAppendData);
    int flags = O_CLOEXEC | (wantRead && wantWrite ? O_RDWR : wantWrite ? O_WRONLY : O_RDONLY);
    switch (dwCreationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING:
        if (!wantWrite) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        flags |= O_TRUNC;
        break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    struct stat before {};
    const bool existed = stat(path.c_str(), &before) == 0;
    if (existed && S_ISDIR(before.st_mode) && !(dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (existed && dwCreationDisposition == CREATE_NEW) {
        SetLastError(ERROR_FILE_EXISTS);
        return INVALID_HANDLE_VALUE;
    }
    const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    const int fd = open(path.c_str(), flags, mode);
    if (fd < 0) {
        if (errno == EEXIST)
            SetLastError(ERROR_FILE_EXISTS);
        else if (errno == ENOENT)
            SetLastError(missingError(path));
        else
            setLastErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = registerHandle(std::make_unique<FileObject>(fd));
    // Windows reports an existing file for these two dispositions, and success otherwise.
    SetLastError(existed && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS)
                     ? ERROR_ALREADY_EXISTS
                     : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    FileObject* file = fileFor(hFile);
    if (!file)
        return FALSE;
    if (lpOverlapped || (!lpBuffer && nNumberOfBytesToRead)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD done = 0;
    while (done < nNumberOfBytesToRead) {
        const ssize_t n = read(file->fd, static_cast<char*>(lpBuffer) + done, nNumberOfBytesToRead - done);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setLastErrorFromErrno(errno == EISDIR ? EACCES : errno);
            if (lpNumberOfBytesRead)
                *lpNumberOfBytesRead = done;
            return FALSE;
        }
        done += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = done;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    FileObject* file = fileFor(hFile);
    if (!file)
        return FALSE;
    if (lpOverlapped || (!lpBuffer && nNumberOfBytesToWrite)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite) {
        const ssize_t n = write(file->fd, static_cast<const char*>(lpBuffer) + done, nNumberOfBytesToWrite - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setLastErrorFromErrno(errno);
            if (lpNumberOfBytesWritten)
                *lpNumberOfBytesWritten = done;
            return FALSE;
        }
        done += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = done;
    return TRUE;
}

BOOL CloseHandle(HANDLE hObject) {
    auto object = releaseHandle(hObject);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return object->close() ? TRUE : FALSE;
}

BOOL GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
    FileObject* file = fileFor(hFile);
    if (!file)
        return FALSE;
    struct stat st {};
    if (fstat(file->fd, &st) != 0) {
        setLastErrorFromErrno(errno);
        return FALSE;
    }
    if (lpFileSize)
        lpFileSize->QuadPart = st.st_size;
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(hFile, &size))
        return INVALID_FILE_SIZE;
    if (lpFileSizeHigh)
        *lpFileSizeHigh = static_cast<DWORD>(static_cast<unsigned long long>(size.QuadPart) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size.QuadPart & 0xFFFFFFFF);
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
    FileObject* file = fileFor(hFile);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    LONGLONG distance = lDistanceToMove;
    if (lpDistanceToMoveHigh)
        distance = static_cast<LONGLONG>((static_cast<unsigned long long>(static_cast<ULONG>(*lpDistanceToMoveHigh)) << 32) |
                                         static_cast<ULONG>(lDistanceToMove));
    LONGLONG position = 0;
    if (!seek(file, distance, dwMoveMethod, &position))
        return INVALID_SET_FILE_POINTER;
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = static_cast<LONG>(position >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position & 0xFFFFFFFF);
}

BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer, DWORD dwMoveMethod) {
    FileObject* file = fileFor(hFile);
    if (!file)
        return FALSE;
    LONGLONG position = 0;
    if (!seek(file, liDistanceToMove.QuadPart, dwMoveMethod, &position))
        return FALSE;
    if (lpNewFilePointer)
        lpNewFilePointer->QuadPart = position;
    return TRUE;
}

BOOL SetEndOfFile(HANDLE hFile) {
    FileObject* file = fileFor(hFile);
    if (!file)
        return FALSE;
    const off_t position = lseek(file->fd, 0, SEEK_CUR);
    if (position < 0 || ftruncate(file->fd, position) != 0) {
        setLastErrorFromErrno(errno == EINVAL ? EACCES : errno);
        return FALSE;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile) {
    FileObject* file = fileFor(hFile);
    if (!file)
        return FALSE;
    if (fsync(file->fd) != 0 && errno != EINVAL && errno != EROFS) {
        setLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime, LPFILETIME lpLastWriteTime) {
    FileObject* file = fileFor(hFile);
    if (!file)
        return FALSE;
    struct stat st {};
    if (fstat(file->fd, &st) != 0) {
        setLastErrorFromErrno(errno);
        return FALSE;
    }
    if (lpCreationTime)
        *lpCreationTime = toFileTime(st.st_ctim);
    if (lpLastAccessTime)
        *lpLastAccessTime = toFileTime(st.st_atim);
    if (lpLastWriteTime)
        *lpLastWriteTime = toFileTime(st.st_mtim);
    return TRUE;
}
