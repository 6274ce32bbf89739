// The files of a fuzz target's corpus (fuzz/corpus/<name>), for tests that replay them.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

/// Path and content of every file of the corpus, in name order; empty when the folder is
/// missing.
inline std::vector<std::pair<std::string, std::string>> corpusFiles(const std::string& name) {
    std::vector<std::pair<std::string, std::string>> files;
    const std::filesystem::path dir = std::filesystem::path(TAVRIX_SOURCE_DIR) / "fuzz" / "corpus" / name;
    if (!std::filesystem::is_directory(dir)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files.emplace_back(entry.path().string(),
                           std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    }
    std::sort(files.begin(), files.end());
    return files;
}
