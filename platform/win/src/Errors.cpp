// The thread's last error, the system's message texts (FormatMessageW) and local memory.
#include <windows.h>

#include "platform/Session.h"

#include <afxstr.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

struct SystemMessage {
    DWORD code;
    const wchar_t* text;
};

// The texts Windows gives for the error codes the stand-in reports.
constexpr SystemMessage systemMessages[] = {
    {0, L"The operation completed successfully."},
    {1, L"Incorrect function."},
    {2, L"The system cannot find the file specified."},
    {3, L"The system cannot find the path specified."},
    {4, L"The system cannot open the file."},
    {5, L"Access is denied."},
    {6, L"The handle is invalid."},
    {8, L"Not enough memory resources are available to process this command."},
    {13, L"The data is invalid."},
    {14, L"Not enough memory resources are available to complete this operation."},
    {15, L"The system cannot find the drive specified."},
    {16, L"The directory cannot be removed."},
    {17, L"The system cannot move the file to a different disk drive."},
    {18, L"There are no more files."},
    {19, L"The media is write protected."},
    {32, L"The process cannot access the file because it is being used by another process."},
    {38, L"Reached the end of the file."},
    {39, L"The disk is full."},
    {50, L"The request is not supported."},
    {80, L"The file exists."},
    {82, L"The directory or file cannot be created."},
    {87, L"The parameter is incorrect."},
    {112, L"There is not enough space on the disk."},
    {120, L"This function is not supported on this system."},
    {122, L"The data area passed to a system call is too small."},
    {123, L"The filename, directory name, or volume label syntax is incorrect."},
    {126, L"The specified module could not be found."},
    {127, L"The specified procedure could not be found."},
    {131, L"An attempt was made to move the file pointer before the beginning of the file."},
    {145, L"The directory is not empty."},
    {160, L"One or more arguments are not correct."},
    {161, L"The specified path is invalid."},
    {183, L"Cannot create a file when that file already exists."},
    {193, L"%1 is not a valid Win32 application."},
    {203, L"The system could not find the environment option that was entered."},
    {206, L"The filename or extension is too long."},
    {234, L"More data is available."},
    {259, L"No more data is available."},
    {267, L"The directory name is invalid."},
    {317, L"The system cannot find message text for message number 0x%1 in the message file for %2."},
    {1004, L"Invalid flags."},
    {1009, L"The configuration registry database is corrupt."},
    {1010, L"The configuration registry key is invalid."},
    {1011, L"The configuration registry key could not be opened."},
    {1012, L"The configuration registry key could not be read."},
    {1013, L"The configuration registry key could not be written."},
    {1018, L"Illegal operation attempted on a registry key that has been marked for deletion."},
    {1114, L"A dynamic link library (DLL) initialization routine failed."},
    {1223, L"The operation was canceled by the user."},
};

const wchar_t* systemText(DWORD code) {
    for (const auto& m : systemMessages)
        if (m.code == code)
            return m.text;
    return nullptr;
}

// Expands the escapes of a message text; inserts come from args (already fetched).
std::wstring expand(const wchar_t* text, bool ignoreInserts, const std::vector<DWORD_PTR>& args, bool system) {
    std::wstring out;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p != L'%') {
            out += *p;
            continue;
        }
        const wchar_t next = p[1];
        if (next == L'\0') {
            out += L'%';
            break;
        }
        if (next >= L'1' && next <= L'9') {
            int index = next - L'0';
            const wchar_t* q = p + 2;
            if (*q >= L'0' && *q <= L'9')
                index = index * 10 + (*q++ - L'0');
            std::wstring conversion = L"s";
            const wchar_t* end = q;
            if (*q == L'!') {
                const wchar_t* close = std::wcschr(q + 1, L'!');
                if (close) {
                    conversion.assign(q + 1, close);
                    end = close + 1;
                }
            }
            if (ignoreInserts || index > static_cast<int>(args.size())) {
                out.append(p, end);
            } else {
                const DWORD_PTR value = args[static_cast<size_t>(index - 1)];
                if (conversion == L"s") {
                    const wchar_t* s = reinterpret_cast<const wchar_t*>(value);
                    out += s ? s : L"";
                } else {
                    const std::wstring format = L"%" + conversion;
                    CString piece;
                    piece.Format(format.c_str(), value);
                    out += piece.GetString();
                }
            }
            p = end - 1;
            continue;
        }
        ++p;
        switch (next) {
        case L'0': return out;
        case L'n': out += L"\r\n"; break;
        case L'r': out += L'\r'; break;
        case L't': out += L'\t'; break;
        case L'b': out += L' '; break;
        default: out += next; break;  // %% %. %! and "% " stand for the character itself
        }
    }
    if (system)
        out += L"\r\n";
    return out;
}

}  // namespace

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD code) { lastError = code; }

