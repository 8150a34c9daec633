#pragma once

#include <functional>

#include <gtkmm/window.h>

namespace quillomat {

// Hands a window's close requests (its close box, the desktop's shortcut) to the program before
// the toolkit, which drops them while a modal dialog holds the input: the user must be able to
// close the program at any time (ProgramTest.ClosingTheMainWindowEndsTheProgram).
class CloseRequestWatch {
public:
    // Without `onCloseRequest` the toolkit handles the window's close requests as usual.
    CloseRequestWatch(Gtk::Window& window, std::function<void()> onCloseRequest);
    ~CloseRequestWatch();
    CloseRequestWatch(const CloseRequestWatch&) = delete;
    CloseRequestWatch& operator=(const CloseRequestWatch&) = delete;

private:
    static void OnEvent(GdkEvent* event, void* watch);

    Gtk::Window& window_;
    std::function<void()> onCloseRequest_;
};

}  // namespace quillomat
