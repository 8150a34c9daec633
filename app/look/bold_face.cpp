#include "app/look/bold_face.h"

#include <fontconfig/fontconfig.h>

#include <charconv>
#include <string>

#include "app/look/bundled_fonts.h"

namespace quillomat {

namespace {

// The pixel sizes of the face's hand-drawn bold bitmaps.
constexpr double SmallestBoldBitmap = 9;
constexpr double LargestBoldBitmap = 12;

// Whatever the locale's decimal separator.
std::string Decimal(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string Embolden(bool on)
{
    return std::string("<edit name=\"embolden\" mode=\"assign\"><bool>") + (on ? "true" : "false") +
           "</bool></edit>";
}

}  // namespace

void MakeBoldVisibleAtEveryScale(int windowScale)
{
    const std::string fileTest = "<test name=\"file\"><string>" + std::string(WineFontFolder) +
                                 "/tahomabd.ttf</string></test>";
    // Fontconfig sees the size in the window's own pixels; the screen has windowScale times as
    // many, and FreeType takes a bitmap for any size that rounds to its own.
    const std::string rules = "<fontconfig><match target=\"font\">" + fileTest + Embolden(true) +
                              "</match><match target=\"font\">" + fileTest +
                              "<test name=\"pixelsize\" compare=\"more_eq\"><double>" +
                              Decimal((SmallestBoldBitmap - 0.5) / windowScale) +
                              "</double></test>" +
                              "<test name=\"pixelsize\" compare=\"less\"><double>" +
                              Decimal((LargestBoldBitmap + 0.5) / windowScale) +
                              "</double></test>" + Embolden(false) + "</match></fontconfig>";
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(),
                                   reinterpret_cast<const FcChar8*>(rules.c_str()), FcFalse);
}

}  // namespace quillomat
