#include "linkcode/color_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quillomat {

ColorValue ColorFromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return ColorValue{red} | ColorValue{green} << 8 | ColorValue{blue} << 16;
}

Rgb RgbFromColor(ColorValue colour)
{
    return {static_cast<std::uint8_t>(colour & 0xFFu),
            static_cast<std::uint8_t>((colour >> 8) & 0xFFu),
            static_cast<std::uint8_t>((colour >> 16) & 0xFFu)};
}

std::uint8_t ComponentFromFraction(double fraction)
{
    // NaN compares false both ways and would slip through std::clamp.
    if (!(fraction > 0.0))
        return 0;
    return static_cast<std::uint8_t>(std::min(std::lround(fraction * 255.0), 255L));
}

std::string ColorToHex(ColorValue colour)
{
    const Rgb rgb = RgbFromColor(colour);
    char text[7];
    std::snprintf(text, sizeof text, "%02X%02X%02X", rgb.red, rgb.green, rgb.blue);
    return text;
}

}  // namespace quillomat
