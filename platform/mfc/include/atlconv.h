// Text conversion helpers in the ATL manner (CW2A, CA2W, CT2A ...). Narrow text is UTF-8,
// the stand-in's 8-bit code page.
#pragma once

#include <windows.h>

#include <string>

namespace platform {
std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);
}  // namespace platform

/// A narrow copy of a wide text, alive as long as the object.
class CW2A {
public:
    explicit CW2A(const wchar_t* text, UINT codePage = 0) : text_(platform::toUtf8(text ? text : L"")) { (void)codePage; }
    operator const char*() const { return text_.c_str(); }
    operator char*() { return text_.data(); }

private:
    std::string text_;
};

/// A wide copy of a narrow (UTF-8) text, alive as long as the object.
class CA2W {
public:
    explicit CA2W(const char* text, UINT codePage = 0) : text_(platform::fromUtf8(text ? text : "")) { (void)codePage; }
    operator const wchar_t*() const { return text_.c_str(); }
    operator wchar_t*() { return text_.data(); }

private:
    std::wstring text_;
};

/// A wide copy of a wide text (TCHAR is wide).
class CW2W {
public:
    explicit CW2W(const wchar_t* text, UINT codePage = 0) : text_(text ? text : L"") { (void)codePage; }
    operator const wchar_t*() const { return text_.c_str(); }
    operator wchar_t*() { return text_.data(); }

private:
    std::wstring text_;
};

typedef CW2A CT2A;
typedef CW2A CT2CA;
typedef CW2A CW2CA;
typedef CA2W CA2T;
typedef CA2W CA2CT;
typedef CA2W CA2CW;
typedef CW2W CT2W;
typedef CW2W CT2CW;
typedef CW2W CW2T;
typedef CW2W CW2CT;
