#pragma once

#include <string>

#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>

#include "app/widgets/long_paragraph_fold.h"

namespace quillomat {

// A text view that shows only the characters of its text. Where a line breaks inside a word,
// Pango ends it with a hyphen that the text does not hold, and GTK 3's text view offers no switch
// for it (GTK 4's tags have "insert-hyphens"): nothing is drawn after the last character of a
// line that the view wrapped (ClipboardTest.TheBoxShowsTheExactCodeAndAnotherProgramReadsIt).
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
