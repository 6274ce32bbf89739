// Shared helpers of the Windows stand-in: locale-independent case folding, error codes,
// quoting for recorded lines and the table of kernel object handles.
#include "WinInternal.h"

#include "platform/CaseFolding.h"
#include "platform/Paths.h"

#include <clocale>
#include <cwctype>
#include <locale.h>
#include <mutex>
#include <unordered_map>

namespace platform::detail {
namespace {

// Folding must not depend on setlocale(): a process that never calls it is in the "C"
// locale, where towlower knows ASCII only. The UTF-8 C locale has the full tables.
locale_t unicodeLocale() {
    static const locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (!l)
            l = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(nullptr));
        return l;
    }();
    return loc;
}

std::mutex& handleMutex() {
    static std::mutex m;
    return m;
}

std::unordered_map<HANDLE, std::unique_ptr<KernelObject>>& handles() {
    static std::unordered_map<HANDLE, std::unique_ptr<KernelObject>> table;
    return table;
}

}  // namespace

wchar_t foldCase(wchar_t ch) {
    if (ch < 0x80)
        return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch + 32) : ch;
    const locale_t loc = unicodeLocale();
    return loc ? static_cast<wchar_t>(towlower_l(static_cast<wint_t>(ch), loc))
               : static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
}

wchar_t upperCase(wchar_t ch) {
    if (ch < 0x80)
        return (ch >= L'a' && ch <= L'z') ? static_cast<wchar_t>(ch - 32) : ch;
    const locale_t loc = unicodeLocale();
    return loc ? static_cast<wchar_t>(towupper_l(static_cast<wint_t>(ch), loc))
               : static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
}

int compareFolded(std::wstring_view a, std::wstring_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wchar_t x = foldCase(a[i]);
        const wchar_t y = foldCase(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && compareFolded(a, b) == 0;
}

DWORD setLastErrorFromErrno(int error) {
    const DWORD code = errorFromErrno(error);
    SetLastError(code);
    return code;
}

std::wstring quoted(const wchar_t* text) {
    std::wstring out = L"\"";
    for (const wchar_t* p = text ? text : L""; *p; ++p) {
        switch (*p) {
        case L'"': out += L"\\\""; break;
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        case L'\t': out += L"\\t"; break;
        default:
            if (*p < 0x20) {
                wchar_t hex[8];
                std::swprintf(hex, 8, L"\\x%02X", static_cast<unsigned>(*p));
                out += hex;
            } else {
                out += *p;
            }
        }
    }
    out += L'"';
    return out;
}

DWORD copyOut(std::wstring_view text, LPWSTR buffer, DWORD size) {
    if (!buffer || text.size() + 1 > size)
        return static_cast<DWORD>(text.size() + 1);
    text.copy(buffer, text.size());
    buffer[text.size()] = L'\0';
    return static_cast<DWORD>(text.size());
}

HANDLE registerHandle(std::unique_ptr<KernelObject> object) {
    HANDLE h = object.get();
    std::lock_guard lock(handleMutex());
    handles().emplace(h, std::move(object));
    return h;
}

KernelObject* lookupHandle(HANDLE handle) {
    std::lock_guard lock(handleMutex());
    auto it = handles().find(handle);
    return it == handles().end() ? nullptr : it->second.get();
}

std::unique_ptr<KernelObject> releaseHandle(HANDLE handle) {
    std::lock_guard lock(handleMutex());
    auto it = handles().find(handle);
    if (it == handles().end())
        return nullptr;
    auto object = std::move(it->second);
    handles().erase(it);
    return object;
}

}  // namespace platform::detail

namespace platform {

wchar_t foldCase(wchar_t ch) { return detail::foldCase(ch); }

wchar_t upperCase(wchar_t ch) { return detail::upperCase(ch); }

}  // namespace platform
