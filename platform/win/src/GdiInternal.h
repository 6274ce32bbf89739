// The objects behind GDI handles (internal to the platform library): pixel surfaces,
// bitmaps, brushes, pens and device contexts.
#pragma once

#include <win/Gdi.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::gdi {

/// Pixels in one of the DIB layouts. Colours travel as 0xAARRGGBB (alpha only from and to
/// 32-bit surfaces); y counts from the top row whatever the memory order.
class Surface {
public:
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    bool topDown = false;
    int stride = 0;  // bytes a row, a multiple of 4 (2 for device-dependent bitmaps)
    unsigned char* bits = nullptr;
    std::vector<RGBQUAD> palette;              // 1, 4 and 8 bits
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16 bits (and 32 with bitfields)
    bool bitfields32 = false;

    unsigned char* row(int y) const { return bits + static_cast<ptrdiff_t>(topDown ? y : height - 1 - y) * stride; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint32_t get(int x, int y) const;
    void set(int x, int y, uint32_t argb);
    /// The palette index nearest to a colour (surfaces with a palette).
    int nearest(uint32_t argb) const;

    static int strideFor(int width, int bitsPerPixel, int alignment = 4);
};

/// Describes the DIB given by info and bits as a surface (not owning the pixels). False
/// for formats that GDI does not take (see CreateDIBSection).
bool describeDib(const BITMAPINFO* info, const void* bits, Surface& surface);
/// The default colour table for a palette format (black and white; the 16 VGA colours;
/// a colour cube with grey ramp for 8 bits).
std::vector<RGBQUAD> defaultPalette(int bitsPerPixel);

enum class Kind { Bitmap, Brush, Pen, Font, DC };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Kind kind;
    bool stock = false;
};

struct Bitmap : Object {
    Bitmap() : Object(Kind::Bitmap) {}
    Surface surface;
    std::vector<unsigned char> storage;
    bool dibSection = false;
    bool monochrome = false;  // a 1-bit device-dependent bitmap
    HDC selectedInto = nullptr;
};

struct Brush : Object {
    Brush() : Object(Kind::Brush) {}
    COLORREF color = 0;
    bool hollow = false;
};

struct Pen : Object {
    Pen() : Object(Kind::Pen) {}
    COLORREF color = 0;
    bool null = false;
};

struct Font : Object {
    Font() : Object(Kind::Font) {}
};

struct DeviceContext : Object {
    DeviceContext() : Object(Kind::DC) {}
    bool memory = true;
    Bitmap* bitmap = nullptr;  // memory DCs: the selected bitmap
    Object* brush = nullptr;
    Object* pen = nullptr;
    Object* font = nullptr;
    COLORREF background = RGB(255, 255, 255);
    COLORREF text = RGB(0, 0, 0);
    int backgroundMode = OPAQUE;
    int stretchMode = COLORONCOLOR;
};

/// The object of a handle, or nullptr for a handle that is no live GDI object.
Object* lookup(const void* handle);
DeviceContext* lookupDC(HDC hdc);
Bitmap* lookupBitmap(HGDIOBJ handle);

/// Allocates a bitmap of the layout with zeroed pixels; nullptr for bad sizes.
std::unique_ptr<Bitmap> makeBitmap(int width, int height, int bitsPerPixel, bool topDown, int alignment);
/// Takes ownership of an object and returns its handle.
void* adopt(std::unique_ptr<Object> object);

inline uint32_t fromColorRef(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
inline COLORREF toColorRef(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

}  // namespace platform::gdi
