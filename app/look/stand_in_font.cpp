#include "app/look/stand_in_font.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <algorithm>

#include "app/look/bundled_fonts.h"

namespace quillomat {

namespace {

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

PangoFontDescription* SampleFont(PangoWeight weight)
{
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family_static(description, ProgramFontFamilies);
    pango_font_description_set_weight(description, weight);
    pango_font_description_set_absolute_size(description, SamplePixels * PANGO_SCALE);
    return description;
}

double SampleWidth(PangoContext* context, PangoWeight weight)
{
    PangoLayout* layout = pango_layout_new(context);
    PangoFontDescription* description = SampleFont(weight);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, SampleText, -1);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return static_cast<double>(logical.width) / PANGO_SCALE;
}

// Whether fontconfig knows a Tahoma, Wine's or another: a look at its list of fonts, far
// quicker than matching and opening a font.
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
