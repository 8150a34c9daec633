#include "app/program/program_run.h"

#include <gdk/gdkx.h>
#include <glib-unix.h>
#include <gtkmm/window.h>

#include <csignal>
#include <cstdlib>

#include "app/look/c_callback.h"
#include "main_use/program_end.h"

namespace quillomat {

namespace {

// Runs from the main loop, at whatever depth a box has taken it.
gboolean OnTerminateRequest(gpointer run)
{
    static_cast<ProgramRun*>(run)->End();
    return G_SOURCE_CONTINUE;
}

// The X server went away, with the desktop session most often: nothing can be drawn or asked any
// more, and Xlib would end the process once this returns.
int OnDisplayLost(Display*)
{
    EndAbruptly(EXIT_FAILURE);
}

}  // namespace

ProgramRun::ProgramRun(const Glib::RefPtr<Gtk::Application>& application)
    : application_(application)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        signalSources_.push_back(
            g_unix_signal_add(signal, &CCallback<&OnTerminateRequest>::Call, this));
}

ProgramRun::~ProgramRun()
{
    if (toolkitDisplayLost_)
        XSetIOErrorHandler(toolkitDisplayLost_);
    for (unsigned source : signalSources_)
        g_source_remove(source);
}

void ProgramRun::WatchDisplay()
{
    GdkDisplay* display = gdk_display_get_default();
    if (display && GDK_IS_X11_DISPLAY(display))
        toolkitDisplayLost_ = XSetIOErrorHandler(&OnDisplayLost);
}

void ProgramRun::End()
{
    if (!BeginProgramEnd())
        return;
    // A box's own loop ends as soon as its window is hidden; the handler that opened it then
    // returns, opening no other.
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        window->hide();
    application_->quit();
}

}  // namespace quillomat
