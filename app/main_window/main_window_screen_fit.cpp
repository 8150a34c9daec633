// The window follows the text resolution, lowered to the highest at which it fits the screen.
#include <gdk/gdkwayland.h>
#include <gdkmm/screen.h>
#include <gdkmm/window.h>

#include "app/look/window_look.h"
#include "app/main_window/main_window.h"
#include "app/widgets/screen_fit.h"

namespace quillomat {

void MainWindow::FitScreen()
{
    const double resolution =
        ResolutionToFit(get_screen()->get_resolution(), ClientWidth, ClientHeight,
                        WorkAreaFor(*this), frameWidth_, frameHeight_);
    if (resolution == resolution_)
        return;
    const bool grows = resolution_ > 0 && resolution > resolution_;
    resolution_ = resolution;
    UseTextResolution(*this, resolution);
    for (FixedLayout* layout : std::initializer_list<FixedLayout*>{&layout_, &Frame1, &Frame2})
        layout->FollowResolution(resolution);
    set_default_size(layout_.Scaled(ClientWidth), layout_.Scaled(ClientHeight));
    // A shown window keeps its size by itself, past the screen or larger than the layout needs.
    if (get_realized())
        resize(layout_.Scaled(ClientWidth), layout_.Scaled(ClientHeight));
    // Wayland may keep a growing window's corner in place, part of it off the screen, and a
    // program cannot move its own window there: shown anew, it is placed whole.
    if (grows && get_mapped() && GDK_IS_WAYLAND_DISPLAY(get_display()->gobj())) {
        hide();
        show();
    }
}

bool MainWindow::OnMappedMeasureFrame(GdkEventAny*)
{
    // The window manager's frame (title bar, borders) is known once the window is on screen.
    Gdk::Rectangle frame;
    get_window()->get_frame_extents(frame);
    const int frameWidth = std::max(0, frame.get_width() - layout_.get_allocated_width());
    const int frameHeight = std::max(0, frame.get_height() - layout_.get_allocated_height());
    const bool firstShowing = !shownOnce_;
    shownOnce_ = true;
    if (frameWidth == frameWidth_ && frameHeight == frameHeight_ && !firstShowing)
        return false;
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    FitScreen();
    // Centred at its first showing, frame included, at the size it now takes.
    if (firstShowing)
        CentreInWorkArea(*this, layout_.Scaled(ClientWidth) + frameWidth_,
                         layout_.Scaled(ClientHeight) + frameHeight_);
    return false;
}

}  // namespace quillomat
