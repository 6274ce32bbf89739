// TagReader: splits a DXF text buffer into group-code/value pairs and checks each value.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "host/dxf/Status.h"
#include "host/dxf/Tag.h"

namespace host::dxf {

/// Reads tags from a buffer that stays alive while the reader is used. Accepts LF and
/// CRLF line ends and blanks around group codes. Never throws; a malformed pair is reported
/// by `next` and skipped, so a caller may go on reading after it (checked reading).
class TagReader {
public:
  enum class Result {
    Tag,        ///< `out` holds a valid tag
    End,        ///< no more tags
    BadCode,    ///< the code line is not a DXF group code; the pair was skipped
    BadValue,   ///< the value does not fit the code's type; `out` holds it as a String
    Truncated,  ///< a code line without a value line at the end of the buffer
  };

  explicit TagReader(std::string_view buffer) : buf_(buffer) {}

  /// Reads the next pair into `out`. On BadCode/BadValue/Truncated, `error()` explains.
  [[nodiscard]] Result next(TagView& out);
  /// The problem of the last non-Tag result.
  const Status& error() const { return error_; }
  /// Line number of the next line to be read (1-based).
  std::uint32_t line() const { return line_; }
  /// True when every byte has been consumed.
  bool atEnd() const { return pos_ >= buf_.size(); }

private:
  bool readLine(std::string_view& line);

  std::string_view buf_;
  std::size_t pos_ = 0;
  std::uint32_t line_ = 1;
  Status error_;
};

/// Reads every tag of `buffer`; the first malformed pair is returned as an error.
Expected<std::vector<Tag>> readTags(std::string_view buffer);

/// True when `buffer` starts with the sentinel of a binary DXF file.
bool isBinaryDxf(std::string_view buffer);

}  // namespace host::dxf
