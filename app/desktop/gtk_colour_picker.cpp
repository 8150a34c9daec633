#include <gdkmm/rgba.h>
#include <gtkmm/colorchooserdialog.h>

#include <optional>

#include "app/desktop/gtk_desktop_services.h"
#include "linkcode/color_text.h"
#include "main_use/program_end.h"

namespace quillomat {

namespace {

Gdk::RGBA RgbaFromColor(ColorValue colour)
{
    const Rgb rgb = RgbFromColor(colour);
    Gdk::RGBA rgba;
    rgba.set_rgba(rgb.red / 255.0, rgb.green / 255.0, rgb.blue / 255.0);
    return rgba;
}

ColorValue ColorFromRgba(const Gdk::RGBA& rgba)
{
    return ColorFromRgb(ComponentFromFraction(rgba.get_red()),
                        ComponentFromFraction(rgba.get_green()),
                        ComponentFromFraction(rgba.get_blue()));
}

// A GTK colour chooser dialog of its own, kept hidden between openings. The dialog is made at
// the first opening: three of them made with the main window would hold back its first showing.
class GtkColourPicker : public ColourPicker {
public:
    GtkColourPicker(MainUseDesktop& desktop, Gtk::Window& parent, ColorValue initialColour)
        : desktop_(desktop), parent_(parent), confirmed_(initialColour)
    {
    }

    ColorValue ShowColor() override
    {
        if (ProgramEnding())
            return confirmed_;
        if (!dialog_) {
            dialog_.emplace();
            dialog_->set_use_alpha(false);
            dialog_->set_modal(true);
            dialog_->set_transient_for(parent_);
        }
        // A change made in the dialog and then cancelled must not show at the next opening.
        dialog_->set_rgba(RgbaFromColor(confirmed_));
        // A box of the program like the message boxes: nothing opens over it.
        MainUseDesktop::OpenBox open(desktop_);
        const int response = dialog_->run();
        dialog_->hide();
        if (response == Gtk::RESPONSE_OK)
            confirmed_ = ColorFromRgba(dialog_->get_rgba());
        return confirmed_;
    }

private:
    MainUseDesktop& desktop_;
    Gtk::Window& parent_;
    ColorValue confirmed_;
    std::optional<Gtk::ColorChooserDialog> dialog_;
};

}  // namespace

std::unique_ptr<ColourPicker> GtkDesktopServices::CreateColourPicker(Gtk::Window& parent,
                                                                     ColorValue initialColour)
{
    return std::make_unique<GtkColourPicker>(*this, parent, initialColour);
}

}  // namespace quillomat
