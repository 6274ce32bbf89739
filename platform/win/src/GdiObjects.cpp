// GDI handles: the object table, stock objects, device contexts, selection, bitmap
// creation and object queries.
#include "GdiInternal.h"

#include <cstring>
#include <unordered_map>

namespace platform::gdi {
namespace {

// Lives for the whole process (objects may be released by static destructors at exit).
std::unordered_map<const void*, std::unique_ptr<Object>>& table() {
    static auto* objects = new std::unordered_map<const void*, std::unique_ptr<Object>>;
    return *objects;
}

template <class T>
T* makeStock(std::unique_ptr<T> object) {
    object->stock = true;
    T* raw = object.get();
    adopt(std::move(object));
    return raw;
}

Brush* solidBrush(COLORREF color, bool hollow = false) {
    auto b = std::make_unique<Brush>();
    b->color = color;
    b->hollow = hollow;
    return makeStock(std::move(b));
}

Pen* pen(COLORREF color, bool null = false) {
    auto p = std::make_unique<Pen>();
    p->color = color;
    p->null = null;
    return makeStock(std::move(p));
}

struct Stock {
    Object* objects[DC_PEN + 1] = {};
    Bitmap* bitmap = nullptr;  // the 1 x 1 monochrome bitmap of new memory DCs
    DeviceContext* screen = nullptr;
};

Stock& stock() {
    static Stock* s = [] {
        auto* st = new Stock;
        st->objects[WHITE_BRUSH] = solidBrush(RGB(255, 255, 255));
        st->objects[LTGRAY_BRUSH] = solidBrush(RGB(192, 192, 192));
        st->objects[GRAY_BRUSH] = solidBrush(RGB(128, 128, 128));
        st->objects[DKGRAY_BRUSH] = solidBrush(RGB(64, 64, 64));
        st->objects[BLACK_BRUSH] = solidBrush(RGB(0, 0, 0));
        st->objects[NULL_BRUSH] = solidBrush(0, true);
        st->objects[WHITE_PEN] = pen(RGB(255, 255, 255));
        st->objects[BLACK_PEN] = pen(RGB(0, 0, 0));
        st->objects[NULL_PEN] = pen(0, true);
        st->objects[SYSTEM_FONT] = makeStock(std::make_unique<Font>());
        st->objects[DEFAULT_GUI_FONT] = makeStock(std::make_unique<Font>());
        st->objects[DC_BRUSH] = solidBrush(RGB(255, 255, 255));
        st->objects[DC_PEN] = pen(RGB(0, 0, 0));
        auto bitmap = makeBitmap(1, 1, 1, false, 2);
        bitmap->monochrome = true;
        st->bitmap = makeStock(std::move(bitmap));
        auto screen = std::make_unique<DeviceContext>();
        screen->memory = false;
        screen->brush = st->objects[WHITE_BRUSH];
        screen->pen = st->objects[BLACK_PEN];
        screen->font = st->objects[SYSTEM_FONT];
        st->screen = makeStock(std::move(screen));
        return st;
    }();
    return *s;
}

bool selectedAnywhere(const Object* object) {
    for (const auto& entry : table()) {
        if (entry.second->kind != Kind::DC)
            continue;
        const auto* dc = static_cast<const DeviceContext*>(entry.second.get());
        if (dc->brush == object || dc->pen == object || dc->font == object || dc->bitmap == object)
            return true;
    }
    return false;
}

std::unique_ptr<Bitmap> monochromeBitmap(int width, int height) {
    auto bitmap = makeBitmap(width, height, 1, true, 2);
    if (bitmap)
        bitmap->monochrome = true;
    return bitmap;
}

}  // namespace

void* adopt(std::unique_ptr<Object> object) {
    void* handle = object.get();
    table()[handle] = std::move(object);
    return handle;
}

Object* lookup(const void* handle) {
    if (!handle)
        return nullptr;
    stock();
    auto it = table().find(handle);
    return it == table().end() ? nullptr : it->second.get();
}

DeviceContext* lookupDC(HDC hdc) {
    Object* o = lookup(hdc);
    return o && o->kind == Kind::DC ? static_cast<DeviceContext*>(o) : nullptr;
}

Bitmap* lookupBitmap(HGDIOBJ handle) {
    Object* o = lookup(handle);
    return o && o->kind == Kind::Bitmap ? static_cast<Bitmap*>(o) : nullptr;
}

}  // namespace platform::gdi

using namespace platform::gdi;

HDC CreateCompatibleDC(HDC) {
    Stock& s = stock();
    auto dc = std::make_unique<DeviceContext>();
    dc->bitmap = s.bitmap;
    dc->brush = s.objects[WHITE_BRUSH];
    dc->pen = s.objects[BLACK_PEN];
    dc->font = s.objects[SYSTEM_FONT];
    return static_cast<HDC>(adopt(std::move(dc)));
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || dc->stock)
        return FALSE;
    if (dc->bitmap && !dc->bitmap->stock)
        dc->bitmap->selectedInto = nullptr;
    table().erase(hdc);
    return TRUE;
}

