#pragma once

#include <string>

#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>

#include "app/widgets/long_paragraph_fold.h"

namespace quillomat {

// A text view that draws nothing after the last character of a line it wrapped: Pango ends a line
// broken inside a word with a hyphen that the text does not hold, and GTK 3 has no switch for it
// (ClipboardTest.TheBoxShowsTheExactCodeAndAnotherProgramReadsIt).
class PlainTextView : public Gtk::TextView {
protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
};

// A multi-line text box with a vertical scroll bar, wrapping its lines anywhere.
class MultiLineTextBox : public Gtk::ScrolledWindow {
public:
    MultiLineTextBox();

    std::string Text() const;
    void SetText(const std::string& text);
    Gtk::TextView& View() { return view_; }

private:
    PlainTextView view_;
    LongParagraphFold fold_{view_};
};

}  // namespace quillomat
