// GDI: StretchDIBits with the block preview layout, stretching and shrinking, raster
// operations, monochrome conversions, DIB read-back and the object rules.
#include <atlimage.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A DIB in memory: header, colour table and pixel rows, as a preview icon is laid out.
struct Dib {
    std::vector<unsigned char> bytes;
    size_t bitsOffset = 0;
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(bytes.data()); }
    const void* bits() const { return bytes.data() + bitsOffset; }
    unsigned char* row(int memoryRow, int stride) { return bytes.data() + bitsOffset + static_cast<size_t>(memoryRow) * static_cast<size_t>(stride); }
};

Dib makeDib(int width, int height, int bpp, int colors = 0) {
    Dib d;
    const int stride = ((width * bpp + 31) / 32) * 4;
    const int absHeight = height < 0 ? -height : height;
    d.bitsOffset = sizeof(BITMAPINFOHEADER) + static_cast<size_t>(colors) * 4;
    d.bytes.assign(d.bitsOffset + static_cast<size_t>(stride) * static_cast<size_t>(absHeight), 0);
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bpp);
    h.biCompression = BI_RGB;
    h.biClrUsed = static_cast<DWORD>(colors);
    std::memcpy(d.bytes.data(), &h, sizeof h);
    return d;
}

// The block preview icon: 32 x 32, 8 bits, bottom-up, a 256-entry palette. Pixel (x, y)
// (y from the top) gets palette index (x + 2y) % 256, palette entry i the colour (i, 255-i, i/2).
Dib previewIcon() {
    Dib d = makeDib(32, 32, 8, 256);
    for (int i = 0; i < 256; ++i) {
        RGBQUAD q{static_cast<BYTE>(i / 2), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
        std::memcpy(d.bytes.data() + sizeof(BITMAPINFOHEADER) + 4 * i, &q, 4);
    }
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            d.row(31 - y, 32)[x] = static_cast<unsigned char>((x + 2 * y) % 256);
    return d;
}

COLORREF previewColor(int x, int y) {
    const int i = (x + 2 * y) % 256;
    return RGB(i, 255 - i, i / 2);
}

TEST(MfcGdiTest, PreviewIconDrawsPixelForPixelAndDoubled) {
    const Dib icon = previewIcon();
    for (int size : {32, 64}) {
        CImage image;
        ASSERT_TRUE(image.Create(size, size, 24));
        HDC dc = image.GetDC();
        EXPECT_EQ(StretchDIBits(dc, 0, 0, size, size, 0, 0, 32, 32, icon.bits(), icon.info(), DIB_RGB_COLORS, SRCCOPY), 32);
        image.ReleaseDC();
        const int scale = size / 32;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                ASSERT_EQ(image.GetPixel(x, y), previewColor(x / scale, y / scale)) << size << ": " << x << "," << y;
    }
}

TEST(MfcGdiTest, StretchDIBitsFromTopDownAndBottomUpSources) {
    // 32-bit 2 x 2 sources with the same picture: red green / blue white.
    const uint32_t picture[2][2] = {{0x00FF0000, 0x0000FF00}, {0x000000FF, 0x00FFFFFF}};
    for (bool topDown : {true, false}) {
        Dib dib = makeDib(2, topDown ? -2 : 2, 32);
        for (int y = 0; y < 2; ++y)
            std::memcpy(dib.row(topDown ? y : 1 - y, 8), picture[y], 8);
        CImage image;
        ASSERT_TRUE(image.Create(4, 4, 32));
        HDC dc = image.GetDC();
        StretchDIBits(dc, 0, 0, 4, 4, 0, 0, 2, 2, dib.bits(), dib.info(), DIB_RGB_COLORS, SRCCOPY);
        image.ReleaseDC();
        EXPECT_EQ(image.GetPixel(1, 1), RGB(255, 0, 0)) << topDown;
        EXPECT_EQ(image.GetPixel(2, 0), RGB(0, 255, 0)) << topDown;
        EXPECT_EQ(image.GetPixel(0, 3), RGB(0, 0, 255)) << topDown;
        EXPECT_EQ(image.GetPixel(3, 2), RGB(255, 255, 255)) << topDown;

        // The lower row alone: for a bottom-up DIB it is source row 0 from the bottom.
        CImage row;
        ASSERT_TRUE(row.Create(2, 1, 24));
        HDC rowDc = row.GetDC();
        StretchDIBits(rowDc, 0, 0, 2, 1, 0, topDown ? 1 : 0, 2, 1, dib.bits(), dib.info(), DIB_RGB_COLORS, SRCCOPY);
        row.ReleaseDC();
        EXPECT_EQ(row.GetPixel(0, 0), RGB(0, 0, 255)) << topDown;
        EXPECT_EQ(row.GetPixel(1, 0), RGB(255, 255, 255)) << topDown;
    }
}

TEST(MfcGdiTest, ShrinkingFollowsTheStretchMode) {
    // A 2 x 2 source of two greys shrunk to one pixel.
    CImage source;
    ASSERT_TRUE(source.Create(2, 2, 24));
    source.SetPixel(0, 0, RGB(0xF0, 0xF0, 0xF0));
    source.SetPixel(1, 0, RGB(0x0F, 0x0F, 0x0F));
    source.SetPixel(0, 1, RGB(0xF0, 0xF0, 0xF0));
    source.SetPixel(1, 1, RGB(0x0F, 0x0F, 0x0F));
    struct Case {
        int mode;
        COLORREF expected;
    } cases[] = {{BLACKONWHITE, RGB(0, 0, 0)}, {WHITEONBLACK, RGB(0xFF, 0xFF, 0xFF)}, {HALFTONE, RGB(0x80, 0x80, 0x80)}};
    for (const Case& c : cases) {
        CImage target;
        ASSERT_TRUE(target.Create(1, 1, 24));
        HDC dc = target.GetDC();
        EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR);
        SetStretchBltMode(dc, c.mode);
        source.StretchBlt(dc, 0, 0, 1, 1);
        target.ReleaseDC();
        EXPECT_EQ(target.GetPixel(0, 0), c.expected) << c.mode;
    }
    CImage target;
    ASSERT_TRUE(target.Create(1, 1, 24));
    HDC dc = target.GetDC();
    source.StretchBlt(dc, 0, 0, 1, 1);  // COLORONCOLOR keeps one of the source pixels
    target.ReleaseDC();
    const COLORREF kept = target.GetPixel(0, 0);
    EXPECT_TRUE(kept == RGB(0xF0, 0xF0, 0xF0) || kept == RGB(0x0F, 0x0F, 0x0F));
}