HDC GetDC(HWND) { return reinterpret_cast<HDC>(stock().screen); }

int ReleaseDC(HWND, HDC hdc) { return lookupDC(hdc) ? 1 : 0; }

int GetDeviceCaps(HDC hdc, int index) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc)
        return 0;
    switch (index) {
    case BITSPIXEL:
        return dc->memory && dc->bitmap ? (dc->bitmap->monochrome ? 1 : dc->bitmap->surface.bitsPerPixel) : 32;
    case PLANES:
        return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case HORZRES:
        return dc->memory && dc->bitmap ? dc->bitmap->surface.width : 1920;
    case VERTRES:
        return dc->memory && dc->bitmap ? dc->bitmap->surface.height : 1080;
    case NUMCOLORS:
        return -1;
    default:
        return 0;
    }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
    DeviceContext* dc = lookupDC(hdc);
    Object* object = lookup(handle);
    if (!dc || !object)
        return nullptr;
    switch (object->kind) {
    case Kind::Bitmap: {
        auto* bitmap = static_cast<Bitmap*>(object);
        if (!dc->memory || (!bitmap->stock && bitmap->selectedInto && bitmap->selectedInto != hdc))
            return nullptr;
        Bitmap* previous = dc->bitmap;
        if (previous && !previous->stock)
            previous->selectedInto = nullptr;
        dc->bitmap = bitmap;
        if (!bitmap->stock)
            bitmap->selectedInto = hdc;
        return previous;
    }
    case Kind::Brush: {
        Object* previous = dc->brush;
        dc->brush = object;
        return previous;
    }
    case Kind::Pen: {
        Object* previous = dc->pen;
        dc->pen = object;
        return previous;
    }
    case Kind::Font: {
        Object* previous = dc->font;
        dc->font = object;
        return previous;
    }
    default:
        return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ handle) {
    Object* object = lookup(handle);
    if (!object || object->kind == Kind::DC)
        return FALSE;
    if (object->stock)
        return TRUE;
    if (selectedAnywhere(object))
        return FALSE;
    table().erase(handle);
    return TRUE;
}

HGDIOBJ GetStockObject(int index) {
    if (index < 0 || index > DC_PEN)
        return nullptr;
    return stock().objects[index];
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_BITMAP:
        return dc->bitmap;
    case OBJ_BRUSH:
        return dc->brush;
    case OBJ_PEN:
        return dc->pen;
    case OBJ_FONT:
        return dc->font;
    default:
        return nullptr;
    }
}

DWORD GetObjectType(HGDIOBJ handle) {
    Object* object = lookup(handle);
    if (!object)
        return 0;
    switch (object->kind) {
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Pen: return OBJ_PEN;
    case Kind::Font: return OBJ_FONT;
    case Kind::DC: return static_cast<DeviceContext*>(object)->memory ? OBJ_MEMDC : OBJ_DC;
    }
    return 0;
}

int GetObjectW(HANDLE handle, int size, LPVOID buffer) {
    Object* object = lookup(handle);
    if (!object)
        return 0;
    if (object->kind == Kind::Brush) {
        if (!buffer)
            return sizeof(LOGBRUSH);
        if (size < static_cast<int>(sizeof(LOGBRUSH)))
            return 0;
        const auto* brush = static_cast<Brush*>(object);
        LOGBRUSH lb{brush->hollow ? static_cast<UINT>(BS_NULL) : static_cast<UINT>(BS_SOLID), brush->color, 0};
        std::memcpy(buffer, &lb, sizeof lb);
        return sizeof(LOGBRUSH);
    }
    if (object->kind != Kind::Bitmap)
        return 0;
    const auto* bitmap = static_cast<Bitmap*>(object);
    const Surface& s = bitmap->surface;
    if (!buffer)
        return bitmap->dibSection ? sizeof(DIBSECTION) : sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP)))
        return 0;
    DIBSECTION ds{};
    ds.dsBm.bmType = 0;
    ds.dsBm.bmWidth = s.width;
    ds.dsBm.bmHeight = s.height;
    ds.dsBm.bmWidthBytes = s.stride;
    ds.dsBm.bmPlanes = 1;
    ds.dsBm.bmBitsPixel = static_cast<WORD>(s.bitsPerPixel);
    ds.dsBm.bmBits = bitmap->dibSection ? s.bits : nullptr;
    if (!bitmap->dibSection || size < static_cast<int>(sizeof(DIBSECTION))) {
        std::memcpy(buffer, &ds.dsBm, sizeof(BITMAP));
        return sizeof(BITMAP);
    }
    BITMAPINFOHEADER& h = ds.dsBmih;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = s.width;
    h.biHeight = s.topDown ? -s.height : s.height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(s.bitsPerPixel);
    const bool fields = s.bitfields32 || (s.bitsPerPixel == 16 && !(s.masks[0] == 0x7C00 && s.masks[1] == 0x03E0 && s.masks[2] == 0x001F));
    h.biCompression = fields ? BI_BITFIELDS : BI_RGB;
    h.biSizeImage = static_cast<DWORD>(s.stride) * static_cast<DWORD>(s.height);
    h.biClrUsed = static_cast<DWORD>(s.palette.size());
    if (s.bitsPerPixel == 16 || s.bitfields32) {
        ds.dsBitfields[0] = s.masks[0];
        ds.dsBitfields[1] = s.masks[1];
        ds.dsBitfields[2] = s.masks[2];
    }
    std::memcpy(buffer, &ds, sizeof ds);
    return sizeof(DIBSECTION);
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc)
        return CLR_INVALID;
    const COLORREF previous = dc->background;
    dc->background = color & 0xFFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC hdc) {
    DeviceContext* dc = lookupDC(hdc);
    return dc ? dc->background : CLR_INVALID;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc)
        return CLR_INVALID;
    const COLORREF previous = dc->text;
    dc->text = color & 0xFFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext* dc = lookupDC(hdc);
    return dc ? dc->text : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    const int previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

