// Reading and writing picture files (BMP and PNG) for CImage and the GDI+ stand-in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::image {

/// A decoded picture: rows top first, pixels 0xAARRGGBB (alpha 255 when the file has none).
struct Picture {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> pixels;
};

/// Reads a BMP (uncompressed, 1 to 32 bits) or PNG file, recognised by its content.
/// Nothing for missing, truncated or unsupported files and for sides above 32768.
std::optional<Picture> readPicture(const std::string& unixPath);

/// Writes PNG (with an alpha channel when the picture has one); false when it cannot.
bool writePng(const std::string& unixPath, const Picture& picture);
/// Writes a bottom-up BMP, 32 bits with alpha, else 24 bits; false when it cannot.
bool writeBmp(const std::string& unixPath, const Picture& picture);

}  // namespace platform::image
