#include "app/look/bundled_fonts.h"

#include <fontconfig/fontconfig.h>

#include <string>

namespace quillomat {

void RegisterBundledFonts()
{
    // Missing folder: fontconfig falls back to a close sans-serif.
    FcConfigAppFontAddDir(nullptr,
                          reinterpret_cast<const FcChar8*>(std::string(WineFontFolder).c_str()));
}

}  // namespace quillomat
