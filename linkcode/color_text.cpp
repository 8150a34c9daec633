#include "linkcode/color_text.h"

namespace quillomat {

std::string ColorToHex(ColorValue colour)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(6);
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned component = (colour >> shift) & 0xFFu;
        text += digits[component >> 4];
        text += digits[component & 0xFu];
    }
    return text;
}

}  // namespace quillomat
