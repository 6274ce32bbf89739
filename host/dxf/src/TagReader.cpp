// TagReader: line splitting, group code parsing and value checks.
#include "host/dxf/TagReader.h"

#include <charconv>
#include <cstring>
#include <string>

namespace host::dxf {

bool TagReader::readLine(std::string_view& line) {
  if (pos_ >= buf_.size()) return false;
  const char* begin = buf_.data() + pos_;
  std::size_t rest = buf_.size() - pos_;
  const void* nl = std::memchr(begin, '\n', rest);
  std::size_t len = nl ? static_cast<const char*>(nl) - begin : rest;
  pos_ += nl ? len + 1 : len;
  if (len && begin[len - 1] == '\r') --len;
  line = std::string_view(begin, len);
  ++line_;
  return true;
}

namespace {

bool parseCode(std::string_view s, int& code) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  if (s.empty() || s.size() > 6) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), code);
  return ec == std::errc() && p == s.data() + s.size();
}

std::string excerpt(std::string_view s) {
  std::string out;
  for (char c : s.substr(0, 40)) out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
  if (s.size() > 40) out += "...";
  return out;
}

}  // namespace

TagReader::Result TagReader::next(TagView& out) {
  std::string_view codeLine, valueLine;
  std::uint32_t codeLineNo = line_;
  if (!readLine(codeLine)) return Result::End;
  if (!readLine(valueLine)) {
    error_ = Status(ErrorCode::Truncated, "group code without a value at the end of the file",
                    codeLineNo);
    return Result::Truncated;
  }
  int code = 0;
  ValueType type = ValueType::Invalid;
  if (parseCode(codeLine, code)) type = valueType(code);
  if (type == ValueType::Invalid) {
    error_ = Status(ErrorCode::InvalidGroupCode, "invalid group code '" + excerpt(codeLine) + "'",
                    codeLineNo);
    return Result::BadCode;
  }
  out.code = code;
  out.value = valueLine;
  out.line = codeLineNo;
  out.type = type;
  if (type == ValueType::String) return Result::Tag;
  if (!parseValue(type, valueLine, out.real, out.integer)) {
    error_ = Status(ErrorCode::InvalidValue,
                    "value '" + excerpt(valueLine) + "' does not fit group code " +
                        std::to_string(code),
                    codeLineNo);
    out.type = ValueType::String;
    return Result::BadValue;
  }
  if (type == ValueType::Double) out.integer = 0;
  return Result::Tag;
}

Expected<std::vector<Tag>> readTags(std::string_view buffer) {
  TagReader reader(buffer);
  std::vector<Tag> tags;
  TagView tag;
  for (;;) {
    switch (reader.next(tag)) {
      case TagReader::Result::Tag:
        tags.emplace_back(tag);
        break;
      case TagReader::Result::End:
        return tags;
      default:
        return reader.error();
    }
  }
}

bool isBinaryDxf(std::string_view buffer) {
  static constexpr std::string_view sentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);
  return buffer.substr(0, sentinel.size()) == sentinel;
}

}  // namespace host::dxf
