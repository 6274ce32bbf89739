// Encodings at the file boundary: the Windows-1250 code page (Central European, the
// stand-in's 8-bit "ANSI" code page), UTF-8 and UTF-16LE.
#include "Codepage.h"

#include <algorithm>
#include <array>
#include <utility>

namespace platform::detail {
namespace {

// Bytes 0x80..0xFF. The five bytes the code page leaves undefined (81 83 88 90 98) map to the
// C1 control characters of the same value, as Windows converts them.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

}  // namespace

wchar_t cp1250ToUnicode(unsigned char byte) {
    return byte < 0x80 ? static_cast<wchar_t>(byte) : static_cast<wchar_t>(kHighHalf[byte - 0x80]);
}

int unicodeToCp1250(char32_t ch) {
    if (ch < 0x80)
        return static_cast<int>(ch);
    static const auto reverse = [] {
        std::array<std::pair<char16_t, unsigned char>, 128> table{};
        for (int i = 0; i < 128; ++i)
            table[i] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(table.begin(), table.end());
        return table;
    }();
    if (ch > 0xFFFF)
        return -1;
    auto it = std::lower_bound(reverse.begin(), reverse.end(), std::pair<char16_t, unsigned char>(static_cast<char16_t>(ch), 0));
    if (it != reverse.end() && it->first == ch)
        return it->second;
    return -1;
}

void appendUtf8(std::string& out, char32_t ch) {
    if ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF)
        ch = 0xFFFD;
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

std::pair<char32_t, size_t> decodeUtf8(std::string_view text, size_t pos, bool final) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return {lead, 1};
    size_t length;
    char32_t ch;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, ch = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, ch = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, ch = lead & 0x07, minimum = 0x10000;
    } else {
        return {0xFFFD, 1};
    }
    for (size_t k = 1; k < length; ++k) {
        if (pos + k >= text.size())
            return final ? std::pair<char32_t, size_t>{0xFFFD, 1} : std::pair<char32_t, size_t>{0, 0};
        const unsigned char next = byte(pos + k);
        if ((next & 0xC0) != 0x80)
            return {0xFFFD, 1};
        ch = (ch << 6) | (next & 0x3F);
    }
    if (ch < minimum || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
        return {0xFFFD, 1};
    return {ch, length};
}

void appendUtf16le(std::string& out, char32_t ch) {
    if ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF)
        ch = 0xFFFD;
    auto unit = [&](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    if (ch >= 0x10000) {
        ch -= 0x10000;
        unit(0xD800 + (ch >> 10));
        unit(0xDC00 + (ch & 0x3FF));
    } else {
        unit(ch);
    }
}

}  // namespace platform::detail