DWORD FormatMessageW(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD, LPWSTR lpBuffer, DWORD nSize,
                     va_list* Arguments) {
    const wchar_t* text = nullptr;
    bool system = false;
    if (dwFlags & FORMAT_MESSAGE_FROM_STRING) {
        text = static_cast<const wchar_t*>(lpSource);
    } else if (dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) {
        text = systemText(dwMessageId);
        system = true;
    }
    if (!text) {
        SetLastError((dwFlags & (FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_FROM_SYSTEM)) ? ERROR_MR_MID_NOT_FOUND
                                                                                            : ERROR_INVALID_PARAMETER);
        return 0;
    }
    const bool ignoreInserts = (dwFlags & FORMAT_MESSAGE_IGNORE_INSERTS) != 0;
    std::vector<DWORD_PTR> args;
    if (!ignoreInserts && Arguments) {
        // Inserts are numbered; fetch as many arguments as the highest number asks for.
        int highest = 0;
        for (const wchar_t* p = text; *p; ++p) {
            if (*p == L'%' && p[1] >= L'1' && p[1] <= L'9') {
                int index = p[1] - L'0';
                if (p[2] >= L'0' && p[2] <= L'9')
                    index = index * 10 + (p[2] - L'0');
                highest = std::max(highest, index);
                ++p;
            } else if (*p == L'%' && p[1]) {
                ++p;
            }
        }
        if (dwFlags & FORMAT_MESSAGE_ARGUMENT_ARRAY) {
            const DWORD_PTR* array = reinterpret_cast<const DWORD_PTR*>(Arguments);
            args.assign(array, array + highest);
        } else {
            va_list copy;
            va_copy(copy, *Arguments);
            for (int i = 0; i < highest; ++i)
                args.push_back(va_arg(copy, DWORD_PTR));
            va_end(copy);
        }
    }
    if (!ignoreInserts && !Arguments && std::wcschr(text, L'%')) {
        // Inserts without arguments: Windows would read garbage; refuse instead.
        bool hasInsert = false;
        for (const wchar_t* p = text; *p; ++p)
            if (*p == L'%' && p[1] >= L'1' && p[1] <= L'9')
                hasInsert = true;
        if (hasInsert) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
    }
    const std::wstring result = expand(text, ignoreInserts, args, system);
    if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        if (!lpBuffer) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        const size_t chars = std::max<size_t>(result.size() + 1, nSize);
        auto* block = static_cast<wchar_t*>(LocalAlloc(LMEM_ZEROINIT, chars * sizeof(wchar_t)));
        if (!block) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
        result.copy(block, result.size());
        *reinterpret_cast<LPWSTR*>(lpBuffer) = block;
        return static_cast<DWORD>(result.size());
    }
    if (!lpBuffer || result.size() + 1 > nSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    result.copy(lpBuffer, result.size());
    lpBuffer[result.size()] = L'\0';
    return static_cast<DWORD>(result.size());
}

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) {
    void* block = (uFlags & LMEM_ZEROINIT) ? std::calloc(1, uBytes ? uBytes : 1) : std::malloc(uBytes ? uBytes : 1);
    if (!block)
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return block;
}

HLOCAL LocalFree(HLOCAL hMem) {
    std::free(hMem);
    return nullptr;
}
