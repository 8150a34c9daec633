#include "app/widgets/multi_line_text_box.h"

#include <algorithm>

namespace quillomat {

bool PlainTextView::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    // Clips away what follows the last character of each wrapped line shown: Pango draws its
    // hyphen as a part of that character, after the character's own width.
    cr->save();
    cr->set_fill_rule(Cairo::FILL_RULE_EVEN_ODD);
    cr->rectangle(0, 0, get_allocated_width(), get_allocated_height());
    Gdk::Rectangle shown;
    get_visible_rect(shown);
    Gtk::TextIter line;
    get_iter_at_location(line, shown.get_x(), shown.get_y());
    backward_display_line_start(line);
    for (Gtk::TextIter next = line; forward_display_line(next); line = next) {
        Gtk::TextIter last = next;
        if (next.get_line() != line.get_line() || !last.backward_char())
            continue;
        Gdk::Rectangle place;
        get_iter_location(last, place);
        if (place.get_y() >= shown.get_y() + shown.get_height())
            break;
        int width = 0, height = 0;
        create_pango_layout(Glib::ustring(1, last.get_char()))->get_pixel_size(width, height);
        int x = 0, y = 0;
        buffer_to_window_coords(Gtk::TEXT_WINDOW_WIDGET,
                                place.get_x() + std::min(width, place.get_width()), place.get_y(),
                                x, y);
        cr->rectangle(x, y, get_allocated_width() - x, place.get_height());
    }
    cr->clip();
    const bool drawn = Gtk::TextView::on_draw(cr);
    cr->restore();
    return drawn;
}

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
