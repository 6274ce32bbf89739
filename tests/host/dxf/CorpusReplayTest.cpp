// Replays the fuzzer's seed corpus through the reader and writer (no fuzzing engine needed).
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "host/dxf/Reader.h"
#include "host/dxf/Writer.h"

using namespace host::dxf;

TEST(CorpusReplayTest, EveryCorpusFileReadsWithoutCrashing) {
  std::filesystem::path dir = std::filesystem::path(TAVRIX_SOURCE_DIR) / "fuzz" / "corpus" / "dxf_reader";
  ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    SCOPED_TRACE(entry.path().string());
    std::string data = test::readText(entry.path().string());
    for (ReadMode mode : {ReadMode::Strict, ReadMode::Checked}) {
      auto doc = read(data, {mode});
      if (!doc) continue;
      auto text = writeString(*doc);
      ASSERT_TRUE(text);
      auto back = read(*text);
      EXPECT_TRUE(back) << back.status().toString();
      if (doc->problems.empty()) {
        auto strict = read(*text, {ReadMode::Strict});
        EXPECT_TRUE(strict) << "a clean document writes a clean file: " << strict.status().toString();
      }
    }
  }
  EXPECT_GT(files, 0);
}
