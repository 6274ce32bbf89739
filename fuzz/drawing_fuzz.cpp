// Fuzz target of the host's drawing path: reading, drawing, inserting and saving.
#include "DrawingFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    host::fuzz::drawingFileInput(data, size);
    return 0;
}
