// CString: the class library's wide string, held by value over std::wstring. Both the
// plug-in and the language pack use this one class from the shared platform library.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace platform {
/// Throws the class library's invalid-argument exception (a CInvalidArgException*).
[[noreturn]] void throwInvalidArgument();

/// An argument of a printf-style function as it travels through "...": string objects
/// (anything with GetString()) as their text pointer, scalars and pointers as they are.
/// Other class objects cannot travel through "..." and stop the compilation.
template <class T>
decltype(auto) varargValue(T&& value) {
    using D = std::decay_t<T>;
    if constexpr (std::is_class_v<D> && requires { value.GetString(); }) {
        return value.GetString();
    } else {
        static_assert(!std::is_class_v<D> && !std::is_union_v<D>,
                      "a class object cannot be passed to a printf-style function; pass its text");
        return static_cast<D>(value);
    }
}
}  // namespace platform

class CStringW {
public:
    CStringW() = default;
    CStringW(const CStringW&) = default;
    CStringW(CStringW&&) noexcept = default;
    /// A text, or, for a resource identifier made with MAKEINTRESOURCE, the string resource
    /// loaded as LoadString does.
    CStringW(const wchar_t* text) {
        if (text && IS_INTRESOURCE(text))
            LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
        else if (text)
            text_ = text;
    }
    CStringW(const wchar_t* text, int length) : text_(text ? std::wstring(text, length > 0 ? length : 0) : std::wstring()) {}
    CStringW(wchar_t ch, int repeat = 1) : text_(repeat > 0 ? repeat : 0, ch) {}
    /// Narrow text is taken as UTF-8 (the stand-in's "ANSI" for literals in code).
    CStringW(const char* text);
    explicit CStringW(std::wstring text) : text_(std::move(text)) {}
    explicit CStringW(std::wstring_view text) : text_(text) {}
    ~CStringW() = default;

    CStringW& operator=(const CStringW&) = default;
    CStringW& operator=(CStringW&&) noexcept = default;
    CStringW& operator=(const wchar_t* text) {
        text_ = text ? text : L"";
        return *this;
    }
    CStringW& operator=(wchar_t ch) {
        text_.assign(1, ch);
        return *this;
    }

    // Access
    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    const wchar_t* GetString() const { return text_.c_str(); }
    operator const wchar_t*() const { return text_.c_str(); }
    /// The character at index; index == GetLength() gives the terminator. Any other index
    /// outside the text throws CInvalidArgException*, as the class library does.
    wchar_t GetAt(int index) const {
        if (index < 0 || index > GetLength())
            platform::throwInvalidArgument();
        return text_.c_str()[index];
    }
    wchar_t operator[](int index) const { return GetAt(index); }
    /// Throws CInvalidArgException* for an index outside the text.
    void SetAt(int index, wchar_t ch) {
        if (index < 0 || index >= GetLength())
            platform::throwInvalidArgument();
        text_[static_cast<size_t>(index)] = ch;
    }
    void SetString(const wchar_t* text) { *this = text; }
    void SetString(const wchar_t* text, int length) { *this = CStringW(text, length); }
    const std::wstring& str() const { return text_; }

