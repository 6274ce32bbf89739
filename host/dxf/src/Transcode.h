// Code page conversion of pre-R2007 files (8-bit text) to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace host::dxf::detail {

/// When `buffer` is a file older than R2007 ($ACADVER before AC1021) with 8-bit text in
/// Windows-1252 (or no $DWGCODEPAGE), fills `out` with the UTF-8 conversion. Returns a note
/// for the problem list when the code page is one that is not converted, else "".
std::string transcodeIfNeeded(std::string_view buffer, std::string& out);

/// Windows-1252 to UTF-8.
std::string cp1252ToUtf8(std::string_view in);

}  // namespace host::dxf::detail
