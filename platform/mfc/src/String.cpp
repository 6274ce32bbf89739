// CString operations and the Microsoft-style wide formatting.
#include <afxstr.h>

#include <algorithm>
#include <cwctype>
#include <locale.h>
#include <wctype.h>
#include <vector>

#include "platform/Session.h"

namespace platform {

namespace {

// Case mapping that does not depend on the process's locale: Windows folds the case of
// every letter (Ł and ł, Ó and ó), whatever the program set with setlocale.
locale_t unicodeLocale() {
    static const locale_t locale = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (!l)
            l = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(nullptr));
        return l;
    }();
    return locale;
}

}  // namespace

wchar_t toUpper(wchar_t ch) {
    if (ch < 0x80)
        return (ch >= L'a' && ch <= L'z') ? static_cast<wchar_t>(ch - 0x20) : ch;
    const locale_t l = unicodeLocale();
    return static_cast<wchar_t>(l ? towupper_l(static_cast<wint_t>(ch), l) : std::towupper(static_cast<wint_t>(ch)));
}

wchar_t toLower(wchar_t ch) {
    if (ch < 0x80)
        return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch + 0x20) : ch;
    const locale_t l = unicodeLocale();
    return static_cast<wchar_t>(l ? towlower_l(static_cast<wint_t>(ch), l) : std::towlower(static_cast<wint_t>(ch)));
}

int compareNoCase(std::wstring_view a, std::wstring_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wchar_t x = toLower(a[i]);
        const wchar_t y = toLower(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace platform

CStringW::CStringW(const char* text) : text_(text ? platform::fromUtf8(text) : std::wstring()) {}

wchar_t* CStringW::GetBuffer(int minLength) {
    const size_t want = static_cast<size_t>(std::max(minLength, 0));
    if (text_.size() < want)
        text_.resize(want, L'\0');
    return text_.data();
}

wchar_t* CStringW::GetBufferSetLength(int length) {
    text_.resize(static_cast<size_t>(std::max(length, 0)), L'\0');
    return text_.data();
}

void CStringW::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        const size_t nul = text_.find(L'\0');
        if (nul != std::wstring::npos)
            text_.resize(nul);
    } else if (static_cast<size_t>(newLength) <= text_.size()) {
        text_.resize(static_cast<size_t>(newLength));
    }
}

int CStringW::Compare(const wchar_t* other) const {
    const int r = text_.compare(other ? other : L"");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CStringW::CompareNoCase(const wchar_t* other) const {
    return platform::compareNoCase(text_, other ? other : L"");
}

int CStringW::Collate(const wchar_t* other) const { return Compare(other); }

int CStringW::CollateNoCase(const wchar_t* other) const { return CompareNoCase(other); }

CStringW CStringW::Left(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CStringW(text_.substr(0, static_cast<size_t>(count)));
}

CStringW CStringW::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CStringW(text_.substr(text_.size() - static_cast<size_t>(count)));
}

CStringW CStringW::Mid(int first) const { return Mid(first, GetLength()); }

CStringW CStringW::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CStringW(text_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CStringW CStringW::SpanIncluding(const wchar_t* set) const {
    const size_t n = text_.find_first_not_of(set ? set : L"");
    return CStringW(text_.substr(0, n));
}

CStringW CStringW::SpanExcluding(const wchar_t* set) const {
    const size_t n = text_.find_first_of(set ? set : L"");
    return CStringW(text_.substr(0, n));
}

CStringW CStringW::Tokenize(const wchar_t* delimiters, int& start) const {
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CStringW();
    }
    const wchar_t* set = delimiters ? delimiters : L"";
    if (!*set) {
        // No delimiters: the rest of the text is one token.
        CStringW token(text_.substr(static_cast<size_t>(start)));
        start = GetLength() + 1;
        return token;
    }
    const size_t from = text_.find_first_not_of(set, static_cast<size_t>(start));
    if (from == std::wstring::npos) {
        start = -1;
        return CStringW();
    }
    size_t to = text_.find_first_of(set, from);
    if (to == std::wstring::npos)
        to = text_.size();
    start = static_cast<int>(to) + 1;
    return CStringW(text_.substr(from, to - from));
}

