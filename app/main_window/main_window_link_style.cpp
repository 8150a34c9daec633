// The main window's link style controls: the colour swatches, bold and italic, and automatic
// mode. They only change what the generator reads on its next run.
#include "app/look/ustring.h"
#include "app/main_window/main_window.h"

namespace quillomat {

void MainWindow::OnSwatchClicked(ColourSwatch* swatch, ColourPicker* picker)
{
    swatch->SetColour(picker->ShowColor());
}

void MainWindow::OnBoldToggled()
{
    ApplyCaptionTags(BoldTags, Check1.get_active());
}

void MainWindow::OnItalicToggled()
{
    ApplyCaptionTags(ItalicTags, Check2.get_active());
}

void MainWindow::ApplyCaptionTags(StyleTags tags, bool ticked)
{
    for (Gtk::Entry* caption : {&Text10, &Text11, &Text12}) {
        const std::string text = caption->get_text();
        caption->set_text(ToUString(ticked ? WrapInTags(text, tags) : RemoveTags(text, tags)));
    }
}

void MainWindow::OnAutomaticModeToggled()
{
    // Automatic mode rewrites the template on each run, so the box is only for a template of
    // the user's own.
    Text7.set_sensitive(!Check3.get_active());
}

}  // namespace quillomat
