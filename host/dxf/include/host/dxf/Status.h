// Status and Expected: the error values of the DXF codec (nothing in it throws).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace host::dxf {

/// What went wrong, coarsely; the message says the rest.
enum class ErrorCode {
  Ok = 0,
  InvalidGroupCode,   ///< a code line that is not an integer in the DXF range
  InvalidValue,       ///< a value that does not fit its group code's type
  Truncated,          ///< the buffer ends inside a tag or a section
  Structure,          ///< sections, tables or blocks are not nested as DXF requires
  NotDxf,             ///< the buffer does not start like a DXF file
  BinaryDxf,          ///< a binary DXF file (not supported)
  TooLarge,           ///< an input limit was exceeded
  Io,                 ///< a file could not be read or written
};

/// Result of an operation that returns nothing: ok, or an error with its line.
class [[nodiscard]] Status {
public:
  Status() = default;
  Status(ErrorCode code, std::string message, std::uint32_t line = 0)
      : code_(code), message_(std::move(message)), line_(line) {}

  static Status ok() { return {}; }

  bool isOk() const { return code_ == ErrorCode::Ok; }
  explicit operator bool() const { return isOk(); }
  ErrorCode code() const { return code_; }
  const std::string& message() const { return message_; }
  /// 1-based line of the input where the problem was found; 0 when not tied to a line.
  std::uint32_t line() const { return line_; }
  /// "line N: message" (or just the message).
  std::string toString() const {
    return line_ ? "line " + std::to_string(line_) + ": " + message_ : message_;
  }

private:
  ErrorCode code_ = ErrorCode::Ok;
  std::string message_;
  std::uint32_t line_ = 0;
};

/// A value or the Status that explains why there is none.
template <class T>
class [[nodiscard]] Expected {
public:
  Expected(T value) : v_(std::move(value)) {}
  Expected(Status error) : v_(std::move(error)) {}

  bool hasValue() const { return v_.index() == 0; }
  explicit operator bool() const { return hasValue(); }
  T& value() & { return std::get<0>(v_); }
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  /// The error; an ok Status when a value is held.
  Status status() const { return hasValue() ? Status::ok() : std::get<1>(v_); }

private:
  std::variant<T, Status> v_;
};

}  // namespace host::dxf
