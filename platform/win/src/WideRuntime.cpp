// The Microsoft C runtime's wide-character functions: file-system calls on Windows paths,
// number parsing, case-insensitive comparison, bounded copies and formatting.
#include "WinInternal.h"
#include "platform/Paths.h"

#include <afxstr.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using namespace platform::detail;

namespace {

int mapped(const wchar_t* path, std::string& out) {
    if (!path) {
        errno = EINVAL;
        return -1;
    }
    out = toUnixPath(path);
    if (out.empty()) {
        errno = ENOENT;
        return -1;
    }
    return 0;
}

bool isSpace(wchar_t ch) { return ch == L' ' || (ch >= L'\t' && ch <= L'\r'); }

// The Microsoft rule: white space, sign, decimal digits; clamps to [low, high] with ERANGE.
long long parseInteger(const wchar_t* text, long long low, long long high) {
    if (!text)
        return 0;
    const wchar_t* p = text;
    while (isSpace(*p))
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-')
        negative = *p++ == L'-';
    // Accumulate as a negative number so that the lowest value fits.
    long long value = 0;
    bool overflow = false;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        const int digit = *p - L'0';
        if (!overflow) {
            if (value < (LLONG_MIN + digit) / 10)
                overflow = true;
            else
                value = value * 10 - digit;
        }
    }
    if (!negative) {
        if (overflow || value < -high) {
            errno = ERANGE;
            return high;
        }
        return -value;
    }
    if (overflow || value < low) {
        errno = ERANGE;
        return low;
    }
    return value;
}

locale_t cLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

template <typename Unsigned>
errno_t toText(Unsigned magnitude, bool negative, wchar_t* dest, size_t size, int radix) {
    if (!dest || size == 0)
        return EINVAL;
    dest[0] = L'\0';
    if (radix < 2 || radix > 36)
        return EINVAL;
    wchar_t digits[72];
    size_t n = 0;
    do {
        const unsigned d = static_cast<unsigned>(magnitude % static_cast<Unsigned>(radix));
        digits[n++] = static_cast<wchar_t>(d < 10 ? L'0' + d : L'a' + d - 10);
        magnitude /= static_cast<Unsigned>(radix);
    } while (magnitude);
    if (negative)
        digits[n++] = L'-';
    if (n + 1 > size)
        return ERANGE;
    for (size_t i = 0; i < n; ++i)
        dest[i] = digits[n - 1 - i];
    dest[n] = L'\0';
    return 0;
}

template <typename Signed>
errno_t signedToText(Signed value, wchar_t* dest, size_t size, int radix) {
    using U = std::make_unsigned_t<Signed>;
    if (radix == 10 && value < 0)
        return toText<U>(U(0) - static_cast<U>(value), true, dest, size, radix);
    return toText<U>(static_cast<U>(value), false, dest, size, radix);
}

}  // namespace

int _wremove(const wchar_t* path) {
    std::string p;
    if (mapped(path, p) != 0)
        return -1;
    struct stat st {};
    if (lstat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EACCES;
        return -1;
    }
    return unlink(p.c_str());
}

int _wrename(const wchar_t* oldName, const wchar_t* newName) {
    std::string from, to;
    if (mapped(oldName, from) != 0 || mapped(newName, to) != 0)
        return -1;
    // The Microsoft rename does not replace an existing target.
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno == EINVAL || errno == ENOSYS) {
        struct stat st {};
        if (lstat(to.c_str(), &st) == 0) {
            errno = EACCES;
            return -1;
        }
        return rename(from.c_str(), to.c_str());
    }
    if (errno == EEXIST)
        errno = EACCES;
    return -1;
}

int _waccess(const wchar_t* path, int mode) {
    std::string p;
    if (mapped(path, p) != 0)
        return -1;
    if (mode & ~6) {
        errno = EINVAL;
        return -1;
    }
    int how = F_OK;
    if (mode & 2)
        how |= W_OK;
    if (mode & 4)
        how |= R_OK;
    return access(p.c_str(), how);
}

int _wmkdir(const wchar_t* path) {
    std::string p;
    if (mapped(path, p) != 0)
        return -1;
    return mkdir(p.c_str(), 0777);
}

int _wrmdir(const wchar_t* path) {
    std::string p;
    if (mapped(path, p) != 0)
        return -1;
    return rmdir(p.c_str());
}

