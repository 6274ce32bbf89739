// Group codes, their value types, and the tag (group code + value) types.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host::dxf {

/// The type a group code's value must have (DXF reference, "Group code value types").
enum class ValueType : std::uint8_t {
  String,   ///< any text
  Int16,    ///< 16-bit integer (signed or unsigned range accepted)
  Int32,
  Int64,
  Double,
  Bool,     ///< 0 or 1
  Handle,   ///< hexadecimal, 1 to 16 digits
  Binary,   ///< hexadecimal bytes, even number of digits
  Invalid,  ///< not a DXF group code
};

/// Type of the values of group code `code`; Invalid outside the codes DXF defines.
ValueType valueType(int code);

/// A tag read from a buffer; `value` points into that buffer (or the reader's scratch)
/// and is only valid until the next read. Numeric values are parsed once by the reader.
struct TagView {
  int code = 0;
  std::string_view value;
  std::uint32_t line = 0;  ///< line of the group code, 1-based
  ValueType type = ValueType::String;
  double real = 0;         ///< parsed value for Double
  std::int64_t integer = 0;  ///< parsed value for Int16/Int32/Int64/Bool
};

/// An owned tag: kept in the document model for everything that is not modelled.
struct Tag {
  int code = 0;
  std::string value;  ///< the value text as read (without line end), or as formatted
  std::uint32_t line = 0;  ///< input line, 0 for tags made in memory (not compared)

  Tag() = default;
  Tag(int c, std::string v, std::uint32_t l = 0) : code(c), value(std::move(v)), line(l) {}
  explicit Tag(const TagView& v) : code(v.code), value(v.value), line(v.line) {}

  bool operator==(const Tag& o) const { return code == o.code && value == o.value; }

  /// The value as a number; nullopt when it is not one.
  std::optional<double> toDouble() const;
  std::optional<std::int64_t> toInt() const;
};

/// Tag helpers for building tags in memory with DXF formatting.
Tag makeTag(int code, double value);
Tag makeTag(int code, std::int64_t value);
inline Tag makeTag(int code, int value) { return makeTag(code, static_cast<std::int64_t>(value)); }
inline Tag makeTag(int code, std::string_view value) { return Tag(code, std::string(value)); }
inline Tag makeTag(int code, const char* value) { return Tag(code, std::string(value)); }

/// Shortest text that reads back as exactly `value` ("1.5", "0.0", "1e+20").
std::string formatDouble(double value);

/// Parses a value of the given type; false when the text does not fit the type.
/// Leading and trailing blanks are ignored for numbers.
bool parseValue(ValueType type, std::string_view text, double& real, std::int64_t& integer);

/// True for 1 to 16 hexadecimal digits.
bool isHandle(std::string_view text);

/// Hex text of a binary chunk to bytes (appended); false on odd length or a non-hex digit.
bool appendHexBytes(std::string_view hex, std::vector<std::uint8_t>& out);
/// Bytes to upper-case hex text.
std::string hexBytes(const std::uint8_t* data, std::size_t size);

}  // namespace host::dxf
