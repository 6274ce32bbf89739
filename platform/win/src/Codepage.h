// Character encodings used at the file boundary: Windows-1250, UTF-8 and UTF-16LE.
#pragma once

#include <string>
#include <string_view>

namespace platform::detail {

/// The character of a Windows-1250 byte.
wchar_t cp1250ToUnicode(unsigned char byte);
/// The Windows-1250 byte of a character, -1 when the code page has none.
int unicodeToCp1250(char32_t ch);

/// Appends the UTF-8 form of a Unicode scalar value (surrogates and values past U+10FFFF
/// become U+FFFD).
void appendUtf8(std::string& out, char32_t ch);
/// Decodes one UTF-8 sequence at text[pos]: the scalar value (U+FFFD for an invalid
/// sequence, which consumes one byte) and the bytes consumed; 0 bytes when the sequence is
/// incomplete at the end of text and final is false.
std::pair<char32_t, size_t> decodeUtf8(std::string_view text, size_t pos, bool final);
/// Appends the UTF-16LE bytes of a scalar value (a surrogate pair past U+FFFF).
void appendUtf16le(std::string& out, char32_t ch);

}  // namespace platform::detail