wchar_t* _wfullpath(wchar_t* absPath, const wchar_t* relPath, size_t maxLength) {
    const std::wstring full = fullWindowsPath(relPath && *relPath ? relPath : L".");
    if (!absPath) {
        auto* block = static_cast<wchar_t*>(std::malloc((full.size() + 1) * sizeof(wchar_t)));
        if (!block) {
            errno = ENOMEM;
            return nullptr;
        }
        full.copy(block, full.size());
        block[full.size()] = L'\0';
        return block;
    }
    if (full.size() + 1 > maxLength) {
        errno = ERANGE;
        return nullptr;
    }
    full.copy(absPath, full.size());
    absPath[full.size()] = L'\0';
    return absPath;
}

errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, size_t driveSize, wchar_t* dir, size_t dirSize,
                      wchar_t* fname, size_t nameSize, wchar_t* ext, size_t extSize) {
    struct Part {
        wchar_t* out;
        size_t size;
    } parts[] = {{drive, driveSize}, {dir, dirSize}, {fname, nameSize}, {ext, extSize}};
    for (auto& part : parts)
        if (part.out && part.size)
            part.out[0] = L'\0';
    if (!path)
        return EINVAL;
    for (auto& part : parts)
        if ((part.out == nullptr) != (part.size == 0))
            return EINVAL;
    std::wstring_view rest(path);
    std::wstring_view values[4];
    if (rest.size() >= 2 && rest[1] == L':') {
        values[0] = rest.substr(0, 2);
        rest.remove_prefix(2);
    }
    const size_t slash = rest.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos) {
        values[1] = rest.substr(0, slash + 1);
        rest.remove_prefix(slash + 1);
    }
    const size_t dot = rest.rfind(L'.');
    if (dot != std::wstring_view::npos) {
        values[2] = rest.substr(0, dot);
        values[3] = rest.substr(dot);
    } else {
        values[2] = rest;
    }
    for (int i = 0; i < 4; ++i) {
        if (parts[i].out && values[i].size() + 1 > parts[i].size) {
            for (auto& part : parts)
                if (part.out)
                    part.out[0] = L'\0';
            return ERANGE;
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (parts[i].out) {
            values[i].copy(parts[i].out, values[i].size());
            parts[i].out[values[i].size()] = L'\0';
        }
    }
    return 0;
}

errno_t _wmakepath_s(wchar_t* path, size_t size, const wchar_t* drive, const wchar_t* dir, const wchar_t* fname,
                     const wchar_t* ext) {
    if (!path || size == 0)
        return EINVAL;
    std::wstring result;
    if (drive && *drive) {
        result += drive[0];
        result += L':';
    }
    if (dir && *dir) {
        result += dir;
        if (result.back() != L'\\' && result.back() != L'/')
            result += L'\\';
    }
    if (fname)
        result += fname;
    if (ext && *ext) {
        if (*ext != L'.')
            result += L'.';
        result += ext;
    }
    if (result.size() + 1 > size) {
        path[0] = L'\0';
        return ERANGE;
    }
    result.copy(path, result.size());
    path[result.size()] = L'\0';
    return 0;
}

int _wtoi(const wchar_t* text) { return static_cast<int>(parseInteger(text, INT_MIN, INT_MAX)); }

long _wtol(const wchar_t* text) { return static_cast<long>(parseInteger(text, INT32_MIN, INT32_MAX)); }

long long _wtoi64(const wchar_t* text) { return parseInteger(text, LLONG_MIN, LLONG_MAX); }

double _wtof(const wchar_t* text) {
    if (!text)
        return 0.0;
    const locale_t loc = cLocale();
    return loc ? wcstod_l(text, nullptr, loc) : std::wcstod(text, nullptr);
}

int _wcsicmp(const wchar_t* a, const wchar_t* b) { return compareFolded(a ? a : L"", b ? b : L""); }

int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t count) {
    std::wstring_view x(a ? a : L""), y(b ? b : L"");
    return compareFolded(x.substr(0, std::min(count, x.size())), y.substr(0, std::min(count, y.size())));
}

int _wcsicoll(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }

errno_t _wcslwr_s(wchar_t* text, size_t size) {
    if (!text || size == 0)
        return EINVAL;
    const size_t n = wcsnlen(text, size);
    if (n == size) {
        text[0] = L'\0';
        return EINVAL;
    }
    for (size_t i = 0; i < n; ++i)
        text[i] = foldCase(text[i]);
    return 0;
}

errno_t _wcsupr_s(wchar_t* text, size_t size) {
    if (!text || size == 0)
        return EINVAL;
    const size_t n = wcsnlen(text, size);
    if (n == size) {
        text[0] = L'\0';
        return EINVAL;
    }
    for (size_t i = 0; i < n; ++i)
        text[i] = upperCase(text[i]);
    return 0;
}

wchar_t* _wcsdup(const wchar_t* text) { return text ? wcsdup(text) : nullptr; }

