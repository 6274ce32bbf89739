// CImage over the GDI stand-in and the picture-file codecs.
#include <atlimage.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <vector>

#include "platform/ImageFiles.h"
#include "platform/Paths.h"

namespace {

bool sameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

std::wstring extensionOf(LPCWSTR path) {
    std::wstring p(path);
    const size_t dot = p.rfind(L'.');
    const size_t slash = p.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return {};
    std::wstring ext = p.substr(dot + 1);
    for (auto& c : ext)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return ext;
}

// A 32-bit top-down copy of a bitmap's pixels.
bool readPixels(HBITMAP bitmap, int width, int height, std::vector<uint32_t>& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    HDC screen = ::GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return lines == height;
}

/// A BITMAPINFO with room for a full 256-entry colour table (zeroed), its header filled in.
std::vector<unsigned char> bitmapInfo(int width, int height, int bitsPerPixel) {
    std::vector<unsigned char> storage(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    return storage;
}

}  // namespace

CImage::~CImage() { Destroy(); }

BOOL CImage::Create(int width, int height, int bitsPerPixel, DWORD flags) {
    return CreateEx(width, height, bitsPerPixel, BI_RGB, nullptr, flags);
}

BOOL CImage::CreateEx(int width, int height, int bitsPerPixel, DWORD compression, const DWORD* masks, DWORD flags) {
    if (bitmap_ || width <= 0 || height == 0)
        return FALSE;
    if (compression == BI_BITFIELDS && (!masks || (bitsPerPixel != 16 && bitsPerPixel != 32)))
        return FALSE;
    std::vector<unsigned char> storage = bitmapInfo(width, height, bitsPerPixel);
    auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
    info->bmiHeader.biCompression = compression;
    if (compression == BI_BITFIELDS) {
        std::memcpy(storage.data() + sizeof(BITMAPINFOHEADER), masks, 3 * sizeof(DWORD));
    } else if (bitsPerPixel <= 8 && bitsPerPixel > 0) {
        // New palette images start with a grey ramp (SetColorTable replaces it).
        const int n = 1 << bitsPerPixel;
        for (int i = 0; i < n; ++i) {
            const auto v = static_cast<BYTE>(i * 255 / (n - 1));
            info->bmiColors[i] = {v, v, v, 0};
        }
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return FALSE;
    Attach(bitmap, height < 0 ? DIBOR_TOPDOWN : DIBOR_BOTTOMUP);
    hasAlpha_ = (flags & createAlphaChannel) && bitsPerPixel == 32;
    return TRUE;
}

void CImage::describe(DIBOrientation orientation) {
    DIBSECTION ds{};
    const int size = GetObjectW(bitmap_, sizeof ds, &ds);
    dibSection_ = size == static_cast<int>(sizeof(DIBSECTION));
    width_ = ds.dsBm.bmWidth;
    height_ = ds.dsBm.bmHeight;
    bitsPerPixel_ = ds.dsBm.bmBitsPixel;
    const int stride = ds.dsBm.bmWidthBytes;
    if (!dibSection_ || !ds.dsBm.bmBits) {
        bits_ = nullptr;
        pitch_ = stride;
        return;
    }
    bool topDown = ds.dsBmih.biHeight < 0;
    if (orientation == DIBOR_TOPDOWN)
        topDown = true;
    else if (orientation == DIBOR_BOTTOMUP)
        topDown = false;
    auto* base = static_cast<unsigned char*>(ds.dsBm.bmBits);
    if (topDown) {
        bits_ = base;
        pitch_ = stride;
    } else {
        bits_ = base + static_cast<ptrdiff_t>(height_ - 1) * stride;
        pitch_ = -stride;
    }
}

void CImage::Attach(HBITMAP bitmap, DIBOrientation orientation) {
    Destroy();
    bitmap_ = bitmap;
    if (bitmap_)
        describe(orientation);
}

HBITMAP CImage::Detach() {
    while (dcCount_ > 0)
        ReleaseDC();
    HBITMAP bitmap = bitmap_;
    bitmap_ = nullptr;
    width_ = height_ = bitsPerPixel_ = pitch_ = 0;
    bits_ = nullptr;
    dibSection_ = hasAlpha_ = false;
    return bitmap;
}

void CImage::Destroy() {
    if (HBITMAP bitmap = Detach())
        DeleteObject(bitmap);
}

void* CImage::GetPixelAddress(int x, int y) {
    if (!bits_)
        return nullptr;
    return static_cast<unsigned char*>(bits_) + static_cast<ptrdiff_t>(y) * pitch_ + static_cast<ptrdiff_t>(x) * bitsPerPixel_ / 8;
}

void CImage::GetColorTable(UINT first, UINT count, RGBQUAD* colors) const {
    if (!bitmap_ || !colors || bitsPerPixel_ > 8)
        return;
    std::vector<unsigned char> storage = bitmapInfo(width_, height_, bitsPerPixel_);
    auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
    HDC screen = ::GetDC(nullptr);
    GetDIBits(screen, bitmap_, 0, 0, nullptr, info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    const UINT n = 1u << bitsPerPixel_;
    for (UINT i = 0; i < count && first + i < n; ++i)
        colors[i] = info->bmiColors[first + i];
}

void CImage::SetColorTable(UINT first, UINT count, const RGBQUAD* colors) {
    if (!bitmap_ || !colors || bitsPerPixel_ > 8 || !bits_)
        return;
    // Rebuild the section with the new table and the same indices.
    std::vector<RGBQUAD> table(1u << bitsPerPixel_);
    GetColorTable(0, static_cast<UINT>(table.size()), table.data());
    for (UINT i = 0; i < count && first + i < table.size(); ++i)
        table[first + i] = colors[i];
    std::vector<unsigned char> storage = bitmapInfo(width_, pitch_ < 0 ? height_ : -height_, bitsPerPixel_);
    auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
    std::memcpy(info->bmiColors, table.data(), table.size() * sizeof(RGBQUAD));
    void* bits = nullptr;
    HBITMAP replacement = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!replacement)
        return;
    const size_t bytes = static_cast<size_t>(pitch_ < 0 ? -pitch_ : pitch_) * static_cast<size_t>(height_);
    const auto* from = static_cast<const unsigned char*>(bits_);
    std::memcpy(bits, pitch_ < 0 ? from + static_cast<ptrdiff_t>(height_ - 1) * pitch_ : from, bytes);
    const bool alpha = hasAlpha_;
    Attach(replacement, pitch_ < 0 ? DIBOR_BOTTOMUP : DIBOR_TOPDOWN);
    hasAlpha_ = alpha;
}

COLORREF CImage::GetPixel(int x, int y) const {
    HDC dc = GetDC();
    const COLORREF c = dc ? ::GetPixel(dc, x, y) : CLR_INVALID;
    ReleaseDC();
    return c;
}

void CImage::SetPixel(int x, int y, COLORREF color) {
    HDC dc = GetDC();
    if (dc)
        ::SetPixel(dc, x, y, color);
    ReleaseDC();
}

void CImage::SetPixelIndexed(int x, int y, int index) {
    if (bitsPerPixel_ != 8 || x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    if (auto* p = static_cast<BYTE*>(GetPixelAddress(x, y)))
        *p = static_cast<BYTE>(index);
}

HDC CImage::GetDC() const {
    if (!bitmap_)
        return nullptr;
    if (dcCount_ == 0) {
        dc_ = CreateCompatibleDC(nullptr);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        if (!oldBitmap_) {
            DeleteDC(dc_);
            dc_ = nullptr;
            return nullptr;
        }
    }
    ++dcCount_;
    return dc_;
}

void CImage::ReleaseDC() const {
    if (dcCount_ == 0)
        return;
    if (--dcCount_ == 0) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
        dc_ = nullptr;
        oldBitmap_ = nullptr;
    }
}

BOOL CImage::BitBlt(HDC dest, int x, int y, DWORD rop) const { return BitBlt(dest, x, y, width_, height_, 0, 0, rop); }

BOOL CImage::BitBlt(HDC dest, int x, int y, int width, int height, int sourceX, int sourceY, DWORD rop) const {
    HDC source = GetDC();
    if (!source)
        return FALSE;
    const BOOL ok = ::BitBlt(dest, x, y, width, height, source, sourceX, sourceY, rop);
    ReleaseDC();
    return ok;
}

BOOL CImage::StretchBlt(HDC dest, int x, int y, int width, int height, DWORD rop) const {
    return StretchBlt(dest, x, y, width, height, 0, 0, width_, height_, rop);
}

BOOL CImage::StretchBlt(HDC dest, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                        int sourceHeight, DWORD rop) const {
    HDC source = GetDC();
    if (!source)
        return FALSE;
    const BOOL ok = ::StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop);
    ReleaseDC();
    return ok;
}

BOOL CImage::Draw(HDC dest, int x, int y, int width, int height) const {
    if (!hasAlpha_)
        return StretchBlt(dest, x, y, width, height, SRCCOPY);
    HDC source = GetDC();
    if (!source)
        return FALSE;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL ok = ::AlphaBlend(dest, x, y, width, height, source, 0, 0, width_, height_, blend);
    ReleaseDC();
    return ok;
}

HRESULT CImage::Load(LPCWSTR path) {
    if (!path)
        return E_FAIL;
    const std::string file = platform::toUnixPath(path);
    if (file.empty())
        return E_FAIL;
    const auto picture = platform::image::readPicture(file);
    if (!picture)
        return E_FAIL;
    CImage loaded;
    if (!loaded.Create(picture->width, picture->height, picture->hasAlpha ? 32 : 24, picture->hasAlpha ? createAlphaChannel : 0))
        return E_FAIL;
    for (int y = 0; y < picture->height; ++y) {
        auto* row = static_cast<unsigned char*>(loaded.GetPixelAddress(0, y));
        for (int x = 0; x < picture->width; ++x) {
            uint32_t c = picture->pixels[static_cast<size_t>(y) * static_cast<size_t>(picture->width) + static_cast<size_t>(x)];
            if (picture->hasAlpha) {
                // DIB sections with alpha hold premultiplied colours.
                const uint32_t a = c >> 24;
                uint32_t premultiplied = a << 24;
                for (int k = 0; k < 3; ++k)
                    premultiplied |= ((((c >> (8 * k)) & 0xFF) * a + 127) / 255) << (8 * k);
                c = premultiplied;
                std::memcpy(row + 4 * x, &c, 4);
            } else {
                row[3 * x] = static_cast<unsigned char>(c);
                row[3 * x + 1] = static_cast<unsigned char>(c >> 8);
                row[3 * x + 2] = static_cast<unsigned char>(c >> 16);
            }
        }
    }
    Attach(loaded.Detach(), DIBOR_BOTTOMUP);
    hasAlpha_ = picture->hasAlpha;
    return S_OK;
}

HRESULT CImage::Save(LPCWSTR path, REFGUID format) const {
    if (!bitmap_ || !path)
        return E_FAIL;
    bool png;
    if (sameGuid(format, ImageFormatPNG)) {
        png = true;
    } else if (sameGuid(format, ImageFormatBMP)) {
        png = false;
    } else if (sameGuid(format, GUID_NULL)) {
        const std::wstring ext = extensionOf(path);
        if (ext == L"png")
            png = true;
        else if (ext == L"bmp" || ext == L"dib")
            png = false;
        else
            return E_FAIL;
    } else {
        return E_FAIL;
    }
    const std::string file = platform::toUnixPath(path);
    if (file.empty())
        return E_FAIL;
    platform::image::Picture picture;
    picture.width = width_;
    picture.height = height_;
    picture.hasAlpha = hasAlpha_;
    if (!readPixels(bitmap_, width_, height_, picture.pixels))
        return E_FAIL;
    for (uint32_t& c : picture.pixels) {
        if (!hasAlpha_) {
            c |= 0xFF000000u;
            continue;
        }
        // Back from premultiplied colours.
        const uint32_t a = c >> 24;
        uint32_t straight = a << 24;
        for (int k = 0; k < 3 && a > 0; ++k)
            straight |= std::min<uint32_t>(255, (((c >> (8 * k)) & 0xFF) * 255 + a / 2) / a) << (8 * k);
        c = straight;
    }
    const bool ok = png ? platform::image::writePng(file, picture) : platform::image::writeBmp(file, picture);
    return ok ? S_OK : E_FAIL;
}
