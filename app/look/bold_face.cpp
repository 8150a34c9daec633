#include "app/look/bold_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <charconv>
#include <string>
#include <vector>

#include "app/look/bundled_fonts.h"

namespace quillomat {

namespace {

// The pixel sizes that the face draws from bitmaps of its own.
std::vector<int> BitmapSizes(const std::string& file)
{
    std::vector<int> sizes;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return sizes;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), 0, &face) == 0) {
        for (int i = 0; i < face->num_fixed_sizes; ++i)
            sizes.push_back(static_cast<int>((face->available_sizes[i].y_ppem + 32) >> 6));
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return sizes;
}

// Whatever the locale's decimal separator.
std::string Decimal(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string FileTest(const std::string& file)
{
    return "<test name=\"file\"><string>" + file + "</string></test>";
}

std::string Embolden(bool on)
{
    return std::string("<edit name=\"embolden\" mode=\"assign\"><bool>") + (on ? "true" : "false") +
           "</bool></edit>";
}

}  // namespace

void MakeBoldVisibleAtEveryScale(int windowScale)
{
    const std::string file = std::string(WineFontFolder) + "/tahomabd.ttf";
    const std::vector<int> bitmapSizes = BitmapSizes(file);
    if (bitmapSizes.empty())
        return;
    // Fontconfig sees the size in the window's own pixels; the screen has windowScale times as
    // many, and FreeType takes a bitmap for any size that rounds to its own.
    std::string rules =
        "<fontconfig><match target=\"font\">" + FileTest(file) + Embolden(true) + "</match>";
    for (int size : bitmapSizes)
        rules += "<match target=\"font\">" + FileTest(file) +
                 "<test name=\"pixelsize\" compare=\"more_eq\"><double>" +
                 Decimal((size - 0.5) / windowScale) + "</double></test>" +
                 "<test name=\"pixelsize\" compare=\"less\"><double>" +
                 Decimal((size + 0.5) / windowScale) + "</double></test>" + Embolden(false) +
                 "</match>";
    rules += "</fontconfig>";
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(),
                                   reinterpret_cast<const FcChar8*>(rules.c_str()), FcFalse);
}

}  // namespace quillomat
