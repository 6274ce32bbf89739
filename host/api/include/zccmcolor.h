// Entity colours: an index of the 256-colour palette, ByLayer, ByBlock or a true colour.
#pragma once

#include "zcadstrc.h"
#include "zcbase.h"

namespace ZcCm {
enum ColorMethod { kByLayer = 0xC0, kByBlock = 0xC1, kByColor = 0xC2, kByACI = 0xC3, kForeground = 0xC5, kNone = 0xC8 };
}

/// A colour as entities carry it. Index 256 is ByLayer, 0 ByBlock, 1..255 palette colours.
class ZCAD_PORT ZcCmColor {
public:
    ZcCmColor() = default;

    ZcCm::ColorMethod colorMethod() const { return method_; }
    Zcad::ErrorStatus setColorMethod(ZcCm::ColorMethod method);
    bool isByLayer() const { return method_ == ZcCm::kByLayer; }
    bool isByBlock() const { return method_ == ZcCm::kByBlock; }
    bool isByACI() const { return method_ == ZcCm::kByACI; }
    bool isByColor() const { return method_ == ZcCm::kByColor; }

    /// The palette index: 256 ByLayer, 0 ByBlock, 1..255 otherwise (true colours give the
    /// nearest palette index).
    Zdesk::UInt16 colorIndex() const;
    /// 0..256; larger values give eInvalidInput.
    Zcad::ErrorStatus setColorIndex(Zdesk::UInt16 index);
    Zcad::ErrorStatus setRGB(Zdesk::UInt8 red, Zdesk::UInt8 green, Zdesk::UInt8 blue);
    Zdesk::UInt8 red() const;
    Zdesk::UInt8 green() const;
    Zdesk::UInt8 blue() const;
    /// 0x00RRGGBB of a true colour, or of the palette colour.
    Zdesk::UInt32 rgb() const;

    bool operator==(const ZcCmColor& o) const { return method_ == o.method_ && value_ == o.value_; }
    bool operator!=(const ZcCmColor& o) const { return !(*this == o); }

    /// The RGB value of a palette index (the standard 256-colour table).
    static Zdesk::UInt32 paletteRgb(Zdesk::UInt16 index);

private:
    ZcCm::ColorMethod method_ = ZcCm::kByLayer;
    Zdesk::UInt32 value_ = 256;  // the index, or 0x00RRGGBB for kByColor
};
