// The main window's size on the screen: it follows the text resolution, and where the screen is
// too small for it at that resolution, it takes the highest one at which it fits, text included.
#include <gdk/gdkwayland.h>
#include <gdkmm/screen.h>
#include <gdkmm/window.h>

#include "app/look/window_look.h"
#include "app/main_window/main_window.h"
#include "app/widgets/screen_fit.h"

namespace quillomat {

void MainWindow::WatchScreen()
{
    Glib::RefPtr<Gdk::Screen> screen = get_screen();
    screen->property_resolution().signal_changed().connect(
        sigc::mem_fun(*this, &MainWindow::FitScreen));
    screen->signal_monitors_changed().connect(sigc::mem_fun(*this, &MainWindow::FitScreen));
    signal_map_event().connect(sigc::mem_fun(*this, &MainWindow::OnMappedMeasureFrame));
}

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
    for (FixedLayout* layout :
         {&layout_, static_cast<FixedLayout*>(&Frame1), static_cast<FixedLayout*>(&Frame2)})
        layout->FollowResolution(resolution);
    set_default_size(layout_.Scaled(ClientWidth), layout_.Scaled(ClientHeight));
    // A shown window keeps its size by itself; it never grows past the screen, nor stays larger
    // than the layout needs.
    if (get_realized())
        resize(layout_.Scaled(ClientWidth), layout_.Scaled(ClientHeight));
    // A Wayland compositor may keep a growing window's corner where it was, part of the window
    // off the screen, and a program cannot move its own window there: shown anew, it is placed
    // whole.
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
