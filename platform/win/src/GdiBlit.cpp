// GDI drawing: pixels, rectangle fills, the blits with ternary raster operations and
// stretching, and the transfers between bitmaps and caller-held DIBs.
#include "GdiInternal.h"

#include <algorithm>
#include <cstring>

namespace platform::gdi {
namespace {

// Applies a ternary raster operation to pattern, source and destination bits.
uint32_t applyRop(DWORD rop, uint32_t p, uint32_t s, uint32_t d) {
    const unsigned code = (rop >> 16) & 0xFF;
    switch (code) {
    case 0xCC: return s;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0x33: return ~s;
    case 0xF0: return p;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFFu;
    default: break;
    }
    uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (code & (1u << i))
            result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return result;
}

bool usesSource(DWORD rop) {
    const unsigned code = (rop >> 16) & 0xFF;
    return ((code >> 2) & 0x33) != (code & 0x33);
}

constexpr uint32_t kWhite = 0x00FFFFFF;

// A monochrome bitmap keeps white for light colours and black for dark ones.
uint32_t toMonochrome(uint32_t c) { return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) >= 384 ? kWhite : 0; }

// One scan line of a caller's DIB as a surface of height 1.
Surface lineOf(const Surface& dib, const void* firstLine, UINT index) {
    Surface line = dib;
    line.height = 1;
    line.topDown = true;
    line.bits = static_cast<unsigned char*>(const_cast<void*>(firstLine)) + static_cast<size_t>(index) * static_cast<size_t>(dib.stride);
    return line;
}

uint32_t brushColor(const Object* brush) {
    if (!brush || brush->kind != Kind::Brush)
        return kWhite;
    const auto* b = static_cast<const Brush*>(brush);
    return b->hollow ? 0 : fromColorRef(b->color);
}

// An interval of source indices for destination index i of n (source length m).
struct Span {
    int first;
    int count;
};

Span spanFor(int i, int n, int m, bool shrinking) {
    if (!shrinking) {
        const int s = static_cast<int>((2 * int64_t(i) + 1) * m / (2 * int64_t(n)));
        return {s, 1};
    }
    const int a = static_cast<int>(int64_t(i) * m / n);
    const int b = static_cast<int>(int64_t(i + 1) * m / n);
    return {a, std::max(1, b - a)};
}

// Combines the source pixels of a destination pixel when shrinking.
uint32_t combine(const Surface& src, int x0, int nx, int y0, int ny, int mode, bool mirrorX, bool mirrorY, int sx, int sw, int sy, int sh) {
    auto at = [&](int u, int v) {
        const int x = mirrorX ? sx + sw - 1 - u : sx + u;
        const int y = mirrorY ? sy + sh - 1 - v : sy + v;
        return src.contains(x, y) ? src.get(x, y) : 0u;
    };
    if (mode == COLORONCOLOR || (nx == 1 && ny == 1))
        return at(x0 + nx / 2, y0 + ny / 2);
    if (mode == BLACKONWHITE || mode == WHITEONBLACK) {
        uint32_t v = mode == BLACKONWHITE ? 0xFFFFFFFFu : 0u;
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i)
                v = mode == BLACKONWHITE ? (v & at(x0 + i, y0 + j)) : (v | at(x0 + i, y0 + j));
        return v;
    }
    uint32_t sum[4] = {0, 0, 0, 0};
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            const uint32_t c = at(x0 + i, y0 + j);
            for (int k = 0; k < 4; ++k)
                sum[k] += (c >> (8 * k)) & 0xFF;
        }
    }
    const uint32_t n = static_cast<uint32_t>(nx * ny);
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k)
        v |= ((sum[k] + n / 2) / n) << (8 * k);
    return v;
}

struct SourceSpec {
    const Surface* surface = nullptr;
    bool monochrome = false;
    COLORREF background = RGB(255, 255, 255);  // the source DC's background colour
    int x = 0, y = 0, width = 0, height = 0;
};

