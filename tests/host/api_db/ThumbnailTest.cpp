// The preview stored in a drawing file, handed out as a bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "host/db/Codec.h"
#include "win/Gdi.h"
#include "zcdbmain.h"

namespace {

std::vector<unsigned char> twoPixelDib() {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(h);
    h.biWidth = 2;
    h.biHeight = 1;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    std::vector<unsigned char> dib(sizeof(h) + 8, 0);
    std::memcpy(dib.data(), &h, sizeof(h));
    unsigned char pixels[] = {0, 0, 255, 255, 0, 0, 0, 0};  // red, blue (B, G, R order)
    std::memcpy(dib.data() + sizeof(h), pixels, sizeof(pixels));
    return dib;
}

TEST(DbThumbnailTest, StoredPreviewBecomesABitmap) {
    host::db::DrawingCodec saved = host::db::drawingCodec();
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(1);
    HPALETTE palette = reinterpret_cast<HPALETTE>(1);
    host::db::setDrawingCodec({});
    EXPECT_FALSE(zcdbGetPreviewBitmapFromDwg(L"C:\\a.dwg", &bitmap, &palette));
    EXPECT_EQ(nullptr, bitmap);
    EXPECT_EQ(nullptr, palette);

    host::db::DrawingCodec codec;
    codec.readThumbnail = [](const std::wstring& path, std::vector<unsigned char>& dib) {
        if (path != L"C:\\with.dwg")
            return false;
        dib = twoPixelDib();
        return true;
    };
    host::db::setDrawingCodec(codec);
    EXPECT_FALSE(zcdbGetPreviewBitmapFromDwg(L"C:\\without.dwg", &bitmap, &palette));
    ASSERT_TRUE(zcdbGetPreviewBitmapFromDwg(L"C:\\with.dwg", &bitmap, &palette));
    ASSERT_NE(nullptr, bitmap);
    DIBSECTION section{};
    ASSERT_NE(0, GetObjectW(bitmap, sizeof(section), &section));
    EXPECT_EQ(2, section.dsBm.bmWidth);
    EXPECT_EQ(1, section.dsBm.bmHeight);
    const auto* bits = static_cast<const unsigned char*>(section.dsBm.bmBits);
    ASSERT_NE(nullptr, bits);
    EXPECT_EQ(255, bits[2]);  // red first pixel
    EXPECT_EQ(255, bits[3]);  // blue second pixel
    DeleteObject(bitmap);
    host::db::setDrawingCodec(saved);
}

}  // namespace
