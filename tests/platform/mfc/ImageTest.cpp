// CImage: creation and layout, pixel access, the counted DC, ownership, and PNG/BMP files.
#include <atlimage.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "platform/Paths.h"

namespace {

TEST(MfcImageTest, LayoutOfBottomUpAndTopDownImages) {
    CImage image;
    EXPECT_TRUE(image.IsNull());
    ASSERT_TRUE(image.Create(5, 3, 24));
    EXPECT_FALSE(image.IsNull());
    EXPECT_FALSE(image.Create(2, 2, 24));  // already holds one
    EXPECT_EQ(image.GetWidth(), 5);
    EXPECT_EQ(image.GetHeight(), 3);
    EXPECT_EQ(image.GetBPP(), 24);
    EXPECT_EQ(image.GetPitch(), -16);  // bottom-up: the next screen row lies lower in memory
    EXPECT_TRUE(image.IsDIBSection());
    image.SetPixel(1, 0, RGB(1, 2, 3));
    const auto* top = static_cast<const unsigned char*>(image.GetBits());
    EXPECT_EQ(top[3], 3);
    EXPECT_EQ(top[5], 1);
    EXPECT_EQ(image.GetPixelAddress(1, 2), static_cast<unsigned char*>(image.GetBits()) - 32 + 3);

    CImage topDown;
    ASSERT_TRUE(topDown.Create(5, -3, 32));
    EXPECT_EQ(topDown.GetHeight(), 3);
    EXPECT_EQ(topDown.GetPitch(), 20);
    topDown.SetPixel(4, 2, RGB(9, 9, 9));
    EXPECT_EQ(static_cast<const unsigned char*>(topDown.GetBits())[2 * 20 + 16], 9);
    EXPECT_EQ(topDown.GetPixel(4, 2), RGB(9, 9, 9));
    EXPECT_EQ(topDown.GetPixel(5, 0), CLR_INVALID);
    EXPECT_FALSE(CImage().Create(0, 4, 24));
}

TEST(MfcImageTest, PaletteImages) {
    CImage image;
    ASSERT_TRUE(image.Create(4, 4, 8));
    EXPECT_EQ(image.GetMaxColorTableEntries(), 256);
    const RGBQUAD red{0, 0, 255, 0};
    image.SetColorTable(7, 1, &red);
    image.SetPixelIndexed(2, 1, 7);
    EXPECT_EQ(image.GetPixel(2, 1), RGB(255, 0, 0));
    RGBQUAD back{};
    image.GetColorTable(7, 1, &back);
    EXPECT_EQ(back.rgbRed, 255);
}

TEST(MfcImageTest, DeviceContextIsCountedAndOwnershipMoves) {
    CImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    HDC a = image.GetDC();
    HDC b = image.GetDC();
    EXPECT_EQ(a, b);
    image.ReleaseDC();
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, static_cast<HBITMAP>(image)), nullptr);  // still in the image's DC
    image.ReleaseDC();
    HGDIOBJ old = SelectObject(other, static_cast<HBITMAP>(image));
    EXPECT_NE(old, nullptr);
    SelectObject(other, old);
    DeleteDC(other);

    HBITMAP bitmap = image.Detach();
    EXPECT_TRUE(image.IsNull());
    CImage adopted;
    adopted.Attach(bitmap);
    EXPECT_EQ(adopted.GetWidth(), 2);
    EXPECT_EQ(adopted.GetPitch(), -8);
    adopted.Destroy();
    EXPECT_FALSE(DeleteObject(bitmap));  // Destroy deleted it
}

class MfcImageFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavrix-image-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }
    std::wstring windowsPath(const std::string& name) const { return platform::toWindowsPath(folder_ + "/" + name); }

    std::string folder_;
};

TEST_F(MfcImageFileTest, SavesAndLoadsPngAndBmp) {
    CImage image;
    ASSERT_TRUE(image.Create(3, 2, 24));
    image.SetPixel(0, 0, RGB(255, 0, 0));
    image.SetPixel(2, 1, RGB(0, 0, 255));
    for (const char* name : {"a.png", "b.BMP"}) {
        ASSERT_EQ(image.Save(windowsPath(name).c_str()), S_OK) << name;
        CImage loaded;
        ASSERT_EQ(loaded.Load(windowsPath(name).c_str()), S_OK) << name;
        EXPECT_EQ(loaded.GetWidth(), 3);
        EXPECT_EQ(loaded.GetHeight(), 2);
        EXPECT_EQ(loaded.GetBPP(), 24);
        EXPECT_EQ(loaded.GetPixel(0, 0), RGB(255, 0, 0)) << name;
        EXPECT_EQ(loaded.GetPixel(2, 1), RGB(0, 0, 255)) << name;
        EXPECT_EQ(loaded.GetPixel(1, 1), RGB(0, 0, 0)) << name;
    }
    // The format may also be given explicitly, whatever the extension.
    ASSERT_EQ(image.Save(windowsPath("c.dat").c_str(), ImageFormatPNG), S_OK);
    CImage loaded;
    EXPECT_EQ(loaded.Load(windowsPath("c.dat").c_str()), S_OK);
    EXPECT_EQ(image.Save(windowsPath("d.gif").c_str()), E_FAIL);
    EXPECT_EQ(CImage().Save(windowsPath("e.png").c_str()), E_FAIL);
}

TEST_F(MfcImageFileTest, TransparencySurvivesPng) {
    CImage image;
    ASSERT_TRUE(image.Create(1, 1, 32, CImage::createAlphaChannel));
    *static_cast<uint32_t*>(image.GetBits()) = 0x80400000;  // premultiplied half-transparent red
    ASSERT_EQ(image.Save(windowsPath("alpha.png").c_str()), S_OK);
    CImage loaded;
    ASSERT_EQ(loaded.Load(windowsPath("alpha.png").c_str()), S_OK);
    EXPECT_EQ(loaded.GetBPP(), 32);
    const uint32_t pixel = *static_cast<const uint32_t*>(loaded.GetBits());
    EXPECT_EQ(pixel >> 24, 0x80u);
    EXPECT_NEAR(static_cast<int>((pixel >> 16) & 0xFF), 0x40, 1);
}

TEST_F(MfcImageFileTest, BadFilesLeaveTheImageAlone) {
    CImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    EXPECT_EQ(image.Load(windowsPath("missing.png").c_str()), E_FAIL);
    FILE* f = std::fopen((folder_ + "/junk.bmp").c_str(), "wb");
    std::fputs("BM this is no bitmap", f);
    std::fclose(f);
    EXPECT_EQ(image.Load(windowsPath("junk.bmp").c_str()), E_FAIL);
    EXPECT_EQ(image.GetWidth(), 2);
    // A bitmap whose pixel rows are cut off.
    CImage big;
    ASSERT_TRUE(big.Create(20, 20, 24));
    ASSERT_EQ(big.Save(windowsPath("cut.bmp").c_str()), S_OK);
    ASSERT_EQ(truncate((folder_ + "/cut.bmp").c_str(), 200), 0);
    EXPECT_EQ(image.Load(windowsPath("cut.bmp").c_str()), E_FAIL);
}

}  // namespace