// The common engine of BitBlt, StretchBlt, PatBlt and StretchDIBits.
bool transfer(DeviceContext& dst, int dx, int dy, int dw, int dh, const SourceSpec* source, DWORD rop) {
    if (!dst.memory || !dst.bitmap)
        return true;  // the screen: nothing to draw on
    Surface& d = dst.bitmap->surface;
    const bool dstMono = dst.bitmap->monochrome;
    bool mirrorX = false, mirrorY = false;
    if (dw < 0) {
        dx += dw;
        dw = -dw;
        mirrorX = !mirrorX;
    }
    if (dh < 0) {
        dy += dh;
        dh = -dh;
        mirrorY = !mirrorY;
    }
    int sx = 0, sy = 0, sw = dw, sh = dh;
    if (source) {
        sx = source->x;
        sy = source->y;
        sw = source->width;
        sh = source->height;
        if (sw < 0) {
            sx += sw;
            sw = -sw;
            mirrorX = !mirrorX;
        }
        if (sh < 0) {
            sy += sh;
            sh = -sh;
            mirrorY = !mirrorY;
        }
        if (sw == 0 || sh == 0)
            return false;
    }
    if (dw == 0 || dh == 0)
        return true;
    const uint32_t pattern = brushColor(dst.brush);
    const uint32_t textColor = fromColorRef(dst.text);
    const uint32_t backColor = fromColorRef(dst.background);
    const bool shrinkX = sw > dw, shrinkY = sh > dh;
    const int x0 = std::max(0, dx), x1 = std::min(d.width, dx + dw);
    const int y0 = std::max(0, dy), y1 = std::min(d.height, dy + dh);
    for (int y = y0; y < y1; ++y) {
        const Span vs = spanFor(y - dy, dh, sh, shrinkY);
        for (int x = x0; x < x1; ++x) {
            uint32_t s = 0;
            if (source) {
                const Span us = spanFor(x - dx, dw, sw, shrinkX);
                const int px = mirrorX ? sx + sw - 1 - us.first : sx + us.first;
                const int py = mirrorY ? sy + sh - 1 - vs.first : sy + vs.first;
                if (us.count == 1 && vs.count == 1 && !source->surface->contains(px, py))
                    continue;  // nothing of the source here
                s = (us.count == 1 && vs.count == 1)
                        ? source->surface->get(px, py)
                        : combine(*source->surface, us.first, us.count, vs.first, vs.count, dst.stretchMode, mirrorX, mirrorY, sx, sw, sy, sh);
                if (source->monochrome && !dstMono)
                    s = (s & kWhite) ? backColor : textColor;
                else if (dstMono && !source->monochrome)
                    s = (s & kWhite) == fromColorRef(source->background) ? kWhite : 0;
            }
            const uint32_t old = d.get(x, y);
            uint32_t v = applyRop(rop, pattern, s, old);
            d.set(x, y, dstMono ? toMonochrome(v) : v);
        }
    }
    return true;
}

bool sourceOf(HDC hdc, SourceSpec& spec) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || !dc->memory || !dc->bitmap)
        return false;
    spec.surface = &dc->bitmap->surface;
    spec.monochrome = dc->bitmap->monochrome;
    spec.background = dc->background;
    return true;
}

// The system colours (COLOR_*) of a default Windows theme.
const COLORREF kSysColors[] = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(0, 120, 215),
    RGB(240, 240, 240)};

}  // namespace
}  // namespace platform::gdi

using namespace platform::gdi;

DWORD GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(sizeof(kSysColors) / sizeof(kSysColors[0])))
        return 0;
    return kSysColors[index];
}

