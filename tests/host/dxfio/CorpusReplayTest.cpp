// Replays the reader's fuzz corpus through the host's whole drawing path: every file reads
// or fails cleanly, and what reads also draws, inserts, saves and reads again.
#include <gtest/gtest.h>

#include "CorpusFiles.h"
#include "fuzz/DrawingFuzzEntry.h"

TEST(DrawingCorpusReplayTest, EveryCorpusFileGoesThroughTheDrawingPath) {
    const auto files = corpusFiles("dxf_reader");
    ASSERT_FALSE(files.empty());
    for (const auto& [path, data] : files) {
        SCOPED_TRACE(path);
        host::fuzz::drawingFileInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    }
}
