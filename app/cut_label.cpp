#include "app/cut_label.h"

#include <algorithm>

namespace quillomat {

CutLabel::CutLabel()
{
    set_ellipsize(Pango::ELLIPSIZE_END);
    set_xalign(0);
    set_has_tooltip(true);
    signal_query_tooltip().connect(sigc::mem_fun(*this, &CutLabel::OnQueryTooltip));
}

void CutLabel::SetMaxWidth(int width)
{
    maxWidth_ = width;
    queue_resize();
}

void CutLabel::get_preferred_width_vfunc(int& minimum, int& natural) const
{
    Gtk::Label::get_preferred_width_vfunc(minimum, natural);
    // As wide as the whole text where it fits: an ellipsizing label would otherwise ask for
    // room for the ellipsis alone.
    natural = std::min(natural, maxWidth_);
    minimum = natural;
}

bool CutLabel::OnQueryTooltip(int, int, bool, const Glib::RefPtr<Gtk::Tooltip>& tooltip)
{
    if (!get_layout()->is_ellipsized())
        return false;
    tooltip->set_text(get_text());
    return true;
}

}  // namespace quillomat
