#pragma once

#include <vector>

#include <gtkmm/fixed.h>
#include <gtkmm/label.h>
#include <sigc++/signal.h>

namespace quillomat {

// The resolution of the design's pixels.
inline constexpr double DesignResolution = 96.0;

// A container whose controls stand at their design positions and sizes, in pixels at 96 dpi,
// grown like the text with the screen's text resolution, as the desktop changes it. It keeps its
// own design size whatever its content: a caption that runs past its edge is cut there.
class FixedLayout : public Gtk::Fixed {
public:
    // The container's own design size.
    FixedLayout(int width, int height);

    // A control of fixed size.
    void Place(Gtk::Widget& control, int x, int y, int width, int height);
    // A control sized to its content.
    void Put(Gtk::Widget& control, int x, int y);
    // A label: as wide as its caption, and as high as a label of the design's font.
    void PutLabel(Gtk::Widget& label, int x, int y);
    // The same, its caption drawn smaller where the text resolution hints it wider than 96 dpi
    // does, so as to keep within `width`
    // (LayoutAtResolution.EveryLayoutScalesWithTheTextAndNoCaptionRunsIntoItsNeighbour).
    void PutLabelWithin(Gtk::Widget& label, Gtk::Label& caption, int x, int y, int width);

    // From now on follows this text resolution, not the screen's: one at which the window fits.
    void FollowResolution(double dotsPerInch);

    // A length in design pixels, in pixels at the text resolution in force.
    int Scaled(int designPixels) const;

    // After every control has moved to a new text resolution.
    sigc::signal<void()>& signal_rescaled() { return rescaled_; }

protected:
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_vfunc(int& minimum, int& natural) const override;

private:
    struct Placement {
        Gtk::Widget* control;
        int x, y, width, height;  // width -1: sized to its content, height -1 too
    };

    struct Fit {
        Gtk::Label* caption;
        int width;
    };

    void Apply(const Placement& placement);
    void FitCaption(const Fit& fit);
    void OnResolutionChanged();
    void Rescale(double scale);

    int width_;
    int height_;
    double scale_;
    bool ownResolution_ = false;
    std::vector<Placement> placements_;
    std::vector<Fit> fits_;
    sigc::signal<void()> rescaled_;
};

}  // namespace quillomat
