// Entry functions that feed outside text to the support library's parsers: the fuzz targets
// call them, and the unit tests replay the seed corpora through them. Each function aborts
// (traps) when a parser breaks one of its guarantees, so a fuzzer reports wrong results too.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrix::fuzz {

/// First byte: bit 0 trim switch, bits 1-2 the number of delimiter characters that follow
/// (as 16-bit units); the rest is the text, as 16-bit units.
void splitTextInput(const uint8_t* data, size_t size);
/// The bytes are an "Alias.csv" file: loaded into the alias table and questioned.
void aliasFileInput(const uint8_t* data, size_t size);
/// The bytes are a list file: read as UTF-16 (and as 8-bit text), written back and read again.
void listFileInput(const uint8_t* data, size_t size);

}  // namespace tavrix::fuzz
