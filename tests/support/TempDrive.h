// Test fixture helper: a temporary Linux folder mapped as a Windows drive (C: by default),
// with small helpers to lay out files in it and read them back as bytes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdlib.h>

#include "platform/Paths.h"

namespace tavrix::test {

class TempDrive {
public:
    explicit TempDrive(wchar_t letter = L'C') : letter_(letter) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrix-drive-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        platform::mapDrive(letter_, root_.string());
    }
    ~TempDrive() {
        platform::mapDrive(letter_, std::string());
        std::error_code ignored;
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    /// The Linux path of a path relative to the drive root ("Lib/EXIT.dwg").
    std::filesystem::path at(const std::string& relative) const { return root_ / relative; }
    void folder(const std::string& relative) const { std::filesystem::create_directories(at(relative)); }
    void write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories(at(relative).parent_path());
        std::ofstream(at(relative), std::ios::binary) << bytes;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(at(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::filesystem::path& root() const { return root_; }

private:
    wchar_t letter_;
    std::filesystem::path root_;
};

/// UTF-16LE bytes of a text of BMP characters.
inline std::string utf16le(const std::wstring& text) {
    std::string bytes;
    for (wchar_t ch : text) {
        bytes.push_back(static_cast<char>(ch & 0xFF));
        bytes.push_back(static_cast<char>((ch >> 8) & 0xFF));
    }
    return bytes;
}

inline const std::string kUtf16Bom("\xFF\xFE", 2);

}  // namespace tavrix::test
