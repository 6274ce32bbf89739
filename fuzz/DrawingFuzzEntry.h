// The host's whole path for a drawing file from outside: read into a database, drawn (model
// space, block previews, a thumbnail), inserted as a block into another drawing and saved.
// The fuzz target calls it, and the unit tests replay the reader's corpus through it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host::fuzz {

/// Traps when a drawing that was read cannot be inserted or saved, or when what was saved
/// does not read back.
void drawingFileInput(const std::uint8_t* data, std::size_t size);

}  // namespace host::fuzz
