// Decoding resource scripts and headers into wide text: UTF-16 (LE or BE) or UTF-8 with a
// byte-order mark, UTF-16LE recognised without one, otherwise UTF-8 when the bytes are
// valid UTF-8, else the 8-bit code page (1252, or 1250 when the file says
// "#pragma code_page(1250)").
#pragma once

#include <string>
#include <string_view>

namespace rc {

std::wstring decodeSource(std::string_view bytes);

/// Wide text to UTF-8 (for messages and generated file names).
std::string narrow(std::wstring_view text);

}  // namespace rc