int GetBkMode(HDC hdc) {
    DeviceContext* dc = lookupDC(hdc);
    return dc ? dc->backgroundMode : 0;
}

int SetStretchBltMode(HDC hdc, int mode) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    const int previous = dc->stretchMode;
    dc->stretchMode = mode;
    return previous;
}

int GetStretchBltMode(HDC hdc) {
    DeviceContext* dc = lookupDC(hdc);
    return dc ? dc->stretchMode : 0;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1 || bitsPerPixel == 0 || bitsPerPixel > 32 || width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return reinterpret_cast<HBITMAP>(stock().bitmap);
    std::unique_ptr<Bitmap> bitmap = bitsPerPixel == 1 ? monochromeBitmap(width, height) : makeBitmap(width, height, 32, true, 2);
    if (!bitmap)
        return nullptr;
    if (bits) {
        // The initial pixels: rows of the given depth, WORD-aligned, top row first.
        Surface source;
        source.width = width;
        source.height = height;
        source.bitsPerPixel = static_cast<int>(bitsPerPixel);
        source.topDown = true;
        source.stride = Surface::strideFor(width, source.bitsPerPixel, 2);
        source.bits = static_cast<unsigned char*>(const_cast<void*>(bits));
        source.palette = defaultPalette(source.bitsPerPixel);
        const int bpp = source.bitsPerPixel;
        if (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32) {
            if (bpp == bitmap->surface.bitsPerPixel) {
                for (int y = 0; y < height; ++y)
                    std::memcpy(bitmap->surface.row(y), source.row(y), static_cast<size_t>(source.stride));
            } else {
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        bitmap->surface.set(x, y, source.get(x, y));
            }
        }
    }
    return static_cast<HBITMAP>(adopt(std::move(bitmap)));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = lookupDC(hdc);
    if (!dc || width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return reinterpret_cast<HBITMAP>(stock().bitmap);
    std::unique_ptr<Bitmap> bitmap;
    const Bitmap* selected = dc->memory ? dc->bitmap : nullptr;
    if (selected && selected->monochrome) {
        bitmap = monochromeBitmap(width, height);
    } else if (selected && selected->dibSection) {
        // A DIB section of the selected one's format.
        const Surface& f = selected->surface;
        bitmap = makeBitmap(width, height, f.bitsPerPixel, f.topDown, 4);
        if (bitmap) {
            bitmap->dibSection = true;
            bitmap->surface.palette = f.palette;
            std::memcpy(bitmap->surface.masks, f.masks, sizeof f.masks);
            bitmap->surface.bitfields32 = f.bitfields32;
        }
    } else {
        bitmap = makeBitmap(width, height, 32, true, 2);
    }
    return bitmap ? static_cast<HBITMAP>(adopt(std::move(bitmap))) : nullptr;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD) {
    if (bits)
        *bits = nullptr;
    Surface format;
    if (usage != DIB_RGB_COLORS || !describeDib(info, nullptr, format))
        return nullptr;
    auto bitmap = makeBitmap(format.width, format.height, format.bitsPerPixel, format.topDown, 4);
    if (!bitmap)
        return nullptr;
    bitmap->dibSection = true;
    if (format.bitsPerPixel <= 8)
        bitmap->surface.palette = format.palette;
    std::memcpy(bitmap->surface.masks, format.masks, sizeof format.masks);
    bitmap->surface.bitfields32 = format.bitfields32;
    if (bits)
        *bits = bitmap->surface.bits;
    return static_cast<HBITMAP>(adopt(std::move(bitmap)));
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info, UINT usage) {
    if (!header || header->biWidth <= 0 || header->biHeight == 0)
        return nullptr;
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    HBITMAP bitmap = CreateCompatibleBitmap(hdc ? hdc : GetDC(nullptr), header->biWidth, height);
    if (!bitmap)
        return nullptr;
    if ((init & CBM_INIT) && bits && info && SetDIBits(hdc, bitmap, 0, static_cast<UINT>(height), bits, info, usage) == 0) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}
