#include "app/look/bundled_fonts.h"

#include <fontconfig/fontconfig.h>
#include <glibmm/stringutils.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <string>

namespace quillomat {

namespace {

constexpr char WineFontFolder[] = "/usr/share/wine/fonts";

// The pixel sizes of the bold face's hand-drawn bitmaps.
constexpr double SmallestBoldBitmap = 9;
constexpr double LargestBoldBitmap = 12;

// Words of the kind the windows show, in the proportions of French text.
constexpr char SampleText[] =
    "Param\xC3\xA8tres, r\xC3\xA9glages et informations : ajouter un commentaire, lire les "
    "commentaires, couleurs du texte, s\xC3\xA9parateur, habillage du blog, adresse http://, "
    "article en cours, code g\xC3\xA9n\xC3\xA9r\xC3\xA9 automatiquement...";

// Large enough for the widths to be those of the outlines, whatever the hinting.
constexpr double SamplePixels = 100.0;

// The sample's width in Tahoma at that size, measured with Debian's fonts-wine.
constexpr double TahomaWidth = 8884.0;
constexpr double TahomaBoldWidth = 10111.0;

// Between texts the stand-in's widths vary around their mean; small sizes round each letter.
constexpr double Margin = 0.97;

std::string Embolden(bool on)
{
    return std::string("<edit name=\"embolden\" mode=\"assign\"><bool>") + (on ? "true" : "false") +
           "</bool></edit>";
}

double SampleWidth(PangoContext* context, PangoWeight weight)
{
    PangoFontDescription* description = pango_font_description_new();
    // The program's face and its stand-ins, as the style sheet names them.
    pango_font_description_set_family_static(description, "Tahoma,DejaVu Sans,sans-serif");
    pango_font_description_set_weight(description, weight);
    pango_font_description_set_absolute_size(description, SamplePixels * PANGO_SCALE);
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, SampleText, -1);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return static_cast<double>(logical.width) / PANGO_SCALE;
}

// Any Tahoma, Wine's or another, from fontconfig's list: far quicker than opening a match.
bool TahomaIsInstalled()
{
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, "Tahoma", nullptr);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    const bool installed = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return installed;
}

}  // namespace

void RegisterBundledFonts()
{
    // Missing folder: fontconfig falls back to a close sans-serif.
    FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(WineFontFolder));
}

void MakeBoldVisibleAtEveryScale(int windowScale)
{
    const std::string fileTest = "<test name=\"file\"><string>" + std::string(WineFontFolder) +
                                 "/tahomabd.ttf</string></test>";
    // Fontconfig sees the size in the window's own pixels; the screen has windowScale times as
    // many, and FreeType takes a bitmap for any size that rounds to its own.
    const std::string rules = "<fontconfig><match target=\"font\">" + fileTest + Embolden(true) +
                              "</match><match target=\"font\">" + fileTest +
                              "<test name=\"pixelsize\" compare=\"more_eq\"><double>" +
                              Glib::Ascii::dtostr((SmallestBoldBitmap - 0.5) / windowScale) +
                              "</double></test>" +
                              "<test name=\"pixelsize\" compare=\"less\"><double>" +
                              Glib::Ascii::dtostr((LargestBoldBitmap + 0.5) / windowScale) +
                              "</double></test>" + Embolden(false) + "</match></fontconfig>";
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(),
                                   reinterpret_cast<const FcChar8*>(rules.c_str()), FcFalse);
}

double StandInFontScale()
{
    if (TahomaIsInstalled())
        return 1.0;
    PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    const double regular = TahomaWidth / SampleWidth(context, PANGO_WEIGHT_NORMAL);
    const double bold = TahomaBoldWidth / SampleWidth(context, PANGO_WEIGHT_BOLD);
    g_object_unref(context);
    return std::min(1.0, std::min(regular, bold) * Margin);
}

}  // namespace quillomat
