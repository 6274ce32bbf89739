// Fuzz target of the DXF reader: any input must give a status or a document, and a document
// that was read must write and read back (strictly).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/dxf/Reader.h"
#include "host/dxf/TagReader.h"
#include "host/dxf/Writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  (void)host::dxf::readTags(input);
  for (host::dxf::ReadMode mode : {host::dxf::ReadMode::Checked, host::dxf::ReadMode::Strict}) {
    host::dxf::ReadOptions options;
    options.mode = mode;
    auto doc = host::dxf::read(input, options);
    if (!doc) continue;
    auto text = host::dxf::writeString(*doc);
    if (!text) __builtin_trap();
    // What we write always reads back; a document read without problems writes a file
    // that reads back without problems.
    auto back = host::dxf::read(*text);
    if (!back) __builtin_trap();
    if (doc->problems.empty() && !host::dxf::read(*text, {host::dxf::ReadMode::Strict})) __builtin_trap();
  }
  return 0;
}