TEST(MfcGdiTest, NegativeWidthsMirror) {
    CImage source, target;
    ASSERT_TRUE(source.Create(3, 1, 24));
    ASSERT_TRUE(target.Create(3, 1, 24));
    source.SetPixel(0, 0, RGB(1, 0, 0));
    source.SetPixel(1, 0, RGB(2, 0, 0));
    source.SetPixel(2, 0, RGB(3, 0, 0));
    HDC dst = target.GetDC();
    HDC src = source.GetDC();
    EXPECT_TRUE(StretchBlt(dst, 3, 0, -3, 1, src, 0, 0, 3, 1, SRCCOPY));
    source.ReleaseDC();
    target.ReleaseDC();
    EXPECT_EQ(target.GetPixel(0, 0), RGB(3, 0, 0));
    EXPECT_EQ(target.GetPixel(2, 0), RGB(1, 0, 0));
}

TEST(MfcGdiTest, RasterOperationsCombineSourceDestinationAndBrush) {
    const COLORREF s = RGB(0xF0, 0x0F, 0x55), d = RGB(0xCC, 0xCC, 0x00), p = RGB(0x12, 0x34, 0x56);
    struct Case {
        DWORD rop;
        COLORREF expected;
    } cases[] = {
        {SRCCOPY, s},
        {SRCAND, RGB(0xC0, 0x0C, 0x00)},
        {SRCPAINT, RGB(0xFC, 0xCF, 0x55)},
        {SRCINVERT, RGB(0x3C, 0xC3, 0x55)},
        {NOTSRCCOPY, RGB(0x0F, 0xF0, 0xAA)},
        {SRCERASE, RGB(0x30, 0x03, 0x55)},
        {DSTINVERT, RGB(0x33, 0x33, 0xFF)},
        {BLACKNESS, RGB(0, 0, 0)},
        {WHITENESS, RGB(0xFF, 0xFF, 0xFF)},
        {PATCOPY, p},
        {PATINVERT, RGB(0xDE, 0xF8, 0x56)},
        {MERGECOPY, RGB(0x10, 0x04, 0x54)},
    };
    for (const Case& c : cases) {
        CImage source, target;
        ASSERT_TRUE(source.Create(1, 1, 32));
        ASSERT_TRUE(target.Create(1, 1, 32));
        source.SetPixel(0, 0, s);
        target.SetPixel(0, 0, d);
        HDC dst = target.GetDC();
        HBRUSH brush = CreateSolidBrush(p);
        HGDIOBJ old = SelectObject(dst, brush);
        source.BitBlt(dst, 0, 0, c.rop);
        SelectObject(dst, old);
        EXPECT_TRUE(DeleteObject(brush));
        target.ReleaseDC();
        EXPECT_EQ(target.GetPixel(0, 0), c.expected) << std::hex << c.rop;
    }
}

