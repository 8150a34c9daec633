#include "app/widgets/multi_line_text_box.h"

namespace quillomat {

MultiLineTextBox::MultiLineTextBox()
{
    set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_ALWAYS);
    set_overlay_scrolling(false);
    set_shadow_type(Gtk::SHADOW_NONE);
    get_style_context()->add_class("text-box");
    view_.set_wrap_mode(Gtk::WRAP_WORD_CHAR);
    // Tab moves on to the next control, as in the other text boxes.
    view_.set_accepts_tab(false);
    add(view_);
}

std::string MultiLineTextBox::Text() const
{
    return view_.get_buffer()->get_text(true);
}

void MultiLineTextBox::SetText(const std::string& text)
{
    view_.get_buffer()->set_text(text);
}

}  // namespace quillomat
