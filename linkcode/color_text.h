#pragma once

#include <cstdint>
#include <string>

namespace quillomat {

// A colour as a swatch holds it: red in the low byte, then green, then blue; the top byte unused.
using ColorValue = std::uint32_t;

// A colour's three 8-bit components, as a colour picker or a drawing call deals in them.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

ColorValue ColorFromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
Rgb RgbFromColor(ColorValue colour);

// The nearest 8-bit component to a fraction of full intensity (0 to 1, clamped), so that
// n / 255 comes back as n exactly whatever the floating-point error.
std::uint8_t ComponentFromFraction(double fraction);

// Six upper-case hexadecimal digits, red first, as the mark-up expects after a "#".
std::string ColorToHex(ColorValue colour);

}  // namespace quillomat
