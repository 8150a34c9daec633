#include "app/look/bold_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "app/look/bundled_fonts.h"

namespace quillomat {

namespace {

// Letters whose stems show the weight.
constexpr char InkSample[] = "Hamburgefonstiv";

int PixelSize(const FT_Bitmap_Size& strike)
{
    return static_cast<int>((strike.y_ppem + 32) >> 6);
}

// The ink of the sample drawn from the face's bitmap of that size, in pixels; 0 where it has
// none.
long BitmapInk(FT_Face face, int pixelSize)
{
    for (int i = 0; face && i < face->num_fixed_sizes; ++i) {
        if (PixelSize(face->available_sizes[i]) != pixelSize || FT_Select_Size(face, i) != 0)
            continue;
        long ink = 0;
        for (const char* letter = InkSample; *letter; ++letter) {
            if (FT_Load_Char(face, static_cast<FT_ULong>(*letter), FT_LOAD_RENDER) != 0)
                continue;
            const FT_Bitmap& bitmap = face->glyph->bitmap;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                const unsigned char* line = bitmap.buffer + row * bitmap.pitch;
                for (unsigned column = 0; column < bitmap.width; ++column)
                    ink += bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                               ? (line[column / 8] >> (7 - column % 8)) & 1
                               : line[column] / 255;
            }
        }
        return ink;
    }
    return 0;
}

// The pixel sizes at which the bold face draws bitmaps of its own that are truly bold: at some
// sizes its bitmaps are the regular face's. Nothing where the bold face is missing.
std::optional<std::vector<int>> BoldBitmapSizes(const std::string& boldFile,
                                                const std::string& regularFile)
{
    std::optional<std::vector<int>> sizes;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return sizes;
    FT_Face bold = nullptr;
    FT_Face regular = nullptr;
    if (FT_New_Face(library, boldFile.c_str(), 0, &bold) == 0) {
        sizes.emplace();
        if (FT_New_Face(library, regularFile.c_str(), 0, &regular) != 0)
            regular = nullptr;
        for (int i = 0; i < bold->num_fixed_sizes; ++i) {
            const int size = PixelSize(bold->available_sizes[i]);
            if (BitmapInk(bold, size) * 10 > BitmapInk(regular, size) * 11)
                sizes->push_back(size);
        }
    } else {
        bold = nullptr;
    }
    if (regular)
        FT_Done_Face(regular);
    if (bold)
        FT_Done_Face(bold);
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
    const std::optional<std::vector<int>> bitmapSizes =
        BoldBitmapSizes(file, std::string(WineFontFolder) + "/tahoma.ttf");
    if (!bitmapSizes)
        return;
    // Fontconfig sees the size in the window's own pixels; the screen has windowScale times as
    // many, and FreeType takes a bitmap for any size that rounds to its own.
    std::string rules =
        "<fontconfig><match target=\"font\">" + FileTest(file) + Embolden(true) + "</match>";
    for (int size : *bitmapSizes)
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
