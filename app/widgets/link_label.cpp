#include "app/widgets/link_label.h"

#include <gdkmm/window.h>

#include "app/look/ustring.h"

namespace quillomat {

LinkLabel::LinkLabel(std::string_view caption) : caption_(ToUString(caption))
{
    // Its own input window carries the pointer shape; nothing is painted behind the caption.
    set_visible_window(true);
    caption_.set_xalign(0);
    add(caption_);
    caption_.show();
    signal_realize().connect(sigc::mem_fun(*this, &LinkLabel::ShowPointer));
    signal_button_press_event().connect(sigc::mem_fun(*this, &LinkLabel::OnButtonPress));
    signal_button_release_event().connect(sigc::mem_fun(*this, &LinkLabel::OnButtonRelease));
}

void LinkLabel::SetPointer(Gdk::CursorType pointer)
{
    pointer_ = pointer;
    ShowPointer();
}

void LinkLabel::ShowPointer()
{
    if (pointer_ && get_realized())
        get_window()->set_cursor(Gdk::Cursor::create(get_display(), *pointer_));
}

bool LinkLabel::OnButtonPress(GdkEventButton* event)
{
    if (event->button != 1)
        return false;
    // The second press of a double-click comes as a press and then a double press: that
    // click is a double-click, and it opens no second page.
    pressed_ = event->type == GDK_BUTTON_PRESS;
    return true;
}

bool LinkLabel::OnButtonRelease(GdkEventButton* event)
{
    if (event->button != 1 || !pressed_)
        return false;
    pressed_ = false;
    const bool inside = event->x >= 0 && event->y >= 0 && event->x < get_allocated_width() &&
                        event->y < get_allocated_height();
    if (inside)
        clicked_.emit();
    return true;
}

}  // namespace quillomat
