// Replays the fuzzer's seed corpus through the reader and writer (no fuzzing engine needed).
#include <gtest/gtest.h>

#include "CorpusFiles.h"
#include "TestSupport.h"
#include "host/dxf/Reader.h"
#include "host/dxf/Writer.h"

using namespace host::dxf;

TEST(CorpusReplayTest, EveryCorpusFileReadsWithoutCrashing) {
  const auto files = corpusFiles("dxf_reader");
  ASSERT_FALSE(files.empty());
  for (const auto& [path, data] : files) {
    SCOPED_TRACE(path);
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
}
