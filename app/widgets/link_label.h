#pragma once

#include <optional>
#include <string_view>

#include <gdkmm/cursor.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/label.h>
#include <sigc++/signal.h>

namespace quillomat {

// A label sized to its caption that reacts to a click of the left button, as a link does.
class LinkLabel : public Gtk::EventBox {
public:
    explicit LinkLabel(std::string_view caption);

    Gtk::Label& Caption() { return caption_; }
    // The pointer shown over the label; the window's own pointer when never set.
    void SetPointer(Gdk::CursorType pointer);

    // A press and a release of the left button, both over the label.
    sigc::signal<void()>& signal_clicked() { return clicked_; }

private:
    void ShowPointer();
    bool OnButtonPress(GdkEventButton* event);
    bool OnButtonRelease(GdkEventButton* event);

    Gtk::Label caption_;
    std::optional<Gdk::CursorType> pointer_;
    bool pressed_ = false;
    sigc::signal<void()> clicked_;
};

}  // namespace quillomat
