// TextCodes.cpp - UTF conversions and the TEXT/MTEXT inline code decoders.
#include "host/render/TextCodes.h"

#include <algorithm>
#include <cstdint>

namespace host::render {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes UTF-8 strictly (no overlongs, no surrogates); each bad sequence is one U+FFFD.
std::u32string decodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b0 = static_cast<std::uint8_t>(s[i]);
    if (b0 < 0x80) {
      out += b0;
      ++i;
      continue;
    }
    int len = 0;
    char32_t c = 0, min = 0;
    if ((b0 & 0xE0) == 0xC0) { len = 2; c = b0 & 0x1F; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { len = 3; c = b0 & 0x0F; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { len = 4; c = b0 & 0x07; min = 0x10000; }
    int got = 1;
    if (len) {
      while (got < len && i + got < s.size() &&
             (static_cast<std::uint8_t>(s[i + got]) & 0xC0) == 0x80) {
        c = (c << 6) | (static_cast<std::uint8_t>(s[i + got]) & 0x3F);
        ++got;
      }
    }
    if (len == 0 || got < len || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += kReplacement;
      i += got;
    } else {
      out += c;
      i += len;
    }
  }
  return out;
}

std::u32string fromWide(std::wstring_view w) {
  std::u32string out;
  out.reserve(w.size());
  for (std::size_t i = 0; i < w.size(); ++i) {
    auto c = static_cast<std::uint32_t>(w[i]);
    if constexpr (sizeof(wchar_t) == 2) c &= 0xFFFF;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < w.size()) {
      const auto lo = static_cast<std::uint32_t>(w[i + 1]);
      if (lo >= 0xDC00 && lo <= 0xDFFF) {
        out += static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00));
        ++i;
        continue;
      }
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
    out += static_cast<char32_t>(c);
  }
  return out;
}

std::string toUtf8(const std::u32string& s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t c : s) appendUtf8(out, c);
  return out;
}

std::wstring toWide(const std::u32string& s) {
  std::wstring out;
  out.reserve(s.size());
  for (char32_t c : s) {
    if constexpr (sizeof(wchar_t) == 2) {
      if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        continue;
      }
    }
    out += static_cast<wchar_t>(c);
  }
  return out;
}

char32_t lower(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }

int hexValue(char32_t c) {
  if (isDigit(c)) return static_cast<int>(c - '0');
  c = lower(c);
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

// Resolves a %% code at s[i] (s[i] == s[i+1] == '%'); returns the characters consumed.
std::size_t percentCode(const std::u32string& s, std::size_t i, std::u32string& out) {
  if (i + 2 >= s.size()) {
    out += U"%%";
    return 2;
  }
  const char32_t c = lower(s[i + 2]);
  switch (c) {
    case 'd': out += U'\u00B0'; return 3;
    case 'p': out += U'\u00B1'; return 3;
    case 'c': out += U'\u2300'; return 3;
    case '%': out += U'%'; return 3;
    case 'u': case 'o': case 'k': return 3;
    default: break;
  }
  if (isDigit(c)) {
    std::size_t n = 0;
    char32_t code = 0;
    while (n < 3 && i + 2 + n < s.size() && isDigit(s[i + 2 + n])) {
      code = code * 10 + (s[i + 2 + n] - '0');
      ++n;
    }
    if (code != 0) out += code;
    return 2 + n;
  }
  out += U"%%";
  return 2;
}

std::u32string decodePercent(const std::u32string& s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] == '%' && i + 1 < s.size() && s[i + 1] == '%') {
      i += percentCode(s, i, out);
    } else {
      out += s[i++];
    }
  }
  return out;
}

// Index just past the ';' that ends a property code starting at `from`, or the end.
std::size_t skipToSemicolon(const std::u32string& s, std::size_t from) {
  while (from < s.size() && s[from] != ';') ++from;
  return from < s.size() ? from + 1 : from;
}

std::u32string decodeMText(const std::u32string& s) {
  std::u32string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const char32_t c = s[i];
    if (c == '{' || c == '}') {
      ++i;
      continue;
    }
    if (c == '^' && i + 1 < s.size()) {
      const char32_t n = s[i + 1];
      // A caret encodes the control character n - 64; "^ " is a literal caret.
      if (n == 'J') out += U'\n';
      else if (n == 'I') out += U' ';
      else if (n == ' ') out += U'^';
      else if (n < 0x40 || n > 0x5F) out += U'^', out += n;
      i += 2;
      continue;
    }
    if (c == '%' && i + 1 < s.size() && s[i + 1] == '%') {
      i += percentCode(s, i, out);
      continue;
    }
    if (c != '\\' || i + 1 >= s.size()) {
      out += c;
      ++i;
      continue;
    }
    const char32_t code = s[i + 1];
    switch (code) {
      case 'P': case 'N': case 'X':
        out += U'\n';
        i += 2;
        break;
      case '~':
        out += U'\u00A0';
        i += 2;
        break;
      case '\\': case '{': case '}':
        out += code;
        i += 2;
        break;
      case 'L': case 'l': case 'O': case 'o': case 'K': case 'k':
        i += 2;
        break;
      case 'f': case 'F': case 'H': case 'h': case 'W': case 'w': case 'Q': case 'q':
      case 'T': case 't': case 'A': case 'a': case 'C': case 'c': case 'p':
        i = skipToSemicolon(s, i + 2);
        break;
      case 'S': {
        const std::size_t end = skipToSemicolon(s, i + 2);
        const std::size_t stop = (end > i + 2 && s[end - 1] == ';') ? end - 1 : end;
        for (std::size_t k = i + 2; k < stop; ++k) {
          const char32_t t = s[k];
          if (t == '\\' && k + 1 < stop) out += s[++k];
          else if (t == '^' || t == '#') out += U'/';
          else out += t;
        }
        i = end;
        break;
      }
      case 'U': {
        // \U+XXXX
        if (i + 6 < s.size() && s[i + 2] == '+') {
          char32_t v = 0;
          std::size_t n = 0;
          while (n < 4 && i + 3 + n < s.size() && hexValue(s[i + 3 + n]) >= 0) {
            v = v * 16 + static_cast<char32_t>(hexValue(s[i + 3 + n]));
            ++n;
          }
          if (n == 4) {
            out += v;
            i += 7;
            break;
          }
        }
        out += code;
        i += 2;
        break;
      }
      case 'M': {
        // \M+NXXXX: a double-byte character of a code page we do not map.
        if (i + 2 < s.size() && s[i + 2] == '+') {
          out += kReplacement;
          i = std::min(s.size(), i + 8);
          break;
        }
        out += code;
        i += 2;
        break;
      }
      default:
        out += code;
        i += 2;
        break;
    }
  }
  return out;
}

}  // namespace

std::string utf8FromWide(std::wstring_view w) { return toUtf8(fromWide(w)); }
std::wstring wideFromUtf8(std::string_view s) { return toWide(decodeUtf8(s)); }
std::string sanitizeUtf8(std::string_view s) { return toUtf8(decodeUtf8(s)); }

std::string decodeTextCodes(std::string_view s) { return toUtf8(decodePercent(decodeUtf8(s))); }
std::wstring decodeTextCodes(std::wstring_view s) { return toWide(decodePercent(fromWide(s))); }

std::string mtextToPlain(std::string_view raw) { return toUtf8(decodeMText(decodeUtf8(raw))); }
std::wstring mtextToPlain(std::wstring_view raw) { return toWide(decodeMText(fromWide(raw))); }

}  // namespace host::render
