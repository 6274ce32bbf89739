// A temporary folder mapped as drive C: for the length of a test.
#pragma once

#include <platform/Paths.h>
#include <platform/Session.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempDrive : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavrix-win-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        platform::mapDrive(L'C', root_);
    }
    void TearDown() override {
        platform::mapDrive(L'C', "");
        std::filesystem::remove_all(root_);
    }
    /// Creates a file (and its folders) below the root, with the given bytes.
    void makeFile(const std::string& relative, const std::string& bytes = {}) {
        const auto path = std::filesystem::path(root_) / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string readBytes(const std::string& relative) const {
        std::ifstream in(std::filesystem::path(root_) / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string root_;
};
