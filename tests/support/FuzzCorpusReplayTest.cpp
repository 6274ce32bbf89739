// Replays the seed corpora of the support library's fuzz targets through the same entry
// functions, so that every input that once mattered keeps passing in the normal test run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/SupportFuzzEntries.h"

namespace {

std::vector<std::string> corpusFiles(const char* name) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(TAVRIX_FUZZ_CORPUS_DIR) / name))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    return files;
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void replay(const char* name, void (*entry)(const uint8_t*, size_t)) {
    const std::vector<std::string> files = corpusFiles(name);
    EXPECT_FALSE(files.empty()) << name;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string bytes = bytesOf(file);
        entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
}

TEST(FuzzCorpusReplayTest, SplitText) { replay("split_text", tavrix::fuzz::splitTextInput); }
TEST(FuzzCorpusReplayTest, AliasFile) { replay("alias_csv", tavrix::fuzz::aliasFileInput); }
TEST(FuzzCorpusReplayTest, ListFile) { replay("list_file", tavrix::fuzz::listFileInput); }

}  // namespace
