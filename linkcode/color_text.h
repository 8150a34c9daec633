#pragma once

#include <cstdint>
#include <string>

namespace quillomat {

// A colour as a swatch holds it: red in the low byte, then green, then blue; the top byte is
// ignored.
using ColorValue = std::uint32_t;

// Six upper-case hexadecimal digits, red first, as the mark-up expects after a "#".
std::string ColorToHex(ColorValue colour);

}  // namespace quillomat
