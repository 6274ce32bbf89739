// BMP and PNG files: decoding into pictures and writing them.
#include "platform/ImageFiles.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "GdiInternal.h"

namespace platform::image {
namespace {

constexpr int kMaxSide = 32768;

std::optional<Picture> readBmp(const std::vector<unsigned char>& file) {
    if (file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER))
        return std::nullopt;
    BITMAPFILEHEADER header;
    std::memcpy(&header, file.data(), sizeof header);
    const size_t infoAt = sizeof(BITMAPFILEHEADER);
    DWORD infoSize;
    std::memcpy(&infoSize, file.data() + infoAt, sizeof infoSize);
    // The header and colour table must lie in the file; copy them to aligned memory.
    const size_t tableEnd = std::min<size_t>(file.size(), header.bfOffBits);
    if (tableEnd <= infoAt || infoSize < sizeof(BITMAPCOREHEADER) || infoAt + infoSize > tableEnd)
        return std::nullopt;
    std::vector<uint32_t> info((tableEnd - infoAt + 3) / 4 + 256 + 3, 0);
    std::memcpy(info.data(), file.data() + infoAt, tableEnd - infoAt);
    gdi::Surface s;
    if (!gdi::describeDib(reinterpret_cast<const BITMAPINFO*>(info.data()), nullptr, s))
        return std::nullopt;
    const size_t needed = static_cast<size_t>(s.stride) * static_cast<size_t>(s.height);
    if (header.bfOffBits > file.size() || file.size() - header.bfOffBits < needed)
        return std::nullopt;
    s.bits = const_cast<unsigned char*>(file.data()) + header.bfOffBits;
    Picture p;
    p.width = s.width;
    p.height = s.height;
    p.pixels.resize(static_cast<size_t>(s.width) * static_cast<size_t>(s.height));
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            p.pixels[static_cast<size_t>(y) * static_cast<size_t>(s.width) + static_cast<size_t>(x)] = s.get(x, y) | 0xFF000000u;
    return p;
}

std::optional<Picture> readPng(const std::string& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return std::nullopt;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide ||
        uint64_t(image.width) * image.height > (uint64_t(1) << 26)) {
        png_image_free(&image);
        return std::nullopt;
    }
    Picture p;
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    p.hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_BGRA;
    p.pixels.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
    if (!png_image_finish_read(&image, nullptr, p.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    // BGRA bytes on a little-endian machine read as 0xAARRGGBB words.
    return p;
}

}  // namespace

std::optional<Picture> readPicture(const std::string& unixPath) {
    std::ifstream in(unixPath, std::ios::binary);
    if (!in)
        return std::nullopt;
    unsigned char magic[8] = {};
    in.read(reinterpret_cast<char*>(magic), sizeof magic);
    if (in.gcount() >= 8 && png_sig_cmp(magic, 0, 8) == 0)
        return readPng(unixPath);
    if (in.gcount() >= 2 && magic[0] == 'B' && magic[1] == 'M') {
        in.clear();
        in.seekg(0);
        const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return readBmp(file);
    }
    return std::nullopt;
}

bool writePng(const std::string& unixPath, const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height))
        return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = picture.hasAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    std::vector<unsigned char> bytes;
    const unsigned channels = picture.hasAlpha ? 4 : 3;
    bytes.reserve(picture.pixels.size() * channels);
    for (uint32_t c : picture.pixels) {
        bytes.push_back(static_cast<unsigned char>(c));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
        bytes.push_back(static_cast<unsigned char>(c >> 16));
        if (picture.hasAlpha)
            bytes.push_back(static_cast<unsigned char>(c >> 24));
    }
    const bool ok = png_image_write_to_file(&image, unixPath.c_str(), 0, bytes.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

bool writeBmp(const std::string& unixPath, const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height))
        return false;
    const int bpp = picture.hasAlpha ? 32 : 24;
    const int stride = gdi::Surface::strideFor(picture.width, bpp);
    const DWORD imageSize = static_cast<DWORD>(stride) * static_cast<DWORD>(picture.height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bpp);
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;
    info.biXPelsPerMeter = info.biYPelsPerMeter = 3780;  // 96 dpi
    std::vector<unsigned char> rows(imageSize, 0);
    for (int y = 0; y < picture.height; ++y) {
        unsigned char* r = rows.data() + static_cast<size_t>(picture.height - 1 - y) * static_cast<size_t>(stride);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t c = picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture.width) + static_cast<size_t>(x)];
            unsigned char* p = r + x * (bpp / 8);
            p[0] = static_cast<unsigned char>(c);
            p[1] = static_cast<unsigned char>(c >> 8);
            p[2] = static_cast<unsigned char>(c >> 16);
            if (bpp == 32)
                p[3] = static_cast<unsigned char>(c >> 24);
        }
    }
    std::ofstream out(unixPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
    return static_cast<bool>(out);
}

}  // namespace platform::image
