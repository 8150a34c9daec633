#include "app/look/font_warm_up.h"

#include <glib.h>
#include <pango/pangocairo.h>

#include "app/look/bundled_fonts.h"

namespace quillomat {

namespace {

// The style sheet's size: 8.25 pt.
constexpr double SizeInPoints = 8.25;

// The letters of French captions, digits and the marks of addresses and mark-up.
constexpr char SampleText[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 "
    "\xC3\xA0\xC3\xA2\xC3\xA7\xC3\xA9\xC3\xA8\xC3\xAA\xC3\xAB\xC3\xAE\xC3\xAF\xC3\xB4\xC3\xB9"
    "\xC3\xBB\xC3\x80\xC3\x89 .,;:!?'\"()[]{}<>/\\|-_=+*&%#@~\xC2\xAB\xC2\xBB\xE2\x80\xA6";

// As the toolkit computes it where no desktop setting gives one: 96 dpi times GDK_DPI_SCALE.
double ResolutionFromEnvironment()
{
    const char* dpiScale = g_getenv("GDK_DPI_SCALE");
    const double value = dpiScale ? g_ascii_strtod(dpiScale, nullptr) : 0.0;
    return 96.0 * (value > 0.0 ? value : 1.0);
}

// The toolkit's rendering options where no desktop setting says otherwise.
cairo_font_options_t* ToolkitFontOptions()
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_MEDIUM);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    return options;
}

}  // namespace

FontWarmUp::FontWarmUp() : expectedResolution_(ResolutionFromEnvironment()) {}

FontWarmUp::~FontWarmUp()
{
    if (fontMap_)
        g_object_unref(fontMap_);
}

void FontWarmUp::Run()
{
    RegisterBundledFonts();

    PangoFontMap* fontMap = pango_cairo_font_map_new();
    PangoContext* context = pango_font_map_create_context(fontMap);
    cairo_font_options_t* options = ToolkitFontOptions();
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(context, expectedResolution_);
    PangoLayout* layout = pango_layout_new(context);
    for (const PangoStyle style : {PANGO_STYLE_NORMAL, PANGO_STYLE_ITALIC}) {
        // As the toolkit describes a style sheet's font: the families, an absolute size.
        PangoFontDescription* description = pango_font_description_new();
        pango_font_description_set_family_static(description, ProgramFontFamilies);
        pango_font_description_set_style(description, style);
        pango_font_description_set_absolute_size(
            description, SizeInPoints * expectedResolution_ / 72.0 * PANGO_SCALE);
        pango_context_set_font_description(context, description);
        pango_layout_context_changed(layout);
        pango_font_metrics_unref(pango_context_get_metrics(context, description, nullptr));
        pango_layout_set_text(layout, SampleText, -1);
        pango_layout_get_unknown_glyphs_count(layout);
        pango_font_description_free(description);
    }
    g_object_unref(layout);
    g_object_unref(context);
    fontMap_ = fontMap;
}

void FontWarmUp::HandOver()
{
    if (fontMap_)
        pango_cairo_font_map_set_default(PANGO_CAIRO_FONT_MAP(fontMap_));
}

}  // namespace quillomat