wchar_t* wcstok_s(wchar_t* text, const wchar_t* delimiters, wchar_t** context) {
    if (!context || !delimiters || (!text && !*context)) {
        errno = EINVAL;
        return nullptr;
    }
    return std::wcstok(text, delimiters, context);
}

errno_t wcscpy_s(wchar_t* dest, size_t size, const wchar_t* src) {
    if (!dest || size == 0)
        return EINVAL;
    if (!src) {
        dest[0] = L'\0';
        return EINVAL;
    }
    const size_t n = std::wcslen(src);
    if (n + 1 > size) {
        dest[0] = L'\0';
        return ERANGE;
    }
    std::wmemmove(dest, src, n + 1);
    return 0;
}

errno_t wcsncpy_s(wchar_t* dest, size_t size, const wchar_t* src, size_t count) {
    if (!dest && size == 0 && count == 0)
        return 0;
    if (!dest || size == 0)
        return EINVAL;
    if (!src) {
        dest[0] = L'\0';
        return count == 0 ? 0 : EINVAL;
    }
    size_t n = wcsnlen(src, count == _TRUNCATE ? SIZE_MAX : count);
    errno_t result = 0;
    if (n + 1 > size) {
        if (count != _TRUNCATE) {
            dest[0] = L'\0';
            return ERANGE;
        }
        n = size - 1;
        result = STRUNCATE;
    }
    std::wmemmove(dest, src, n);
    dest[n] = L'\0';
    return result;
}

errno_t wcscat_s(wchar_t* dest, size_t size, const wchar_t* src) {
    if (!dest || size == 0)
        return EINVAL;
    const size_t have = wcsnlen(dest, size);
    if (have == size) {
        dest[0] = L'\0';
        return EINVAL;
    }
    if (!src) {
        dest[0] = L'\0';
        return EINVAL;
    }
    const size_t n = std::wcslen(src);
    if (have + n + 1 > size) {
        dest[0] = L'\0';
        return ERANGE;
    }
    std::wmemmove(dest + have, src, n + 1);
    return 0;
}

int vswprintf_s(wchar_t* dest, size_t size, const wchar_t* format, va_list args) {
    if (!dest || size == 0)
        return -1;
    if (!format) {
        dest[0] = L'\0';
        return -1;
    }
    const std::wstring text = formatWindows(format, args);
    if (text.size() + 1 > size) {
        dest[0] = L'\0';
        return -1;
    }
    text.copy(dest, text.size());
    dest[text.size()] = L'\0';
    return static_cast<int>(text.size());
}

int swprintf_s(wchar_t* dest, size_t size, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = vswprintf_s(dest, size, format, args);
    va_end(args);
    return result;
}

int _vsnwprintf_s(wchar_t* dest, size_t size, size_t count, const wchar_t* format, va_list args) {
    if (!dest && size == 0 && count == 0)
        return 0;
    if (!dest || size == 0)
        return -1;
    if (!format) {
        dest[0] = L'\0';
        return -1;
    }
    std::wstring text = formatWindows(format, args);
    bool cut = false;
    if (count != _TRUNCATE && text.size() > count) {
        text.resize(count);
        cut = true;
    }
    if (text.size() + 1 > size) {
        if (count != _TRUNCATE) {
            dest[0] = L'\0';
            return -1;
        }
        text.resize(size - 1);
        cut = true;
    }
    text.copy(dest, text.size());
    dest[text.size()] = L'\0';
    return cut ? -1 : static_cast<int>(text.size());
}

int _snwprintf_s(wchar_t* dest, size_t size, size_t count, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = _vsnwprintf_s(dest, size, count, format, args);
    va_end(args);
    return result;
}

errno_t _itow_s(int value, wchar_t* dest, size_t size, int radix) { return signedToText<int>(value, dest, size, radix); }

errno_t _ltow_s(long value, wchar_t* dest, size_t size, int radix) {
    // LONG is 32-bit on Windows.
    return signedToText<int32_t>(static_cast<int32_t>(value), dest, size, radix);
}

errno_t _ultow_s(unsigned long value, wchar_t* dest, size_t size, int radix) {
    return toText<uint32_t>(static_cast<uint32_t>(value), false, dest, size, radix);
}

errno_t _i64tow_s(long long value, wchar_t* dest, size_t size, int radix) {
    return signedToText<long long>(value, dest, size, radix);
}

errno_t _ui64tow_s(unsigned long long value, wchar_t* dest, size_t size, int radix) {
    return toText<unsigned long long>(value, false, dest, size, radix);
}

wchar_t* _itow(int value, wchar_t* dest, int radix) {
    if (_itow_s(value, dest, 33, radix) != 0 && dest)
        dest[0] = L'\0';
    return dest;
}
