// The shell's logical order of names (StrCmpLogicalW), as Explorer sorts them.
#include "WinInternal.h"

#include <windows.h>

#include <array>

using namespace platform::detail;

namespace {

// The base letter of U+00C0..U+017F (accents and case removed), for the primary comparison.
constexpr std::array<char16_t, 192> kLatinBase = {
    0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x63, 0x65, 0x65, 0x65, 0x65, 0x69, 0x69, 0x69, 0x69,  // 00C0
    0x64, 0x6E, 0x6F, 0x6F, 0x6F, 0x6F, 0x6F, 0xD7, 0x6F, 0x75, 0x75, 0x75, 0x75, 0x79, 0xFE, 0x73,  // 00D0
    0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x63, 0x65, 0x65, 0x65, 0x65, 0x69, 0x69, 0x69, 0x69,  // 00E0
    0x64, 0x6E, 0x6F, 0x6F, 0x6F, 0x6F, 0x6F, 0xF7, 0x6F, 0x75, 0x75, 0x75, 0x75, 0x79, 0xFE, 0x79,  // 00F0
    0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x64, 0x64,  // 0100
    0x64, 0x64, 0x65, 0x65, 0x65, 0x65, 0x65, 0x65, 0x65, 0x65, 0x65, 0x65, 0x67, 0x67, 0x67, 0x67,  // 0110
    0x67, 0x67, 0x67, 0x67, 0x68, 0x68, 0x68, 0x68, 0x69, 0x69, 0x69, 0x69, 0x69, 0x69, 0x69, 0x69,  // 0120
    0x69, 0x69, 0x0133, 0x0133, 0x6A, 0x6A, 0x6B, 0x6B, 0x6B, 0x6C, 0x6C, 0x6C, 0x6C, 0x6C, 0x6C, 0x6C,  // 0130
    0x6C, 0x6C, 0x6C, 0x6E, 0x6E, 0x6E, 0x6E, 0x6E, 0x6E, 0x6E, 0x6E, 0x6E, 0x6F, 0x6F, 0x6F, 0x6F,  // 0140
    0x6F, 0x6F, 0x6F, 0x6F, 0x72, 0x72, 0x72, 0x72, 0x72, 0x72, 0x73, 0x73, 0x73, 0x73, 0x73, 0x73,  // 0150
    0x73, 0x73, 0x74, 0x74, 0x74, 0x74, 0x74, 0x74, 0x75, 0x75, 0x75, 0x75, 0x75, 0x75, 0x75, 0x75,  // 0160
    0x75, 0x75, 0x75, 0x75, 0x77, 0x77, 0x79, 0x79, 0x79, 0x7A, 0x7A, 0x7A, 0x7A, 0x7A, 0x7A, 0x017F,  // 0170
};

enum class Kind { Symbol, Digit, Letter };

bool isDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

Kind kindOf(wchar_t ch) {
    if (isDigit(ch))
        return Kind::Digit;
    if ((ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z'))
        return Kind::Letter;
    if (ch < 0xC0 || ch == 0xD7 || ch == 0xF7 || (ch >= 0x2000 && ch <= 0x2BFF) || (ch >= 0x3000 && ch <= 0x303F))
        return Kind::Symbol;
    return Kind::Letter;
}

wchar_t baseOf(wchar_t ch) {
    const wchar_t folded = foldCase(ch);
    if (folded >= 0xC0 && folded < 0x180)
        return static_cast<wchar_t>(kLatinBase[folded - 0xC0]);
    return folded;
}

}  // namespace

int StrCmpLogicalW(PCWSTR psz1, PCWSTR psz2) {
    const wchar_t* a = psz1 ? psz1 : L"";
    const wchar_t* b = psz2 ? psz2 : L"";
    int accentTie = 0;  // the first difference of accent or letter form
    int zeroTie = 0;    // the first difference of leading zeros
    while (*a && *b) {
        if (isDigit(*a) && isDigit(*b)) {
            int zerosA = 0, zerosB = 0;
            while (*a == L'0' && isDigit(a[1]))
                ++a, ++zerosA;
            while (*b == L'0' && isDigit(b[1]))
                ++b, ++zerosB;
            const wchar_t* endA = a;
            const wchar_t* endB = b;
            while (isDigit(*endA))
                ++endA;
            while (isDigit(*endB))
                ++endB;
            if (endA - a != endB - b)
                return endA - a < endB - b ? -1 : 1;
            for (; a < endA; ++a, ++b)
                if (*a != *b)
                    return *a < *b ? -1 : 1;
            if (!zeroTie && zerosA != zerosB)
                zeroTie = zerosA > zerosB ? -1 : 1;
            continue;
        }
        const Kind kindA = kindOf(*a), kindB = kindOf(*b);
        if (kindA != kindB)
            return kindA < kindB ? -1 : 1;
        const wchar_t baseA = baseOf(*a), baseB = baseOf(*b);
        if (baseA != baseB)
            return baseA < baseB ? -1 : 1;
        if (!accentTie) {
            const wchar_t foldA = foldCase(*a), foldB = foldCase(*b);
            if (foldA != foldB)
                accentTie = foldA < foldB ? -1 : 1;
        }
        ++a, ++b;
    }
    if (*a || *b)
        return *a ? 1 : -1;
    return accentTie ? accentTie : zeroTie;
}

int StrCmpIW(PCWSTR psz1, PCWSTR psz2) { return compareFolded(psz1 ? psz1 : L"", psz2 ? psz2 : L""); }
