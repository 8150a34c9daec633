// The link style controls, which only change what the generator reads on its next run.
#include <gdk/gdk.h>

#include "app/look/ustring.h"
#include "app/main_window/main_window.h"

namespace quillomat {

namespace {

// Alt and the key of `digit` (1 to 9). On a French keyboard the digits are the shifted level of
// the top row, so the key is also recognised by its place, as the toolkit's own shortcuts are.
bool IsAltAndDigit(const GdkEventKey& event, guint digit)
{
    if ((event.state & (GDK_MOD1_MASK | GDK_CONTROL_MASK)) != GDK_MOD1_MASK)
        return false;
    const guint keyval = GDK_KEY_0 + digit;
    if (event.keyval == keyval || event.keyval == GDK_KEY_KP_0 + digit)
        return true;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    bool samePlace = false;
    if (gdk_keymap_get_entries_for_keyval(
            gdk_keymap_get_for_display(gdk_window_get_display(event.window)), keyval, &keys,
            &count))
        for (gint i = 0; i < count && !samePlace; ++i)
            samePlace = keys[i].keycode == event.hardware_keycode && keys[i].group == event.group;
    g_free(keys);
    return samePlace;
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
