// Code page conversion of pre-R2007 files.
#include "Transcode.h"

#include "host/dxf/TagReader.h"

namespace host::dxf::detail {

namespace {

/// Value of header variable `name` found in the first part of the buffer, or "".
std::string headerValue(std::string_view buffer, std::string_view name) {
  std::string_view head = buffer.substr(0, 1 << 16);
  std::size_t at = head.find(name);
  if (at == std::string_view::npos) return {};
  TagReader r(buffer.substr(buffer.find('\n', at) == std::string_view::npos ? buffer.size()
                                                                            : buffer.find('\n', at) + 1));
  TagView t;
  if (r.next(t) != TagReader::Result::Tag) return {};
  std::string v(t.value);
  while (!v.empty() && v.back() == ' ') v.pop_back();
  return v;
}

void appendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string cp1252ToUtf8(std::string_view in) {
  static const unsigned short high[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(in.size() + in.size() / 16);
  for (char ch : in) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) out += ch;
    else if (c < 0xA0) appendUtf8(out, high[c - 0x80]);
    else appendUtf8(out, c);
  }
  return out;
}

std::string transcodeIfNeeded(std::string_view buffer, std::string& out) {
  std::string version = headerValue(buffer, "$ACADVER");
  if (version.empty() || version >= "AC1021") return {};
  bool high = false;
  for (char c : buffer)
    if (static_cast<unsigned char>(c) >= 0x80) {
      high = true;
      break;
    }
  if (!high) return {};
  std::string page = headerValue(buffer, "$DWGCODEPAGE");
  if (!page.empty() && page != "ANSI_1252" && page != "ansi_1252")
    return "text in code page " + page + " is kept as it is (not converted to UTF-8)";
  out = cp1252ToUtf8(buffer);
  return {};
}

}  // namespace host::dxf::detail
