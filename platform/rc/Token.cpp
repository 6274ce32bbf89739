// The lexer: one logical line into tokens.
#include "Token.h"

#include <cwctype>

#include "Source.h"

namespace rc {
namespace {

bool isIdentStart(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; }
bool isIdentChar(wchar_t c) { return isIdentStart(c) || (c >= L'0' && c <= L'9'); }
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

}  // namespace

bool Token::isKeyword(const wchar_t* keyword) const {
    if (kind != TokenKind::Identifier)
        return false;
    size_t i = 0;
    for (; keyword[i]; ++i) {
        if (i >= text.size() || std::towupper(static_cast<wint_t>(text[i])) != static_cast<wint_t>(keyword[i]))
            return false;
    }
    return i == text.size();
}

std::wstring decodeEscapes(const std::wstring& body, bool wide, const Location& where, Diagnostics& diagnostics) {
    std::wstring out;
    for (size_t i = 0; i < body.size(); ++i) {
        const wchar_t c = body[i];
        if (c != L'\\' || i + 1 >= body.size()) {
            out += c;
            continue;
        }
        const wchar_t e = body[++i];
        switch (e) {
        case L'n': out += L'\n'; break;
        case L't': out += L'\t'; break;
        case L'r': out += L'\r'; break;
        case L'a': out += L'\a'; break;
        case L'b': out += L'\b'; break;
        case L'f': out += L'\f'; break;
        case L'v': out += L'\v'; break;
        case L'\\': out += L'\\'; break;
        case L'"': out += L'"'; break;
        case L'\'': out += L'\''; break;
        case L'x':
        case L'X': {
            const size_t maxDigits = wide ? 4 : 2;
            uint32_t value = 0;
            size_t n = 0;
            while (n < maxDigits && i + 1 < body.size() && hexValue(body[i + 1]) >= 0) {
                value = value * 16 + static_cast<uint32_t>(hexValue(body[++i]));
                ++n;
            }
            if (n == 0) {
                diagnostics.warning(where, "\\x without hex digits");
                out += L"\\x";
            } else {
                out += static_cast<wchar_t>(value);
            }
            break;
        }
        default:
            if (e >= L'0' && e <= L'7') {
                uint32_t value = static_cast<uint32_t>(e - L'0');
                for (int n = 1; n < 3 && i + 1 < body.size() && body[i + 1] >= L'0' && body[i + 1] <= L'7'; ++n)
                    value = value * 8 + static_cast<uint32_t>(body[++i] - L'0');
                out += static_cast<wchar_t>(value);
            } else {
                diagnostics.warning(where, "unknown escape sequence \\" + narrow(std::wstring(1, e)) + " kept as written");
                out += L'\\';
                out += e;
            }
            break;
        }
    }
    return out;
}

std::vector<Token> tokenizeLine(const std::wstring& line, const Location& where, Diagnostics& diagnostics) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        const wchar_t c = line[i];
        if (std::iswspace(static_cast<wint_t>(c)) || c == 0xFEFF) {
            ++i;
            continue;
        }
        Token t;
        t.where = where;
        const bool widePrefix = (c == L'L' || c == L'l') && i + 1 < line.size() && line[i + 1] == L'"';
        if (c == L'"' || widePrefix) {
            t.kind = TokenKind::String;
            t.wide = widePrefix;
            size_t j = i + (widePrefix ? 2 : 1);
            std::wstring body;
            bool closed = false;
            while (j < line.size()) {
                if (line[j] == L'\\' && j + 1 < line.size()) {
                    body += line[j];
                    body += line[j + 1];
                    j += 2;
                } else if (line[j] == L'"') {
                    if (j + 1 < line.size() && line[j + 1] == L'"') {
                        body += L'"';
                        j += 2;
                    } else {
                        closed = true;
                        ++j;
                        break;
                    }
                } else {
                    body += line[j++];
                }
            }
            if (!closed)
                throw Error(where, "unterminated string");
            t.text = line.substr(i, j - i);
            t.string = decodeEscapes(body, t.wide, where, diagnostics);
            i = j;
        } else if (isIdentStart(c)) {
            size_t j = i;
            while (j < line.size() && isIdentChar(line[j]))
                ++j;
            t.kind = TokenKind::Identifier;
            t.text = line.substr(i, j - i);
            i = j;
        } else if (isDigit(c)) {
            size_t j = i;
            uint64_t value = 0;
            if (c == L'0' && i + 1 < line.size() && (line[i + 1] == L'x' || line[i + 1] == L'X')) {
                j = i + 2;
                while (j < line.size() && hexValue(line[j]) >= 0)
                    value = (value * 16 + static_cast<uint64_t>(hexValue(line[j++]))) & 0xFFFFFFFFu;
                if (j == i + 2)
                    throw Error(where, "malformed number");
            } else {
                while (j < line.size() && isDigit(line[j]))
                    value = (value * 10 + static_cast<uint64_t>(line[j++] - L'0')) & 0xFFFFFFFFu;
            }
            while (j < line.size() && std::wcschr(L"lLuU", line[j])) {
                if (line[j] == L'l' || line[j] == L'L')
                    t.isLong = true;
                ++j;
            }
            if (j < line.size() && isIdentChar(line[j])) {
                while (j < line.size() && isIdentChar(line[j]))
                    ++j;
                throw Error(where, "malformed number '" + narrow(line.substr(i, j - i)) + "'");
            }
            t.kind = TokenKind::Number;
            t.text = line.substr(i, j - i);
            t.value = static_cast<uint32_t>(value);
            i = j;
        } else if (c == L'\'') {
            // A character constant (headers): its code.
            size_t j = i + 1;
            std::wstring body;
            while (j < line.size() && line[j] != L'\'') {
                if (line[j] == L'\\' && j + 1 < line.size())
                    body += line[j++];
                body += line[j++];
            }
            if (j >= line.size())
                throw Error(where, "unterminated character constant");
            const std::wstring decoded = decodeEscapes(body, true, where, diagnostics);
            t.kind = TokenKind::Number;
            t.text = line.substr(i, j + 1 - i);
            t.value = decoded.empty() ? 0 : static_cast<uint32_t>(decoded[0]);
            i = j + 1;
        } else {
            static const wchar_t* const twoChar[] = {L"<<", L">>", L"<=", L">=", L"==", L"!=", L"&&", L"||", L"##"};
            t.kind = TokenKind::Punct;
            t.text = std::wstring(1, c);
            for (const wchar_t* p : twoChar) {
                if (line.compare(i, 2, p) == 0) {
                    t.text = p;
                    break;
                }
            }
            i += t.text.size();
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

}  // namespace rc
