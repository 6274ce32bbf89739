// Entity colours.
#include "host/render/Scene.h"
#include "zccmcolor.h"

Zcad::ErrorStatus ZcCmColor::setColorMethod(ZcCm::ColorMethod method) {
    switch (method) {
    case ZcCm::kByLayer: value_ = 256; break;
    case ZcCm::kByBlock: value_ = 0; break;
    case ZcCm::kByACI: if (value_ < 1 || value_ > 255) value_ = 7; break;
    case ZcCm::kByColor: value_ = rgb(); break;
    case ZcCm::kForeground: value_ = 7; break;
    case ZcCm::kNone: value_ = 0; break;
    default: return Zcad::eInvalidInput;
    }
    method_ = method;
    return Zcad::eOk;
}

Zdesk::UInt16 ZcCmColor::colorIndex() const {
    switch (method_) {
    case ZcCm::kByLayer: return 256;
    case ZcCm::kByBlock: return 0;
    case ZcCm::kByColor: {
        host::render::Rgb c{static_cast<std::uint8_t>(value_ >> 16), static_cast<std::uint8_t>(value_ >> 8),
                            static_cast<std::uint8_t>(value_)};
        int index = host::render::nearestAci(c);
        return static_cast<Zdesk::UInt16>(index == 0 ? 7 : index);
    }
    case ZcCm::kForeground: return 7;
    default: return static_cast<Zdesk::UInt16>(value_);
    }
}

Zcad::ErrorStatus ZcCmColor::setColorIndex(Zdesk::UInt16 index) {
    if (index > 256)
        return Zcad::eInvalidInput;
    if (index == 256)
        method_ = ZcCm::kByLayer;
    else if (index == 0)
        method_ = ZcCm::kByBlock;
    else
        method_ = ZcCm::kByACI;
    value_ = index;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcCmColor::setRGB(Zdesk::UInt8 red, Zdesk::UInt8 green, Zdesk::UInt8 blue) {
    method_ = ZcCm::kByColor;
    value_ = (Zdesk::UInt32(red) << 16) | (Zdesk::UInt32(green) << 8) | blue;
    return Zcad::eOk;
}

Zdesk::UInt32 ZcCmColor::rgb() const {
    if (method_ == ZcCm::kByColor)
        return value_ & 0xFFFFFF;
    return paletteRgb(colorIndex());
}

Zdesk::UInt8 ZcCmColor::red() const { return static_cast<Zdesk::UInt8>(rgb() >> 16); }
Zdesk::UInt8 ZcCmColor::green() const { return static_cast<Zdesk::UInt8>(rgb() >> 8); }
Zdesk::UInt8 ZcCmColor::blue() const { return static_cast<Zdesk::UInt8>(rgb()); }

Zdesk::UInt32 ZcCmColor::paletteRgb(Zdesk::UInt16 index) {
    host::render::Rgb c = host::render::aciToRgb(index);
    return (Zdesk::UInt32(c.r) << 16) | (Zdesk::UInt32(c.g) << 8) | c.b;
}
