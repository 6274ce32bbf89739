// Tokens of resource scripts and of the headers they include.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Diagnostics.h"

namespace rc {

enum class TokenKind { End, Identifier, Number, String, Punct };

struct Token {
    TokenKind kind = TokenKind::End;
    /// The spelling: identifier, punctuator, number as written.
    std::wstring text;
    /// Numbers: the value (32 bits, as the resource compiler keeps them); isLong with an L suffix.
    uint32_t value = 0;
    bool isLong = false;
    /// Strings: the text with escapes decoded; wide for L"...".
    std::wstring string;
    bool wide = false;
    Location where;

    bool is(TokenKind k) const { return kind == k; }
    bool isPunct(const wchar_t* p) const { return kind == TokenKind::Punct && text == p; }
    /// An identifier equal to keyword without regard to case (script keywords ignore case).
    bool isKeyword(const wchar_t* keyword) const;
};

/// Splits one logical line (comments already removed) into tokens.
std::vector<Token> tokenizeLine(const std::wstring& line, const Location& where, class Diagnostics& diagnostics);

/// Decodes the body of a string literal (between the quotes) with the resource compiler's
/// escapes: \n \t \r \a \b \f \v \\ \" \' \ooo \xhh (four hex digits in wide strings), and
/// "" for a quote.
std::wstring decodeEscapes(const std::wstring& body, bool wide, const Location& where, Diagnostics& diagnostics);

}  // namespace rc
