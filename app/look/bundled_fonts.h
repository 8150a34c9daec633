#pragma once

#include <string_view>

namespace quillomat {

// Where Debian's fonts-wine keeps its Tahoma-metric fonts.
inline constexpr std::string_view WineFontFolder = "/usr/share/wine/fonts";

// The program's face, Tahoma, and its stand-ins where it is missing, as Pango takes them.
inline constexpr char ProgramFontFamilies[] = "Tahoma,DejaVu Sans,sans-serif";

// Makes the Tahoma-metric fonts that Debian's fonts-wine keeps in its own folder available.
void RegisterBundledFonts();

}  // namespace quillomat
