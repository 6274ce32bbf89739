// Replays the reader's fuzz corpus through the host's whole drawing path: every file reads
// or fails cleanly, and what reads also draws, inserts, saves and reads again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/DrawingFuzzEntry.h"

TEST(DrawingCorpusReplayTest, EveryCorpusFileGoesThroughTheDrawingPath) {
    std::filesystem::path dir = std::filesystem::path(TAVRIX_SOURCE_DIR) / "fuzz" / "corpus" / "dxf_reader";
    ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        host::fuzz::drawingFileInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    }
    EXPECT_GT(files, 0);
}
