// ZWBlockRecord::preview: the block definition's preview icon drawn into an image.
#include "cad/BlockRecord.h"

#include <atlimage.h>
#include <zcdbsymtb.h>

#include <cstring>

namespace {

constexpr int kIconSize = 32;
constexpr size_t kColorTableBytes = 256 * 4;

/// The icon holds its header, the colour table and every pixel row its header describes,
/// so that drawing it reads nothing beyond the array.
bool isComplete(const ZcDbBlockTableRecord::PreviewIcon& icon) {
    const size_t length = static_cast<size_t>(icon.length());
    if (length < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, icon.asArrayPtr(), sizeof(header));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > length || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biBitCount == 0 || header.biBitCount > 32)
        return false;
    const long long rows = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    const long long stride = (static_cast<long long>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    const long long needed = static_cast<long long>(header.biSize) + static_cast<long long>(kColorTableBytes) +
                             stride * rows;
    return needed <= static_cast<long long>(length);
}

}  // namespace

void ZWBlockRecord::preview(CImage& image, int size) const {
    ZcDbBlockTableRecord* definition = nullptr;
    if (zcdbOpenObject(definition, record, ZcDb::kForRead, false) != Zcad::eOk)
        return;
    ZcDbBlockTableRecord::PreviewIcon icon;
    bool haveIcon = definition->hasPreviewIcon() && definition->getPreviewIcon(icon) == Zcad::eOk;
    definition->close();
    if (!haveIcon || !isComplete(icon))
        return;

    if (!image.CreateEx(size, size, 24, BI_RGB))
        return;
    const BYTE* start = icon.asArrayPtr();
    DWORD headerSize = 0;
    std::memcpy(&headerSize, start, sizeof(headerSize));
    HDC dc = image.GetDC();
    StretchDIBits(dc, 0, 0, size, size, 0, 0, kIconSize, kIconSize, start + headerSize + kColorTableBytes,
                  reinterpret_cast<const BITMAPINFO*>(start), DIB_RGB_COLORS, SRCCOPY);
    image.ReleaseDC();
}
