// Pixel surfaces in the DIB layouts: reading and writing pixels, describing callers' DIBs
// and the default colour tables.
#include "GdiInternal.h"

#include <bit>
#include <cstring>

namespace platform::gdi {
namespace {

constexpr int kMaxSide = 32768;
constexpr int64_t kMaxBytes = int64_t(1) << 28;

uint32_t extract(uint32_t value, uint32_t mask) {
    if (!mask)
        return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255u / max;
}

uint32_t insert(uint32_t component, uint32_t mask) {
    if (!mask)
        return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t max = mask >> shift;
    return ((component * max + 127u) / 255u << shift) & mask;
}

uint32_t fromQuad(const RGBQUAD& q) { return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue; }

}  // namespace

int Surface::strideFor(int width, int bitsPerPixel, int alignment) {
    const int64_t bitsPerRow = int64_t(width) * bitsPerPixel;
    const int64_t unit = alignment * 8;
    return static_cast<int>((bitsPerRow + unit - 1) / unit * alignment);
}

uint32_t Surface::get(int x, int y) const {
    const unsigned char* r = row(y);
    auto paletted = [this](unsigned index) -> uint32_t {
        return index < palette.size() ? fromQuad(palette[index]) : 0u;
    };
    switch (bitsPerPixel) {
    case 1:
        return paletted((r[x >> 3] >> (7 - (x & 7))) & 1);
    case 4:
        return paletted((x & 1) ? (r[x >> 1] & 0x0F) : (r[x >> 1] >> 4));
    case 8:
        return paletted(r[x]);
    case 16: {
        const uint32_t v = uint32_t(r[2 * x]) | (uint32_t(r[2 * x + 1]) << 8);
        return (extract(v, masks[0]) << 16) | (extract(v, masks[1]) << 8) | extract(v, masks[2]);
    }
    case 24:
        return (uint32_t(r[3 * x + 2]) << 16) | (uint32_t(r[3 * x + 1]) << 8) | r[3 * x];
    default: {
        const unsigned char* p = r + 4 * x;
        if (bitfields32) {
            const uint32_t v = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
            return (extract(v, masks[0]) << 16) | (extract(v, masks[1]) << 8) | extract(v, masks[2]);
        }
        return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
    }
}

int Surface::nearest(uint32_t argb) const {
    const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    int best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
        const int dr = palette[i].rgbRed - r, dg = palette[i].rgbGreen - g, db = palette[i].rgbBlue - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
            if (d == 0)
                break;
        }
    }
    return best;
}

void Surface::set(int x, int y, uint32_t argb) {
    unsigned char* r = row(y);
    switch (bitsPerPixel) {
    case 1: {
        const unsigned bit = static_cast<unsigned>(nearest(argb)) & 1;
        const unsigned char m = static_cast<unsigned char>(0x80 >> (x & 7));
        r[x >> 3] = static_cast<unsigned char>(bit ? (r[x >> 3] | m) : (r[x >> 3] & ~m));
        break;
    }
    case 4: {
        const unsigned index = static_cast<unsigned>(nearest(argb)) & 0x0F;
        unsigned char& byte = r[x >> 1];
        byte = static_cast<unsigned char>((x & 1) ? ((byte & 0xF0) | index) : ((byte & 0x0F) | (index << 4)));
        break;
    }
    case 8:
        r[x] = static_cast<unsigned char>(nearest(argb));
        break;
    case 16: {
        const uint32_t v = insert((argb >> 16) & 0xFF, masks[0]) | insert((argb >> 8) & 0xFF, masks[1]) | insert(argb & 0xFF, masks[2]);
        r[2 * x] = static_cast<unsigned char>(v);
        r[2 * x + 1] = static_cast<unsigned char>(v >> 8);
        break;
    }
    case 24:
        r[3 * x] = static_cast<unsigned char>(argb);
        r[3 * x + 1] = static_cast<unsigned char>(argb >> 8);
        r[3 * x + 2] = static_cast<unsigned char>(argb >> 16);
        break;
    default: {
        unsigned char* p = r + 4 * x;
        if (bitfields32) {
            const uint32_t v = insert((argb >> 16) & 0xFF, masks[0]) | insert((argb >> 8) & 0xFF, masks[1]) | insert(argb & 0xFF, masks[2]);
            std::memcpy(p, &v, 4);
        } else {
            p[0] = static_cast<unsigned char>(argb);
            p[1] = static_cast<unsigned char>(argb >> 8);
            p[2] = static_cast<unsigned char>(argb >> 16);
            p[3] = static_cast<unsigned char>(argb >> 24);
        }
        break;
    }
    }
}

