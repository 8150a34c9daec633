#pragma once

#include <string>

#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>

#include "app/widgets/long_paragraph_fold.h"

namespace quillomat {

// A multi-line text box with a vertical scroll bar, wrapping its lines.
class MultiLineTextBox : public Gtk::ScrolledWindow {
public:
    MultiLineTextBox();

    std::string Text() const;
    void SetText(const std::string& text);
    Gtk::TextView& View() { return view_; }

private:
    Gtk::TextView view_;
    LongParagraphFold fold_{view_};
};

}  // namespace quillomat
