// Tests of ZWBlockRecord::preview: no icon, pixel-for-pixel copies and enlargement.
#include <atlimage.h>

#include <cstring>

#include "CadTestSupport.h"
#include "cad/BlockRecord.h"

namespace {

using cadtest::CadTest;

/// A 32 x 32, 8-bit, bottom-up icon: header, 256-colour table, pixel rows. Pixel (x, y),
/// counted from the top row, has colour index (x + 3y) % 256; colour i is (i, 255 - i, i / 2).
ZcDbBlockTableRecord::PreviewIcon makeIcon() {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = 32;
    header.biHeight = 32;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    std::vector<BYTE> bytes(sizeof(header) + 1024 + 32 * 32);
    std::memcpy(bytes.data(), &header, sizeof(header));
    for (int i = 0; i < 256; ++i) {
        RGBQUAD color{static_cast<BYTE>(i / 2), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
        std::memcpy(bytes.data() + sizeof(header) + 4 * i, &color, 4);
    }
    BYTE* pixels = bytes.data() + sizeof(header) + 1024;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            pixels[(31 - y) * 32 + x] = static_cast<BYTE>((x + 3 * y) % 256);
    ZcDbBlockTableRecord::PreviewIcon icon;
    for (BYTE b : bytes)
        icon.append(b);
    return icon;
}

COLORREF iconColor(int x, int y) {
    int i = (x + 3 * y) % 256;
    return RGB(i, 255 - i, i / 2);
}

class CadBlockPreviewTest : public CadTest {
protected:
    void defineWithIcon(const wchar_t* name, const ZcDbBlockTableRecord::PreviewIcon& icon) {
        ZcDbObjectId id = defineBlock(name, {});
        ZcDbBlockTableRecord* record = nullptr;
        ASSERT_EQ(zcdbOpenObject(record, id, ZcDb::kForWrite), Zcad::eOk);
        EXPECT_EQ(record->setPreviewIcon(icon), Zcad::eOk);
        record->close();
    }
};

TEST_F(CadBlockPreviewTest, BlockWithoutIconLeavesTheImageEmpty) {
    defineBlock(L"Empty", {});
    CImage image;
    ZWBlockRecord(L"Empty").preview(image, 32);
    EXPECT_TRUE(image.IsNull());
    ZWBlockRecord(L"Missing").preview(image, 32);
    EXPECT_TRUE(image.IsNull());
}

TEST_F(CadBlockPreviewTest, Size32CopiesTheIconPixelForPixel) {
    defineWithIcon(L"Sign", makeIcon());
    CImage image;
    ZWBlockRecord(L"Sign").preview(image, 32);
    ASSERT_FALSE(image.IsNull());
    EXPECT_EQ(image.GetWidth(), 32);
    EXPECT_EQ(image.GetHeight(), 32);
    EXPECT_EQ(image.GetBPP(), 24);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(image.GetPixel(x, y), iconColor(x, y)) << x << "," << y;
}

TEST_F(CadBlockPreviewTest, Size64DrawsEachIconPixelAsA2By2Block) {
    defineWithIcon(L"Sign", makeIcon());
    CImage image;
    ZWBlockRecord(L"Sign").preview(image, 64);
    ASSERT_FALSE(image.IsNull());
    EXPECT_EQ(image.GetWidth(), 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(image.GetPixel(x, y), iconColor(x / 2, y / 2)) << x << "," << y;
}

TEST_F(CadBlockPreviewTest, TruncatedIconIsNotDrawn) {
    ZcDbBlockTableRecord::PreviewIcon icon = makeIcon();
    icon.setLogicalLength(icon.length() - 100);
    defineWithIcon(L"Short", icon);
    CImage image;
    ZWBlockRecord(L"Short").preview(image, 32);
    EXPECT_TRUE(image.IsNull());
}

TEST_F(CadBlockPreviewTest, BlockWithGeometryGetsAnIconMadeOnDemand) {
    defineBlock(L"Drawn", {new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 5)});
    CImage image;
    ZWBlockRecord(L"Drawn").preview(image, 32);
    EXPECT_FALSE(image.IsNull());
}

}  // namespace
