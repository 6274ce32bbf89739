// The ATL string header: CString (wide), CStringA (narrow, UTF-8) and the conversions.
#pragma once

#include <afxstr.h>
#include <atlconv.h>

#include <string>

/// A narrow string (UTF-8 in the stand-in), for the few 8-bit texts the platform takes.
class CStringA {
public:
    CStringA() = default;
    CStringA(const char* text) : text_(text ? text : "") {}
    CStringA(const char* text, int length) : text_(text && length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string()) {}
    CStringA(const wchar_t* text) : text_(platform::toUtf8(text ? text : L"")) {}
    CStringA(const CStringW& text) : text_(platform::toUtf8(text.GetString())) {}

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    const char* GetString() const { return text_.c_str(); }
    operator const char*() const { return text_.c_str(); }
    CStringA& operator+=(const CStringA& other) {
        text_ += other.text_;
        return *this;
    }
    CStringA& operator+=(const char* text) {
        if (text)
            text_ += text;
        return *this;
    }
    CStringA& operator+=(char ch) {
        text_ += ch;
        return *this;
    }
    friend bool operator==(const CStringA& a, const CStringA& b) { return a.text_ == b.text_; }
    friend bool operator!=(const CStringA& a, const CStringA& b) { return a.text_ != b.text_; }

private:
    std::string text_;
};
