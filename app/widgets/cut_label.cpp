#include "app/widgets/cut_label.h"

#include <algorithm>

namespace quillomat {

namespace {

// The tool tip wraps anywhere at about this many characters, up to a height that fits a small
// screen, where a longer text ends with an ellipsis.
constexpr int TipWidthChars = 64;
constexpr int TipLines = 24;
// More than the tool tip can show: laying out the rest of a huge text would only cost time.
constexpr Glib::ustring::size_type TipChars = 2 * TipWidthChars * TipLines;

}  // namespace

CutLabel::CutLabel()
{
    set_ellipsize(Pango::ELLIPSIZE_END);
    set_xalign(0);
    set_has_tooltip(true);
    signal_query_tooltip().connect(sigc::mem_fun(*this, &CutLabel::OnQueryTooltip));

    tip_.set_line_wrap(true);
    tip_.set_line_wrap_mode(Pango::WRAP_WORD_CHAR);
    tip_.set_max_width_chars(TipWidthChars);
    tip_.set_lines(TipLines);
    tip_.set_ellipsize(Pango::ELLIPSIZE_END);
    tip_.set_xalign(0);
    tip_.show();
}

void CutLabel::SetMaxWidth(int width)
{
    maxWidth_ = width;
    queue_resize();
}

void CutLabel::get_preferred_width_vfunc(int& minimum, int& natural) const
{
    Gtk::Label::get_preferred_width_vfunc(minimum, natural);
    // An ellipsizing label would ask for room for the ellipsis alone.
    natural = std::min(natural, maxWidth_);
    minimum = natural;
}

bool CutLabel::OnQueryTooltip(int, int, bool, const Glib::RefPtr<Gtk::Tooltip>& tooltip)
{
    if (!get_layout()->is_ellipsized())
        return false;
    tip_.set_text(get_text().substr(0, TipChars));
    tooltip->set_custom(tip_);
    return true;
}

}  // namespace quillomat
