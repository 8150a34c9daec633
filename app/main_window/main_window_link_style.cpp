// The link style controls, which only change what the generator reads on its next run.
#include <gdk/gdk.h>

#include "app/look/ustring.h"
#include "app/main_window/main_window.h"
#include "app/widgets/shortcut_key.h"

namespace quillomat {

namespace {

// Alt and the key of `digit` (1 to 9), wherever the keyboard puts the digit.
bool IsAltAndDigit(const GdkEventKey& event, guint digit)
{
    return (event.state & (GDK_MOD1_MASK | GDK_CONTROL_MASK)) == GDK_MOD1_MASK &&
           (event.keyval == GDK_KEY_KP_0 + digit || KeyCarries(event, {GDK_KEY_0 + digit}));
}

}  // namespace

void MainWindow::OnSwatchClicked(ColourSwatch* swatch, ColourPicker* picker)
{
    swatch->SetColour(picker->ShowColor());
}

bool MainWindow::OnColourKey(const GdkEventKey& event)
{
    const std::pair<ColourSwatch*, ColourPicker*> swatches[] = {
        {&c1, CD1.get()}, {&c2, CD2.get()}, {&c3, CD3.get()}};
    for (guint digit = 1; digit <= 3; ++digit)
        if (IsAltAndDigit(event, digit)) {
            OnSwatchClicked(swatches[digit - 1].first, swatches[digit - 1].second);
            return true;
        }
    return false;
}

void MainWindow::OnStyleToggled(Gtk::CheckButton* check, StyleTags tags)
{
    for (Gtk::Entry* caption : {&Text10, &Text11, &Text12}) {
        const std::string text = caption->get_text();
        caption->set_text(
            ToUString(check->get_active() ? WrapInTags(text, tags) : RemoveTags(text, tags)));
    }
}

void MainWindow::OnAutomaticModeToggled()
{
    // Automatic mode rewrites the template on each run: the box is for a template of one's own.
    Text7.set_sensitive(!Check3.get_active());
}

}  // namespace quillomat