HBRUSH GetSysColorBrush(int index) {
    static HBRUSH brushes[sizeof(kSysColors) / sizeof(kSysColors[0])] = {};
    if (index < 0 || index >= static_cast<int>(sizeof(kSysColors) / sizeof(kSysColors[0])))
        return nullptr;
    if (!brushes[index]) {
        auto brush = std::make_unique<Brush>();
        brush->color = kSysColors[index];
        brush->stock = true;
        brushes[index] = static_cast<HBRUSH>(adopt(std::move(brush)));
    }
    return brushes[index];
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || !dc->memory || !dc->bitmap || !dc->bitmap->surface.contains(x, y))
        return CLR_INVALID;
    return toColorRef(dc->bitmap->surface.get(x, y));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || !dc->memory || !dc->bitmap || !dc->bitmap->surface.contains(x, y))
        return static_cast<COLORREF>(-1);
    Surface& s = dc->bitmap->surface;
    s.set(x, y, fromColorRef(color));
    return toColorRef(s.get(x, y));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<Brush>();
    brush->color = color & 0xFFFFFF;
    return static_cast<HBRUSH>(adopt(std::move(brush)));
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || !rect)
        return 0;
    // A brush may also be given as a system colour index plus one.
    const auto value = reinterpret_cast<ULONG_PTR>(brush);
    HBRUSH resolved = value > 0 && value <= sizeof(kSysColors) / sizeof(kSysColors[0]) ? GetSysColorBrush(static_cast<int>(value - 1)) : brush;
    Object* object = lookup(resolved);
    if (!object || object->kind != Kind::Brush)
        return 0;
    if (static_cast<Brush*>(object)->hollow)
        return 1;
    Object* previous = dc->brush;
    dc->brush = object;
    transfer(*dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, nullptr, PATCOPY);
    dc->brush = previous;
    return 1;
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || usesSource(rop))
        return FALSE;
    return transfer(*dc, x, y, width, height, nullptr, rop) ? TRUE : FALSE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    return StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop) {
    DeviceContext* dc = lookupDC(dest);
    if (!dc)
        return FALSE;
    if (!usesSource(rop))
        return transfer(*dc, x, y, width, height, nullptr, rop) ? TRUE : FALSE;
    SourceSpec spec;
    if (!lookupDC(source))
        return FALSE;
    if (!sourceOf(source, spec))
        return TRUE;  // from the screen: nothing to copy
    spec.x = sourceX;
    spec.y = sourceY;
    spec.width = sourceWidth;
    spec.height = sourceHeight;
    return transfer(*dc, x, y, width, height, &spec, rop) ? TRUE : FALSE;
}

BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, BLENDFUNCTION blend) {
    DeviceContext* dc = lookupDC(dest);
    SourceSpec spec;
    if (!dc || !lookupDC(source) || blend.BlendOp != AC_SRC_OVER || width < 0 || height < 0 || sourceWidth < 0 ||
        sourceHeight < 0)
        return FALSE;
    if (!sourceOf(source, spec) || !dc->memory || !dc->bitmap)
        return TRUE;
    Surface& d = dc->bitmap->surface;
    const Surface& src = *spec.surface;
    const uint32_t constant = blend.SourceConstantAlpha;
    for (int j = std::max(0, -y); j < height && y + j < d.height; ++j) {
        const int sy = sourceY + static_cast<int>(int64_t(j) * sourceHeight / std::max(height, 1));
        for (int i = std::max(0, -x); i < width && x + i < d.width; ++i) {
            const int sx = sourceX + static_cast<int>(int64_t(i) * sourceWidth / std::max(width, 1));
            if (!src.contains(sx, sy))
                continue;
            const uint32_t s = src.get(sx, sy);
            const uint32_t old = d.get(x + i, y + j);
            const uint32_t alpha = (blend.AlphaFormat & AC_SRC_ALPHA) ? ((s >> 24) * constant + 127) / 255 : constant;
            uint32_t out = 0;
            for (int k = 0; k < 4; ++k) {
                const uint32_t sc = (s >> (8 * k)) & 0xFF;
                const uint32_t dcv = (old >> (8 * k)) & 0xFF;
                // Premultiplied source: its colour is scaled by the constant alpha only.
                const uint32_t scaled = (blend.AlphaFormat & AC_SRC_ALPHA) ? (sc * constant + 127) / 255 : (sc * alpha + 127) / 255;
                out |= std::min<uint32_t>(255, scaled + (dcv * (255 - alpha) + 127) / 255) << (8 * k);
            }
            d.set(x + i, y + j, out);
        }
    }
    return TRUE;
}

