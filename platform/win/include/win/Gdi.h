// GDI (gdi32) as far as the stand-in draws: points and rectangles, device-independent and
// compatible bitmaps, memory device contexts, solid brushes, the blits with raster
// operations and the DIB transfers. Everything is in memory; the screen DC draws nothing.
#pragma once

#include <windows.h>

// ---------------------------------------------------------------------------------------
// Geometry (windef).
typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *PSIZE, *LPSIZE;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT to, const RECT* from);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL PtInRect(const RECT* rect, POINT point);
/// The common part of a and b; FALSE and an empty result when they do not overlap.
BOOL IntersectRect(LPRECT result, const RECT* a, const RECT* b);
/// The smallest rectangle holding a and b (an empty one counts as nothing).
BOOL UnionRect(LPRECT result, const RECT* a, const RECT* b);

// ---------------------------------------------------------------------------------------
// Bitmap structures (wingdi); the layouts are the Windows ones (LONG is 32 bits).
typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD, *LPRGBQUAD;

typedef struct tagRGBTRIPLE {
    BYTE rgbtBlue;
    BYTE rgbtGreen;
    BYTE rgbtRed;
} RGBTRIPLE;

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: bottom-up rows; negative: top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER, *PBITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPCOREHEADER {
    DWORD bcSize;
    WORD bcWidth;
    WORD bcHeight;
    WORD bcPlanes;
    WORD bcBitCount;
} BITMAPCOREHEADER;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO, *PBITMAPINFO, *LPBITMAPINFO;

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
} BITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

typedef struct tagDIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3];
    HANDLE dshSection;
    DWORD dsOffset;
} DIBSECTION;

typedef struct tagLOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
} LOGBRUSH;

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define BI_JPEG 4L
#define BI_PNG 5L

#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define CBM_INIT 0x04L

// Raster operations (the ternary code in the high word).
#define SRCCOPY 0x00CC0020
#define SRCPAINT 0x00EE0086
#define SRCAND 0x008800C6
#define SRCINVERT 0x00660046
#define SRCERASE 0x00440328
#define NOTSRCCOPY 0x00330008
#define NOTSRCERASE 0x001100A6
#define MERGECOPY 0x00C000CA
#define MERGEPAINT 0x00BB0226
#define PATCOPY 0x00F00021
#define PATPAINT 0x00FB0A09
#define PATINVERT 0x005A0049
#define DSTINVERT 0x00550009
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062

// Stretching modes.
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE

#define TRANSPARENT 1
#define OPAQUE 2

// Object types and stock objects.
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_MEMDC 10

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19

#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL

#define CLR_INVALID 0xFFFFFFFF
#define GDI_ERROR 0xFFFFFFFFL
#define HGDI_ERROR (reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(-1)))

// Device capabilities.
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMCOLORS 24
#define LOGPIXELSX 88
#define LOGPIXELSY 90

// ---------------------------------------------------------------------------------------
// Device contexts and objects.

/// A memory DC; hdc is ignored (all devices are 32-bit colour). It starts with a 1 x 1
/// monochrome bitmap selected, as on Windows.
HDC CreateCompatibleDC(HDC hdc);
/// FALSE for a handle that is no DC.
BOOL DeleteDC(HDC hdc);
/// The screen DC for a null window (32 bits, 96 dpi; drawing into it has no effect).
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
int GetDeviceCaps(HDC hdc, int index);
/// Selects a bitmap (memory DCs only; a bitmap can be selected into one DC at a time) or a
/// brush, pen or font; returns the previous object of that kind, nullptr on failure.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
/// Deletes a bitmap, brush or pen. Stock objects stay (TRUE, as on Windows). FALSE for an
/// object still selected into a DC and for unknown handles.
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
DWORD GetObjectType(HGDIOBJ object);
/// BITMAP (or DIBSECTION when size allows and the bitmap is a DIB section) or LOGBRUSH;
/// with a null buffer the size needed. 0 for unknown handles.
int GetObjectW(HANDLE object, int size, LPVOID buffer);

COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
/// The stretching mode of StretchBlt and StretchDIBits when they shrink (enlarging always
/// repeats pixels). Memory DCs start with COLORONCOLOR (nearest pixel).
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);

// ---------------------------------------------------------------------------------------
// Bitmaps.

/// A device-dependent bitmap; bitsPerPixel 1 gives a monochrome bitmap, anything else a
/// 32-bit one. bits (rows WORD-aligned, top row first) initialise it when given.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
/// A bitmap of the DC's format: monochrome for a memory DC that holds its initial bitmap,
/// else the format of the selected bitmap (32 bits for the screen).
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
/// A DIB section of 1, 4, 8, 16, 24 or 32 bits (BI_RGB, or BI_BITFIELDS for 16 and 32)
/// with the header's orientation; *bits receives the zeroed pixel memory. nullptr for
/// other formats, sizes above 32768 a side or 2^28 bytes, or DIB_PAL_COLORS.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
/// A compatible (32-bit) bitmap of the header's size, filled from the DIB with CBM_INIT.
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info, UINT usage);
/// Copies scan lines of a bitmap into a DIB of the format in info (1..32 bits, BI_RGB, or
/// BI_BITFIELDS for 16/32 bits); line 0 is the DIB's first row in memory. With
/// biBitCount 0 it fills in the bitmap's own header only; with null bits it fills in the
/// header's size and the colour table. Returns the lines copied, 0 on failure.
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage);
/// Copies scan lines of a DIB into a bitmap; returns the lines copied, 0 on failure.
int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);

// ---------------------------------------------------------------------------------------
// Drawing.

// System colours (user32), as a default Windows theme has them.
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_BTNSHADOW 16
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30
DWORD GetSysColor(int index);
/// A stock brush of a system colour (never deleted).
HBRUSH GetSysColorBrush(int index);

COLORREF GetPixel(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
/// Fills with a brush, or with a system colour given as (HBRUSH)(COLOR_xxx + 1).
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
/// Copies with any of the 256 raster operations; colour and monochrome bitmaps convert
/// by the DC colours as on Windows (to monochrome: the source's background colour gives
/// white; from monochrome: 0 bits take the text colour, 1 bits the background colour).
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
/// BitBlt with scaling; negative sizes mirror. Enlarging repeats pixels, shrinking follows
/// the destination's stretching mode.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop);
typedef struct _BLENDFUNCTION {
    BYTE BlendOp;
    BYTE BlendFlags;
    BYTE SourceConstantAlpha;
    BYTE AlphaFormat;
} BLENDFUNCTION;
#define AC_SRC_OVER 0x00
#define AC_SRC_ALPHA 0x01

/// Blends the source over the destination (msimg32): with AC_SRC_ALPHA the source's
/// premultiplied alpha and the constant alpha, else the constant alpha alone.
BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, BLENDFUNCTION blend);

/// Draws a DIB held in memory (bits described by info, colours from its colour table with
/// DIB_RGB_COLORS) scaled into the destination rectangle. For a bottom-up DIB sourceY
/// counts from the bottom row. Returns the number of scan lines drawn, 0 on failure.
int StretchDIBits(HDC hdc, int destX, int destY, int destWidth, int destHeight, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