int CStringW::Find(wchar_t ch, int start) const {
    if (start < 0 || start > GetLength())
        return -1;
    const size_t at = text_.find(ch, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CStringW::Find(const wchar_t* sub, int start) const {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const size_t at = text_.find(sub, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CStringW::ReverseFind(wchar_t ch) const {
    const size_t at = text_.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CStringW::FindOneOf(const wchar_t* set) const {
    const size_t at = text_.find_first_of(set ? set : L"");
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

CStringW& CStringW::MakeUpper() {
    for (auto& ch : text_)
        ch = platform::toUpper(ch);
    return *this;
}

CStringW& CStringW::MakeLower() {
    for (auto& ch : text_)
        ch = platform::toLower(ch);
    return *this;
}

CStringW& CStringW::MakeReverse() {
    std::reverse(text_.begin(), text_.end());
    return *this;
}

int CStringW::Replace(wchar_t oldCh, wchar_t newCh) {
    int count = 0;
    for (auto& ch : text_) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CStringW::Replace(const wchar_t* oldText, const wchar_t* newText) {
    if (!oldText || !*oldText)
        return 0;
    const std::wstring from(oldText);
    const std::wstring to(newText ? newText : L"");
    int count = 0;
    std::wstring result;
    size_t pos = 0;
    for (;;) {
        const size_t at = text_.find(from, pos);
        if (at == std::wstring::npos)
            break;
        result.append(text_, pos, at - pos);
        result += to;
        pos = at + from.size();
        ++count;
    }
    if (count) {
        result.append(text_, pos, std::wstring::npos);
        text_ = std::move(result);
    }
    return count;
}

int CStringW::Remove(wchar_t ch) {
    const size_t before = text_.size();
    text_.erase(std::remove(text_.begin(), text_.end(), ch), text_.end());
    return static_cast<int>(before - text_.size());
}

int CStringW::Insert(int index, wchar_t ch) {
    index = std::clamp(index, 0, GetLength());
    text_.insert(text_.begin() + index, ch);
    return GetLength();
}

int CStringW::Insert(int index, const wchar_t* text) {
    index = std::clamp(index, 0, GetLength());
    if (text)
        text_.insert(static_cast<size_t>(index), text);
    return GetLength();
}

int CStringW::Delete(int index, int count) {
    if (index < 0)
        index = 0;
    if (count > 0 && index < GetLength())
        text_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

namespace {
const wchar_t kWhitespace[] = L" \t\n\r\v\f";
}

CStringW& CStringW::Trim() { return TrimRight().TrimLeft(); }
CStringW& CStringW::Trim(wchar_t ch) { return TrimRight(ch).TrimLeft(ch); }
CStringW& CStringW::Trim(const wchar_t* set) { return TrimRight(set).TrimLeft(set); }
CStringW& CStringW::TrimLeft() { return TrimLeft(kWhitespace); }
CStringW& CStringW::TrimRight() { return TrimRight(kWhitespace); }

CStringW& CStringW::TrimLeft(wchar_t ch) {
    const wchar_t set[2] = {ch, L'\0'};
    return TrimLeft(set);
}

CStringW& CStringW::TrimRight(wchar_t ch) {
    const wchar_t set[2] = {ch, L'\0'};
    return TrimRight(set);
}

CStringW& CStringW::TrimLeft(const wchar_t* set) {
    const size_t from = text_.find_first_not_of(set ? set : L"");
    text_.erase(0, from == std::wstring::npos ? text_.size() : from);
    return *this;
}

CStringW& CStringW::TrimRight(const wchar_t* set) {
    const size_t last = text_.find_last_not_of(set ? set : L"");
    text_.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

void CStringW::Truncate(int length) {
    if (length >= 0 && length < GetLength())
        text_.resize(static_cast<size_t>(length));
}

void CStringW::FormatArguments(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CStringW::FormatV(const wchar_t* format, va_list args) { text_ = platform::formatWindows(format, args); }

void CStringW::AppendFormatArguments(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CStringW::AppendFormatV(const wchar_t* format, va_list args) { text_ += platform::formatWindows(format, args); }
