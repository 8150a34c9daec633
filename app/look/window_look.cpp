#include "app/look/window_look.h"

#include <gdkmm/screen.h>
#include <glibmm/stringutils.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/entry.h>
#include <gtkmm/stylecontext.h>

#include <vector>

#include "app/look/bundled_fonts.h"
#include "resources/quillomat_resources.h"

namespace quillomat {

namespace {

// The style sheet's font size.
constexpr double FontPoints = 8.25;

void AddClass(Gtk::Widget& widget, const char* styleClass)
{
    widget.get_style_context()->add_class(styleClass);
}

}  // namespace

void LoadProgramStyle()
{
    // Before the first window lays out a bold caption.
    MakeBoldVisibleAtEveryScale(Gdk::Screen::get_default()->get_monitor_scale_factor(0));
    auto provider = Gtk::CssProvider::create();
    provider->load_from_resource(std::string(QUILLOMAT_RESOURCE_PREFIX) + "style.css");
    Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), provider,
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    // A stand-in for Tahoma, smaller, takes no more room than Tahoma would.
    const double standInScale = StandInFontScale();
    if (standInScale < 1.0) {
        auto standIn = Gtk::CssProvider::create();
        standIn->load_from_data(".quillomat, .quillomat * { font-size: " +
                                Glib::Ascii::dtostr(FontPoints * standInScale) + "pt; }");
        Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), standIn,
                                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
    }
}

void MarkAsProgramWindow(Gtk::Window& window)
{
    AddClass(window, "quillomat");
}

void UseTextResolution(Gtk::Window& window, double dotsPerInch)
{
    // The toolkit turns points into pixels, font sizes included, at the resolution that a
    // widget's style gives, and every widget inherits its window's.
    constexpr char Key[] = "quillomat-text-resolution";
    auto* provider = static_cast<GtkCssProvider*>(g_object_get_data(G_OBJECT(window.gobj()), Key));
    if (!provider) {
        provider = gtk_css_provider_new();
        g_object_set_data_full(G_OBJECT(window.gobj()), Key, provider, g_object_unref);
        gtk_style_context_add_provider(gtk_widget_get_style_context(GTK_WIDGET(window.gobj())),
                                       GTK_STYLE_PROVIDER(provider),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    const std::string rule = "* { -gtk-dpi: " + Glib::Ascii::dtostr(dotsPerInch) + "; }";
    gtk_css_provider_load_from_data(provider, rule.c_str(), -1, nullptr);
}

void MarkAsWhiteButton(Gtk::Widget& button)
{
    AddClass(button, "white-button");
}
void MarkAsBold(Gtk::Widget& control)
{
    AddClass(control, "bold");
}
void MarkAsItalic(Gtk::Widget& control)
{
    AddClass(control, "italic");
}

void MarkAsBlackText(Gtk::Widget& control)
{
    AddClass(control, "black-text");
}
void MarkAsWarningText(Gtk::Widget& control)
{
    AddClass(control, "warning-text");
}
void MarkAsLink(Gtk::Widget& control)
{
    AddClass(control, "link");
}

void MarkAsTextBox(Gtk::Widget& entry)
{
    AddClass(entry, "text-box");
    if (auto* textEntry = dynamic_cast<Gtk::Entry*>(&entry))
        textEntry->set_width_chars(1);
}

void GiveFixedBorder(Gtk::Window& window)
{
    window.signal_realize().connect([&window] {
        window.get_window()->set_functions(Gdk::FUNC_MOVE | Gdk::FUNC_CLOSE);
        window.get_window()->set_decorations(Gdk::DECOR_BORDER | Gdk::DECOR_TITLE |
                                             Gdk::DECOR_MENU);
    });
}

void SetProgramIcon(Gtk::Window& window)
{
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> icons;
    for (const char* size : {"16", "32", "48"})
        icons.push_back(Gdk::Pixbuf::create_from_resource(std::string(QUILLOMAT_RESOURCE_PREFIX) +
                                                          "icons/quillomat-" + size + ".png"));
    window.set_icon_list(icons);
}

Glib::RefPtr<Gdk::Pixbuf> LoadBundledPicture(const std::string& name, int width, int height)
{
    return Gdk::Pixbuf::create_from_resource(QUILLOMAT_RESOURCE_PREFIX + name, width, height,
                                             false);
}

}  // namespace quillomat
