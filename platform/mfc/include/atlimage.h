// CImage: a bitmap (normally a DIB section) with its own memory DC, pixel access, drawing,
// and loading and saving of BMP and PNG files.
#pragma once

#include <windows.h>
#include <win/Gdi.h>
#include <win/ImageFormats.h>

#include <atlstr.h>

class CImage {
public:
    enum DIBOrientation { DIBOR_DEFAULT, DIBOR_TOPDOWN, DIBOR_BOTTOMUP };
    static const DWORD createAlphaChannel = 0x01;

    CImage() noexcept = default;
    ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    operator HBITMAP() const { return bitmap_; }

    /// A DIB section of width x |height| pixels and bitsPerPixel (1, 4, 8, 16, 24, 32): a
    /// positive height gives bottom-up rows, a negative one top-down. Palette images get a
    /// default colour table. FALSE when an image is already held or GDI refuses the format.
    BOOL Create(int width, int height, int bitsPerPixel, DWORD flags = 0);
    /// Create with a compression (BI_RGB, or BI_BITFIELDS with three masks for 16/32 bits).
    BOOL CreateEx(int width, int height, int bitsPerPixel, DWORD compression, const DWORD* masks = nullptr, DWORD flags = 0);
    /// Takes over a bitmap (DIB section or compatible bitmap); the image then owns it.
    void Attach(HBITMAP bitmap, DIBOrientation orientation = DIBOR_DEFAULT);
    /// Gives the bitmap back to the caller; the image becomes empty.
    HBITMAP Detach();
    void Destroy();

    bool IsNull() const { return bitmap_ == nullptr; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int GetBPP() const { return bitsPerPixel_; }
    /// Bytes from one row to the next as they appear on screen: negative for bottom-up DIBs.
    int GetPitch() const { return pitch_; }
    /// The top row's first pixel (DIB sections; nullptr otherwise).
    void* GetBits() { return bits_; }
    const void* GetBits() const { return bits_; }
    void* GetPixelAddress(int x, int y);
    bool IsDIBSection() const { return dibSection_; }
    bool IsIndexed() const { return bitsPerPixel_ <= 8; }
    int GetMaxColorTableEntries() const { return bitsPerPixel_ <= 8 ? (1 << bitsPerPixel_) : 0; }
    void GetColorTable(UINT first, UINT count, RGBQUAD* colors) const;
    void SetColorTable(UINT first, UINT count, const RGBQUAD* colors);
    void SetHasAlphaChannel(bool hasAlpha) { hasAlpha_ = hasAlpha; }
    static BOOL IsTransparencySupported() { return TRUE; }

    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    void SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b) { SetPixel(x, y, RGB(r, g, b)); }
    void SetPixelIndexed(int x, int y, int index);

    /// The image's memory DC, with the bitmap selected; counted, so each GetDC needs a
    /// ReleaseDC. nullptr for an empty image.
    HDC GetDC() const;
    void ReleaseDC() const;

    BOOL BitBlt(HDC dest, int x, int y, DWORD rop = SRCCOPY) const;
    BOOL BitBlt(HDC dest, int x, int y, int width, int height, int sourceX, int sourceY, DWORD rop = SRCCOPY) const;
    BOOL BitBlt(HDC dest, const POINT& point, DWORD rop = SRCCOPY) const { return BitBlt(dest, point.x, point.y, rop); }
    BOOL StretchBlt(HDC dest, int x, int y, int width, int height, DWORD rop = SRCCOPY) const;
    BOOL StretchBlt(HDC dest, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                    DWORD rop = SRCCOPY) const;
    BOOL StretchBlt(HDC dest, const RECT& rect, DWORD rop = SRCCOPY) const {
        return StretchBlt(dest, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, rop);
    }
    /// Draws scaled; images with an alpha channel are blended over the destination.
    BOOL Draw(HDC dest, int x, int y, int width, int height) const;
    BOOL Draw(HDC dest, int x, int y) const { return Draw(dest, x, y, width_, height_); }
    BOOL Draw(HDC dest, const RECT& rect) const {
        return Draw(dest, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }

    /// Loads a BMP or PNG file (Windows path) into a 24-bit, or with transparency a 32-bit,
    /// bottom-up DIB section. E_FAIL when the file is missing or not a picture; an image
    /// already held is replaced only on success.
    HRESULT Load(LPCWSTR path);
    /// Saves as PNG or BMP: by the format GUID (ImageFormatPNG, ImageFormatBMP) or else by
    /// the file's extension (.png, .bmp). E_FAIL for an empty image, another format or a
    /// file that cannot be written.
    HRESULT Save(LPCWSTR path, REFGUID format = GUID_NULL) const;

private:
    void describe(DIBOrientation orientation);

    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    int pitch_ = 0;
    void* bits_ = nullptr;
    bool dibSection_ = false;
    bool hasAlpha_ = false;
    mutable HDC dc_ = nullptr;
    mutable HGDIOBJ oldBitmap_ = nullptr;
    mutable int dcCount_ = 0;
};
