// printf-style wide formatting with the Microsoft runtime's rules, used by CString::Format
// and the wide runtime functions: %s takes a wide string, %S and %hs a narrow (UTF-8) one,
// %c a wide character, l on integers means 32 bits, %I64d/%I32d/%Id, %p as 16 hex digits.
#include <afxstr.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/Session.h"

namespace platform {
namespace {

enum class Size { Default, Char, Short, Long, LongLong, Pointer, LongDouble };

// Formats one number conversion through swprintf with its directive rebuilt for glibc.
template <typename T>
void appendNumber(std::wstring& out, const std::wstring& flags, int width, int precision,
                  const wchar_t* length, wchar_t conv, T value) {
    std::wstring directive = L"%" + flags;
    if (width >= 0)
        directive += std::to_wstring(width);
    if (precision >= 0)
        directive += L"." + std::to_wstring(precision);
    directive += length;
    directive += conv;
    // Room for the digits of any value plus padding and precision.
    std::vector<wchar_t> buffer(static_cast<size_t>(std::max(width, 0)) + static_cast<size_t>(std::max(precision, 0)) + 400);
    const int n = std::swprintf(buffer.data(), buffer.size(), directive.c_str(), value);
    if (n > 0)
        out.append(buffer.data(), static_cast<size_t>(n));
}

// Pads text to width (left-justified with '-', else right-justified with spaces or zeros).
void appendPadded(std::wstring& out, std::wstring_view text, const std::wstring& flags, int width) {
    const bool left = flags.find(L'-') != std::wstring::npos;
    const bool zero = !left && flags.find(L'0') != std::wstring::npos;
    const size_t pad = width > 0 && static_cast<size_t>(width) > text.size() ? static_cast<size_t>(width) - text.size() : 0;
    if (!left)
        out.append(pad, zero ? L'0' : L' ');
    out += text;
    if (left)
        out.append(pad, L' ');
}

// Reads a decimal count, saturating instead of overflowing.
int readCount(const wchar_t*& p) {
    long long value = 0;
    while (*p >= L'0' && *p <= L'9') {
        value = std::min<long long>(value * 10 + (*p - L'0'), INT_MAX / 4);
        ++p;
    }
    return static_cast<int>(value);
}

}  // namespace

std::wstring formatWindows(const wchar_t* format, va_list args) {
    std::wstring out;
    if (!format)
        return out;
    va_list ap;
    va_copy(ap, args);
    const wchar_t* p = format;
    while (*p) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        ++p;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        std::wstring flags;
        while (*p && std::wcschr(L"-+ #0", *p))
            flags += *p++;
        int width = -1;
        if (*p == L'*') {
            width = va_arg(ap, int);
            if (width < 0) {
                flags += L'-';
                width = width == INT_MIN ? INT_MAX / 4 : std::min(-width, INT_MAX / 4);
            }
            ++p;
        } else if (*p >= L'0' && *p <= L'9') {
            width = readCount(p);
        }
        int precision = -1;
        if (*p == L'.') {
            ++p;
            if (*p == L'*') {
                precision = va_arg(ap, int);
                if (precision < 0)
                    precision = -1;
                else
                    precision = std::min(precision, INT_MAX / 4);
                ++p;
            } else {
                precision = readCount(p);
            }
        }
        Size size = Size::Default;
        bool wide = false;    // 'l' or 'w' before c/s/C/S
        bool narrow = false;  // 'h' before c/s/C/S
        for (;;) {
            if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
                size = Size::LongLong;
                p += 3;
            } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
                size = Size::Default;
                p += 3;
            } else if (*p == L'I' || *p == L'z' || *p == L't' || *p == L'j') {
                size = *p == L'j' ? Size::LongLong : Size::Pointer;
                ++p;
            } else if (*p == L'h') {
                size = size == Size::Short ? Size::Char : Size::Short;
                narrow = true;
                ++p;
            } else if (*p == L'l') {
                size = size == Size::Long ? Size::LongLong : Size::Long;
                wide = true;
                ++p;
            } else if (*p == L'w') {
                wide = true;
                ++p;
            } else if (*p == L'L') {
                size = Size::LongDouble;
                ++p;
            } else {
                break;
            }
        }
        const wchar_t conv = *p;
        if (!conv)
            break;
        ++p;
        switch (conv) {
        case L'd':
        case L'i':
            switch (size) {
            case Size::Char:
                appendNumber(out, flags, width, precision, L"", L'd', static_cast<int>(static_cast<signed char>(va_arg(ap, int))));
                break;
            case Size::Short:
                appendNumber(out, flags, width, precision, L"", L'd', static_cast<int>(static_cast<short>(va_arg(ap, int))));
                break;
            case Size::LongLong:
                appendNumber(out, flags, width, precision, L"ll", L'd', va_arg(ap, long long));
                break;
            case Size::Pointer:
                appendNumber(out, flags, width, precision, L"ll", L'd', static_cast<long long>(va_arg(ap, intptr_t)));
                break;
            default:  // 'l' is 32 bits on Windows
                appendNumber(out, flags, width, precision, L"", L'd', va_arg(ap, int));
                break;
            }
            break;
        case L'u':
        case L'o':
        case L'x':
        case L'X':
            switch (size) {
            case Size::Char:
                appendNumber(out, flags, width, precision, L"", conv, static_cast<unsigned>(static_cast<unsigned char>(va_arg(ap, unsigned))));
                break;
            case Size::Short:
                appendNumber(out, flags, width, precision, L"", conv, static_cast<unsigned>(static_cast<unsigned short>(va_arg(ap, unsigned))));
                break;
            case Size::LongLong:
                appendNumber(out, flags, width, precision, L"ll", conv, va_arg(ap, unsigned long long));
                break;
            case Size::Pointer:
                appendNumber(out, flags, width, precision, L"ll", conv, static_cast<unsigned long long>(va_arg(ap, uintptr_t)));
                break;
            default:
                appendNumber(out, flags, width, precision, L"", conv, va_arg(ap, unsigned));
                break;
            }
            break;
        case L'e':
        case L'E':
        case L'f':
        case L'F':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            // long double is double in the Microsoft runtime.
            appendNumber(out, flags, width, precision, L"", conv, va_arg(ap, double));
            break;
        case L'c':
        case L'C': {
            const bool isNarrow = conv == L'c' ? narrow : !wide;
            const int value = va_arg(ap, int);
            wchar_t ch = isNarrow ? static_cast<wchar_t>(static_cast<unsigned char>(value)) : static_cast<wchar_t>(value);
            appendPadded(out, std::wstring_view(&ch, 1), flags, width);
            break;
        }
        case L's':
        case L'S': {
            const bool isNarrow = conv == L's' ? narrow : !wide;
            std::wstring text;
            if (isNarrow) {
                const char* s = va_arg(ap, const char*);
                if (!s) {
                    text = L"(null)";
                } else if (precision >= 0) {
                    // Precision counts bytes of a narrow string.
                    text = fromUtf8(std::string_view(s, strnlen(s, static_cast<size_t>(precision))));
                } else {
                    text = fromUtf8(s);
                }
            } else {
                const wchar_t* s = va_arg(ap, const wchar_t*);
                if (!s)
                    text = L"(null)";
                else if (precision >= 0)
                    text.assign(s, wcsnlen(s, static_cast<size_t>(precision)));
                else
                    text = s;
            }
            if (precision >= 0 && text.size() > static_cast<size_t>(precision))
                text.resize(static_cast<size_t>(precision));
            appendPadded(out, text, flags, width);
            break;
        }
        case L'p': {
            const void* ptr = va_arg(ap, const void*);
            appendNumber(out, L"0", width >= 0 ? width : 16, -1, L"ll", L'X', static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(ptr)));
            break;
        }
        case L'n':
            // The Microsoft runtime refuses %n; take its argument and write nothing through it.
            (void)va_arg(ap, void*);
            break;
        default:
            // Not a conversion: the runtime would reject the format; show the text as written.
            out += L'%';
            out += conv;
            break;
        }
    }
    va_end(ap);
    return out;
}

}  // namespace platform
