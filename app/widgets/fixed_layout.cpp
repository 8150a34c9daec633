#include "app/widgets/fixed_layout.h"

#include <gdkmm/screen.h>

#include <cmath>

namespace quillomat {

namespace {

// A label of Tahoma 8.25 pt, the design's font.
constexpr int LabelHeight = 13;

// Xft.dpi, the desktop's text scaling and GDK_DPI_SCALE end up here; GDK_SCALE doubles windows.
double TextScale()
{
    const double resolution = Gdk::Screen::get_default()->get_resolution();
    return resolution > 0 ? resolution / DesignResolution : 1.0;
}

}  // namespace

FixedLayout::FixedLayout(int width, int height)
    : width_(width), height_(height), scale_(TextScale())
{
    Gdk::Screen::get_default()->property_resolution().signal_changed().connect(
        sigc::mem_fun(*this, &FixedLayout::OnResolutionChanged));
}

void FixedLayout::Place(Gtk::Widget& control, int x, int y, int width, int height)
{
    placements_.push_back({&control, x, y, width, height});
    put(control, Scaled(x), Scaled(y));
    Apply(placements_.back());
}

void FixedLayout::Put(Gtk::Widget& control, int x, int y)
{
    Place(control, x, y, -1, -1);
}

void FixedLayout::PutLabel(Gtk::Widget& label, int x, int y)
{
    Place(label, x, y, -1, LabelHeight);
}

void FixedLayout::PutLabelWithin(Gtk::Widget& label, Gtk::Label& caption, int x, int y, int width)
{
    PutLabel(label, x, y);
    fits_.push_back({&caption, width});
    caption.signal_style_updated().connect(
        sigc::bind(sigc::mem_fun(*this, &FixedLayout::FitCaption), fits_.back()));
}

void FixedLayout::FollowResolution(double dotsPerInch)
{
    ownResolution_ = true;
    Rescale(dotsPerInch / DesignResolution);
}

int FixedLayout::Scaled(int designPixels) const
{
    return static_cast<int>(std::lround(designPixels * scale_));
}

void FixedLayout::get_preferred_width_vfunc(int& minimum, int& natural) const
{
    minimum = natural = Scaled(width_);
}

void FixedLayout::get_preferred_height_vfunc(int& minimum, int& natural) const
{
    minimum = natural = Scaled(height_);
}

void FixedLayout::Apply(const Placement& placement)
{
    move(*placement.control, Scaled(placement.x), Scaled(placement.y));
    if (placement.width >= 0 || placement.height >= 0)
        placement.control->set_size_request(placement.width >= 0 ? Scaled(placement.width) : -1,
                                            placement.height >= 0 ? Scaled(placement.height) : -1);
}

void FixedLayout::OnResolutionChanged()
{
    if (!ownResolution_)
        Rescale(TextScale());
}

void FixedLayout::Rescale(double scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    queue_resize();
    for (const Placement& placement : placements_)
        Apply(placement);
    for (const Fit& fit : fits_)
        FitCaption(fit);
    rescaled_.emit();
}

void FixedLayout::FitCaption(const Fit& fit)
{
    const int room = Scaled(fit.width);
    double scale = 1.0;
    Pango::AttrList attributes;
    fit.caption->set_attributes(attributes);
    // A smaller size is hinted anew: it is measured again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        int width = 0, height = 0;
        fit.caption->get_layout()->get_pixel_size(width, height);
        if (width <= room)
            return;
        scale *= static_cast<double>(room) / (width + 1);
        attributes = Pango::AttrList();
        auto smaller = Pango::Attribute::create_attr_scale(scale);
        attributes.insert(smaller);
        fit.caption->set_attributes(attributes);
    }
}

}  // namespace quillomat