int StretchDIBits(HDC hdc, int destX, int destY, int destWidth, int destHeight, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    DeviceContext* dc = lookupDC(hdc);
    Surface view;
    if (!dc || usage != DIB_RGB_COLORS || !bits || !describeDib(info, bits, view))
        return 0;
    SourceSpec spec;
    spec.surface = &view;
    spec.background = dc->background;
    spec.x = sourceX;
    spec.width = sourceWidth;
    spec.height = sourceHeight;
    if (view.topDown) {
        spec.y = sourceY;
    } else {
        // Bottom-up: sourceY counts from the bottom row; the rows are shown upright.
        const int lo = std::min(sourceY, sourceY + sourceHeight);
        const int hi = std::max(sourceY, sourceY + sourceHeight);
        spec.y = view.height - hi;
        if (sourceHeight < 0) {
            spec.y += hi - lo;
            spec.height = -(hi - lo);
        } else {
            spec.height = hi - lo;
        }
    }
    if (!transfer(*dc, destX, destY, destWidth, destHeight, &spec, rop))
        return 0;
    return sourceHeight < 0 ? -sourceHeight : sourceHeight;
}

int GetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
    Bitmap* bitmap = lookupBitmap(handle);
    if (!bitmap || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) || usage != DIB_RGB_COLORS)
        return 0;
    const Surface& s = bitmap->surface;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount == 0) {
        // Only the bitmap's own description.
        h.biWidth = s.width;
        h.biHeight = s.height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(s.bitsPerPixel);
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(Surface::strideFor(s.width, s.bitsPerPixel)) * static_cast<DWORD>(s.height);
        h.biClrUsed = 0;
        return s.height;
    }
    if (h.biBitCount <= 8 && h.biCompression == BI_RGB) {
        const std::vector<RGBQUAD> table =
            (h.biBitCount == s.bitsPerPixel && !s.palette.empty()) ? s.palette : defaultPalette(h.biBitCount);
        std::vector<RGBQUAD> full(size_t(1) << h.biBitCount, RGBQUAD{0, 0, 0, 0});
        std::copy(table.begin(), table.begin() + static_cast<ptrdiff_t>(std::min(table.size(), full.size())), full.begin());
        std::memcpy(info->bmiColors, full.data(), full.size() * sizeof(RGBQUAD));
        h.biClrUsed = 0;
    }
    Surface view;
    if (!describeDib(info, bits, view))
        return 0;
    h.biSizeImage = static_cast<DWORD>(view.stride) * static_cast<DWORD>(view.height);
    if (!bits)
        return s.height;
    UINT copied = 0;
    const int width = std::min(view.width, s.width);
    for (UINT line = start; line < start + lines && line < static_cast<UINT>(view.height); ++line) {
        // Line numbers follow the DIB's memory order: from the bottom for bottom-up DIBs;
        // the caller's buffer starts with line start.
        const int y = view.topDown ? static_cast<int>(line) : view.height - 1 - static_cast<int>(line);
        if (y >= s.height)
            continue;
        Surface target = lineOf(view, bits, line - start);
        for (int x = 0; x < width; ++x)
            target.set(x, 0, s.get(x, y));
        ++copied;
    }
    return static_cast<int>(copied);
}

int SetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
    Bitmap* bitmap = lookupBitmap(handle);
    Surface view;
    if (!bitmap || !bits || usage != DIB_RGB_COLORS || !describeDib(info, bits, view))
        return 0;
    Surface& s = bitmap->surface;
    UINT copied = 0;
    const int width = std::min(view.width, s.width);
    for (UINT line = start; line < start + lines && line < static_cast<UINT>(view.height); ++line) {
        const int y = view.topDown ? static_cast<int>(line) : view.height - 1 - static_cast<int>(line);
        if (y >= s.height)
            continue;
        const Surface from = lineOf(view, bits, line - start);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = from.get(x, 0);
            s.set(x, y, bitmap->monochrome ? toMonochrome(c) : c);
        }
        ++copied;
    }
    return static_cast<int>(copied);
}
