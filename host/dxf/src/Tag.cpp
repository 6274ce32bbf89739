// Group code types, value parsing and formatting of tags.
#include "host/dxf/Tag.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace host::dxf {

ValueType valueType(int code) {
  if (code < 0) return ValueType::Invalid;
  if (code <= 4) return ValueType::String;
  if (code == 5) return ValueType::Handle;
  if (code <= 9) return ValueType::String;
  if (code <= 59) return ValueType::Double;
  if (code <= 79) return ValueType::Int16;
  if (code <= 89) return ValueType::Invalid;
  if (code <= 99) return ValueType::Int32;
  if (code <= 102) return ValueType::String;
  if (code == 105) return ValueType::Handle;
  if (code <= 109) return ValueType::Invalid;
  if (code <= 149) return ValueType::Double;
  if (code <= 159) return ValueType::Invalid;
  if (code <= 169) return ValueType::Int64;
  if (code <= 179) return ValueType::Int16;
  if (code <= 209) return ValueType::Invalid;
  if (code <= 239) return ValueType::Double;
  if (code <= 269) return ValueType::Invalid;
  if (code <= 289) return ValueType::Int16;
  if (code <= 299) return ValueType::Bool;
  if (code <= 309) return ValueType::String;
  if (code <= 319) return ValueType::Binary;
  if (code <= 369) return ValueType::Handle;
  if (code <= 389) return ValueType::Int16;
  if (code <= 399) return ValueType::Handle;
  if (code <= 409) return ValueType::Int16;
  if (code <= 419) return ValueType::String;
  if (code <= 429) return ValueType::Int32;
  if (code <= 439) return ValueType::String;
  if (code <= 459) return ValueType::Int32;
  if (code <= 469) return ValueType::Double;
  if (code <= 479) return ValueType::String;
  if (code <= 481) return ValueType::Handle;
  if (code <= 998) return ValueType::Invalid;
  if (code == 999) return ValueType::String;
  if (code <= 1003) return ValueType::String;
  if (code == 1004) return ValueType::Binary;
  if (code == 1005) return ValueType::Handle;
  if (code <= 1009) return ValueType::String;
  if (code <= 1059) return ValueType::Double;
  if (code <= 1070) return ValueType::Int16;
  if (code == 1071) return ValueType::Int32;
  return ValueType::Invalid;
}

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool parseInt(std::string_view s, std::int64_t& out) {
  s = trim(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size();
}

bool parseReal(std::string_view s, double& out) {
  s = trim(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  // from_chars also accepts "inf" and "nan": a drawing has no use for them.
  char c = s.front() == '-' ? (s.size() > 1 ? s[1] : '\0') : s.front();
  if (!(c == '.' || (c >= '0' && c <= '9'))) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size() && std::isfinite(out);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool isHandle(std::string_view text) {
  text = trim(text);
  if (text.empty() || text.size() > 16) return false;
  for (char c : text)
    if (hexDigit(c) < 0) return false;
  return true;
}

bool parseValue(ValueType type, std::string_view text, double& real, std::int64_t& integer) {
  switch (type) {
    case ValueType::String:
      return true;
    case ValueType::Double:
      return parseReal(text, real);
    case ValueType::Int16:
      return parseInt(text, integer) && integer >= -32768 && integer <= 65535;
    case ValueType::Int32:
      return parseInt(text, integer) && integer >= std::numeric_limits<std::int32_t>::min() &&
             integer <= std::numeric_limits<std::uint32_t>::max();
    case ValueType::Int64:
      return parseInt(text, integer);
    case ValueType::Bool:
      return parseInt(text, integer) && (integer == 0 || integer == 1);
    case ValueType::Handle:
      return isHandle(text);
    case ValueType::Binary: {
      text = trim(text);
      if (text.size() % 2) return false;
      for (char c : text)
        if (hexDigit(c) < 0) return false;
      return true;
    }
    case ValueType::Invalid:
      return false;
  }
  return false;
}

std::optional<double> Tag::toDouble() const {
  double d;
  if (!parseReal(value, d)) return std::nullopt;
  return d;
}

std::optional<std::int64_t> Tag::toInt() const {
  std::int64_t i;
  if (!parseInt(value, i)) return std::nullopt;
  return i;
}

std::string formatDouble(double value) {
  if (!std::isfinite(value)) value = 0;  // never write text that no reader accepts
  char buf[32];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, value);
  std::string s(buf, p);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

Tag makeTag(int code, double value) { return Tag(code, formatDouble(value)); }
Tag makeTag(int code, std::int64_t value) { return Tag(code, std::to_string(value)); }

bool appendHexBytes(std::string_view hex, std::vector<std::uint8_t>& out) {
  hex = trim(hex);
  if (hex.size() % 2) return false;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int hi = hexDigit(hex[i]), lo = hexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
  }
  return true;
}

std::string hexBytes(const std::uint8_t* data, std::size_t size) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s(size * 2, '0');
  for (std::size_t i = 0; i < size; ++i) {
    s[2 * i] = digits[data[i] >> 4];
    s[2 * i + 1] = digits[data[i] & 15];
  }
  return s;
}

}  // namespace host::dxf
