// The preview stored in a drawing file, as a bitmap for the class library.
#include <windows.h>

#include <cstring>

#include "host/db/Codec.h"
#include "host/render/Render.h"
#include "win/Gdi.h"
#include "zcdbmain.h"

bool zcdbGetPreviewBitmapFromDwg(const ZTCHAR* fileName, HBITMAP__** bitmap, HPALETTE__** palette) {
    if (bitmap)
        *bitmap = nullptr;
    if (palette)
        *palette = nullptr;
    const host::db::DrawingCodec& codec = host::db::drawingCodec();
    if (!fileName || !bitmap || !codec.readThumbnail)
        return false;
    std::vector<unsigned char> dib;
    if (!codec.readThumbnail(fileName, dib) || dib.empty())
        return false;
    std::optional<host::render::Image> image = host::render::decodeDib(dib);
    if (!image || image->empty())
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = image->height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!result || !bits)
        return false;
    const int stride = (image->width * 3 + 3) & ~3;
    auto* out = static_cast<unsigned char*>(bits);
    for (int y = 0; y < image->height; ++y) {
        const unsigned char* src = image->pixels.data() + static_cast<size_t>(y) * image->width * image->channels;
        unsigned char* dst = out + static_cast<size_t>(image->height - 1 - y) * stride;
        for (int x = 0; x < image->width; ++x) {
            dst[x * 3 + 0] = src[x * image->channels + 2];
            dst[x * 3 + 1] = src[x * image->channels + 1];
            dst[x * 3 + 2] = src[x * image->channels + 0];
        }
    }
    *bitmap = result;
    return true;
}