    // Buffer access in the MFC manner: GetBuffer gives room for at least minLength
    // characters plus the terminator; ReleaseBuffer(-1) takes the text up to the first NUL.
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }

    // Concatenation
    CStringW& operator+=(const CStringW& other) {
        text_ += other.text_;
        return *this;
    }
    CStringW& operator+=(const wchar_t* text) {
        if (text)
            text_ += text;
        return *this;
    }
    CStringW& operator+=(wchar_t ch) {
        text_ += ch;
        return *this;
    }
    void Append(const wchar_t* text) { *this += text; }
    void Append(const wchar_t* text, int length) {
        if (text && length > 0)
            text_.append(text, static_cast<size_t>(length));
    }
    void AppendChar(wchar_t ch) { text_ += ch; }

    // Comparison
    int Compare(const wchar_t* other) const;
    int CompareNoCase(const wchar_t* other) const;
    int Collate(const wchar_t* other) const;
    int CollateNoCase(const wchar_t* other) const;

    // Extraction
    CStringW Left(int count) const;
    CStringW Right(int count) const;
    CStringW Mid(int first) const;
    CStringW Mid(int first, int count) const;
    CStringW SpanIncluding(const wchar_t* set) const;
    CStringW SpanExcluding(const wchar_t* set) const;
    /// Returns the next token after position start and moves start past it; at the end
    /// it returns an empty text and sets start to -1. Runs of delimiters count as one.
    CStringW Tokenize(const wchar_t* delimiters, int& start) const;

    // Search
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* set) const;

    // Change
    CStringW& MakeUpper();
    CStringW& MakeLower();
    CStringW& MakeReverse();
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);
    CStringW& Trim();
    CStringW& Trim(wchar_t ch);
    CStringW& Trim(const wchar_t* set);
    CStringW& TrimLeft();
    CStringW& TrimLeft(wchar_t ch);
    CStringW& TrimLeft(const wchar_t* set);
    CStringW& TrimRight();
    CStringW& TrimRight(wchar_t ch);
    CStringW& TrimRight(const wchar_t* set);
    void Truncate(int length);

    // Formatting with the Microsoft runtime's rules: %s takes a wide string, %S or %hs a
    // narrow one, %c a wide character, %I64d a 64-bit integer.
    // String objects among the arguments are passed as their text, as the class library's
    // string (a single pointer) is on Windows; other class objects are refused at compile time.
    template <class... Args>
    void Format(const wchar_t* format, Args&&... args) {
        FormatArguments(format, platform::varargValue(std::forward<Args>(args))...);
    }
    /// Formats with the string resource id as the format (empty when it is missing).
    template <class... Args>
    void Format(UINT formatId, Args&&... args) {
        FormatResource(formatId, platform::varargValue(std::forward<Args>(args))...);
    }
    template <class... Args>
    void AppendFormat(const wchar_t* format, Args&&... args) {
        AppendFormatArguments(format, platform::varargValue(std::forward<Args>(args))...);
    }
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormatV(const wchar_t* format, va_list args);
    // The C-variadic forms behind the templates.
    void FormatArguments(const wchar_t* format, ...);
    void FormatResource(UINT formatId, ...);
    void AppendFormatArguments(const wchar_t* format, ...);

    /// Loads a string resource: from the current module state's resource module, then from
    /// the extension modules of its resource chain. FALSE, and the text unchanged, when none
    /// holds the identifier.
    BOOL LoadString(UINT id);
    /// Loads a string resource of one module only; FALSE and the text unchanged if missing.
    BOOL LoadString(HINSTANCE module, UINT id);
#ifndef LoadString
    BOOL LoadStringW(UINT id) { return LoadString(id); }
    BOOL LoadStringW(HINSTANCE module, UINT id) { return LoadString(module, id); }
#endif

    friend CStringW operator+(const CStringW& a, const CStringW& b) {
        CStringW r(a);
        r += b;
        return r;
    }
    friend CStringW operator+(const CStringW& a, const wchar_t* b) {
        CStringW r(a);
        r += b;
        return r;
    }
    friend CStringW operator+(const wchar_t* a, const CStringW& b) {
        CStringW r(a);
        r += b;
        return r;
    }
    friend CStringW operator+(const CStringW& a, wchar_t b) {
        CStringW r(a);
        r += b;
        return r;
    }
    friend CStringW operator+(wchar_t a, const CStringW& b) {
        CStringW r(a);
        r += b;
        return r;
    }
    friend bool operator==(const CStringW& a, const CStringW& b) { return a.text_ == b.text_; }
    friend bool operator==(const CStringW& a, const wchar_t* b) { return a.text_ == (b ? b : L""); }
    friend bool operator==(const wchar_t* a, const CStringW& b) { return b == a; }
    friend bool operator!=(const CStringW& a, const CStringW& b) { return !(a == b); }
    friend bool operator!=(const CStringW& a, const wchar_t* b) { return !(a == b); }
    friend bool operator!=(const wchar_t* a, const CStringW& b) { return !(b == a); }
    friend bool operator<(const CStringW& a, const CStringW& b) { return a.Compare(b) < 0; }
    friend bool operator>(const CStringW& a, const CStringW& b) { return a.Compare(b) > 0; }
    friend bool operator<=(const CStringW& a, const CStringW& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const CStringW& a, const CStringW& b) { return a.Compare(b) >= 0; }

private:
    std::wstring text_;
};

typedef CStringW CString;

namespace platform {
/// printf-style formatting with the Microsoft runtime's conversion rules (see CString::Format);
/// %n writes nothing.
std::wstring formatWindows(const wchar_t* format, va_list args);
/// Case-insensitive comparison of two wide texts (simple case folding).
int compareNoCase(std::wstring_view a, std::wstring_view b);
wchar_t toUpper(wchar_t ch);
wchar_t toLower(wchar_t ch);
}  // namespace platform