bool describeDib(const BITMAPINFO* info, const void* bits, Surface& s) {
    if (!info)
        return false;
    const auto* base = reinterpret_cast<const unsigned char*>(info);
    const DWORD headerSize = info->bmiHeader.biSize;
    int width, height, bpp;
    DWORD compression = BI_RGB, colorsUsed = 0;
    bool coreHeader = false;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(info);
        width = core->bcWidth;
        height = core->bcHeight;
        bpp = core->bcBitCount;
        coreHeader = true;
        if (core->bcPlanes != 1)
            return false;
    } else if (headerSize >= sizeof(BITMAPINFOHEADER)) {
        const BITMAPINFOHEADER& h = info->bmiHeader;
        if (h.biPlanes != 1)
            return false;
        width = h.biWidth;
        height = h.biHeight;
        bpp = h.biBitCount;
        compression = h.biCompression;
        colorsUsed = h.biClrUsed;
    } else {
        return false;
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (width <= 0 || height == 0 || width > kMaxSide || height > kMaxSide || height < -kMaxSide)
        return false;
    s.width = width;
    s.height = height < 0 ? -height : height;
    s.topDown = height < 0;
    s.bitsPerPixel = bpp;
    s.stride = Surface::strideFor(width, bpp);
    if (int64_t(s.stride) * s.height > kMaxBytes)
        return false;
    s.bits = static_cast<unsigned char*>(const_cast<void*>(bits));
    s.palette.clear();
    s.bitfields32 = false;
    s.masks[0] = 0x7C00;
    s.masks[1] = 0x03E0;
    s.masks[2] = 0x001F;
    if (compression == BI_BITFIELDS) {
        if (bpp != 16 && bpp != 32)
            return false;
        const auto* m = reinterpret_cast<const DWORD*>(base + sizeof(BITMAPINFOHEADER));
        s.masks[0] = m[0];
        s.masks[1] = m[1];
        s.masks[2] = m[2];
        s.bitfields32 = bpp == 32;
    } else if (compression != BI_RGB) {
        return false;
    }
    if (bpp <= 8) {
        const DWORD full = 1u << bpp;
        const DWORD count = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
        s.palette.resize(count);
        if (coreHeader) {
            const auto* t = reinterpret_cast<const RGBTRIPLE*>(base + headerSize);
            for (DWORD i = 0; i < count; ++i)
                s.palette[i] = {t[i].rgbtBlue, t[i].rgbtGreen, t[i].rgbtRed, 0};
        } else {
            std::memcpy(s.palette.data(), base + headerSize, count * sizeof(RGBQUAD));
        }
    }
    return true;
}

std::vector<RGBQUAD> defaultPalette(int bitsPerPixel) {
    std::vector<RGBQUAD> p;
    auto add = [&p](int r, int g, int b) {
        p.push_back({static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
    };
    if (bitsPerPixel == 1) {
        add(0, 0, 0);
        add(255, 255, 255);
    } else if (bitsPerPixel == 4 || bitsPerPixel == 8) {
        static const int vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                       {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                       {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                       {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        for (const auto& c : vga)
            add(c[0], c[1], c[2]);
        if (bitsPerPixel == 8) {
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b)
                        add(r * 51, g * 51, b * 51);
            for (int i = 1; i <= 24; ++i)
                add(i * 10, i * 10, i * 10);
        }
    }
    return p;
}

std::unique_ptr<Bitmap> makeBitmap(int width, int height, int bitsPerPixel, bool topDown, int alignment) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    const int stride = Surface::strideFor(width, bitsPerPixel, alignment);
    if (int64_t(stride) * height > kMaxBytes)
        return nullptr;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->storage.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    Surface& s = bitmap->surface;
    s.width = width;
    s.height = height;
    s.bitsPerPixel = bitsPerPixel;
    s.topDown = topDown;
    s.stride = stride;
    s.bits = bitmap->storage.data();
    if (bitsPerPixel <= 8)
        s.palette = defaultPalette(bitsPerPixel);
    return bitmap;
}

}  // namespace platform::gdi