TEST(MfcGdiTest, MonochromeMasksConvertByTheDCColours) {
    // Colour to monochrome: the source DC's background colour becomes white.
    CImage picture;
    ASSERT_TRUE(picture.Create(2, 1, 24));
    picture.SetPixel(0, 0, RGB(255, 0, 255));  // the "transparent" colour
    picture.SetPixel(1, 0, RGB(10, 20, 30));
    HDC pictureDc = picture.GetDC();
    SetBkColor(pictureDc, RGB(255, 0, 255));
    HDC maskDc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    EXPECT_TRUE(BitBlt(maskDc, 0, 0, 2, 1, pictureDc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(maskDc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(maskDc, 1, 0), RGB(0, 0, 0));

    // Monochrome to colour: 0 bits take the text colour, 1 bits the background colour.
    CImage target;
    ASSERT_TRUE(target.Create(2, 1, 24));
    HDC targetDc = target.GetDC();
    SetTextColor(targetDc, RGB(1, 2, 3));
    SetBkColor(targetDc, RGB(200, 201, 202));
    EXPECT_TRUE(BitBlt(targetDc, 0, 0, 2, 1, maskDc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(targetDc, 0, 0), RGB(200, 201, 202));
    EXPECT_EQ(GetPixel(targetDc, 1, 0), RGB(1, 2, 3));
    target.ReleaseDC();
    picture.ReleaseDC();
    SelectObject(maskDc, oldMask);
    EXPECT_TRUE(DeleteObject(mask));
    EXPECT_TRUE(DeleteDC(maskDc));
}

TEST(MfcGdiTest, GetDIBitsReadsBackInTheRequestedLayout) {
    CImage image;
    ASSERT_TRUE(image.Create(3, 2, 32));
    image.SetPixel(0, 0, RGB(10, 20, 30));
    image.SetPixel(2, 1, RGB(255, 255, 255));
    HBITMAP bitmap = image;

    BITMAPINFO query{};
    query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 0, nullptr, &query, DIB_RGB_COLORS), 2);
    EXPECT_EQ(query.bmiHeader.biWidth, 3);
    EXPECT_EQ(query.bmiHeader.biHeight, 2);
    EXPECT_EQ(query.bmiHeader.biBitCount, 32);

    // 24 bits bottom-up: line 0 is the bottom row; rows are padded to 4 bytes.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> bits(2 * 12, 0xEE);
    EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 24u);
    EXPECT_EQ(bits[12 + 0], 30);  // top row, first pixel, blue first
    EXPECT_EQ(bits[12 + 2], 10);
    EXPECT_EQ(bits[6], 255);      // bottom row, third pixel
    // Only the second line, into a one-line buffer.
    std::vector<unsigned char> line(12, 0);
    EXPECT_EQ(GetDIBits(nullptr, bitmap, 1, 1, line.data(), &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(line[0], 30);

    // 8 bits: the colour table is filled in and indices point into it.
    std::vector<unsigned char> storage(sizeof(BITMAPINFOHEADER) + 256 * 4, 0);
    auto* paletted = reinterpret_cast<BITMAPINFO*>(storage.data());
    paletted->bmiHeader = {sizeof(BITMAPINFOHEADER), 3, -2, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> indices(2 * 4, 0);
    EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 2, indices.data(), paletted, DIB_RGB_COLORS), 2);
    const RGBQUAD white = paletted->bmiColors[indices[4 + 2]];
    EXPECT_EQ(white.rgbRed, 255);
    EXPECT_EQ(white.rgbBlue, 255);

    // And back with SetDIBits.
    std::vector<unsigned char> one(12, 0);
    one[0] = 7;  // blue of the bottom row's first pixel
    EXPECT_EQ(SetDIBits(nullptr, bitmap, 0, 1, one.data(), &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(image.GetPixel(0, 1), RGB(0, 0, 7));
}

TEST(MfcGdiTest, ObjectRules) {
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    // A fresh memory DC holds a monochrome bitmap, so compatible bitmaps are monochrome.
    HBITMAP mono = CreateCompatibleBitmap(first, 4, 4);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(mono, sizeof bm, &bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmBits, nullptr);
    HBITMAP colour = CreateCompatibleBitmap(GetDC(nullptr), 4, 4);
    GetObjectW(colour, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);

    HGDIOBJ original = SelectObject(first, colour);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(SelectObject(second, colour), nullptr);  // already selected into first
    EXPECT_FALSE(DeleteObject(colour));                // still selected
    EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), colour);
    EXPECT_EQ(SelectObject(first, original), colour);
    EXPECT_TRUE(DeleteObject(colour));
    EXPECT_FALSE(DeleteObject(colour));  // gone
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));  // stock objects stay
    EXPECT_NE(GetObjectType(GetStockObject(WHITE_BRUSH)), 0u);
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_FALSE(DeleteDC(first));
    EXPECT_TRUE(DeleteDC(second));
    EXPECT_EQ(GetPixel(first, 0, 0), CLR_INVALID);

    // DIB sections: a DIBSECTION with the header; bad formats are refused.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 5, -3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    DIBSECTION ds{};
    EXPECT_EQ(GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 16);
    EXPECT_EQ(ds.dsBmih.biHeight, -3);
    EXPECT_TRUE(DeleteObject(dib));
    for (WORD bpp : {WORD(0), WORD(7), WORD(64)}) {
        info.bmiHeader.biBitCount = bpp;
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << bpp;
    }
    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_PAL_COLORS, &bits, nullptr, 0), nullptr);
    info.bmiHeader.biWidth = 40000;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

TEST(MfcGdiTest, FillsAndBlending) {
    CImage image;
    ASSERT_TRUE(image.Create(4, 4, 24));
    HDC dc = image.GetDC();
    RECT all{0, 0, 4, 4}, part{1, 1, 3, 9};
    HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
    EXPECT_EQ(FillRect(dc, &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), 1);
    EXPECT_EQ(FillRect(dc, &part, brush), 1);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 2, 3), RGB(9, 8, 7));
    DeleteObject(brush);

    // Half-transparent premultiplied red over white.
    CImage overlay;
    ASSERT_TRUE(overlay.Create(1, 1, 32, CImage::createAlphaChannel));
    *static_cast<uint32_t*>(overlay.GetBits()) = 0x80800000;
    EXPECT_TRUE(overlay.Draw(dc, 0, 0));
    image.ReleaseDC();
    const COLORREF blended = image.GetPixel(0, 0);
    EXPECT_EQ(GetRValue(blended), 255);
    EXPECT_NEAR(GetGValue(blended), 127, 1);
}

}  // namespace
