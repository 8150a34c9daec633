#include "app/desktop/program_run.h"

#include <gdk/gdkx.h>
#include <glib-unix.h>
#include <gtkmm/window.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>

#include "app/desktop/session_end_watch.h"

namespace quillomat {

namespace {

bool ending = false;

std::set<std::string>& RunFiles()
{
    static std::set<std::string> files;
    return files;
}

std::function<void()>& TidyAtAbruptEnd()
{
    static std::function<void()> tidy;
    return tidy;
}

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

bool ProgramEnding()
{
    return ending;
}

ProgramRun::ProgramRun(const Glib::RefPtr<Gtk::Application>& application,
                       std::function<void()> tidyAtAbruptEnd)
    : application_(application), loop_(Glib::MainLoop::create())
{
    ending = false;
    TidyAtAbruptEnd() = std::move(tidyAtAbruptEnd);
    if (const char* startupId = g_getenv("DESKTOP_AUTOSTART_ID"))
        startupId_ = startupId;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        signalSources_.push_back(g_unix_signal_add(signal, &OnTerminateRequest, this));
}

ProgramRun::~ProgramRun()
{
    sessionEnd_.reset();
    if (toolkitDisplayLost_)
        XSetIOErrorHandler(toolkitDisplayLost_);
    for (unsigned source : signalSources_)
        g_source_remove(source);
    TidyAtAbruptEnd() = nullptr;
}

void ProgramRun::Run(const std::function<void()>& start)
{
    // Starts the toolkit, which opens the display.
    application_->register_application();
    GdkDisplay* display = gdk_display_get_default();
    if (display && GDK_IS_X11_DISPLAY(display))
        toolkitDisplayLost_ = XSetIOErrorHandler(&OnDisplayLost);
    if (GDBusConnection* bus =
            g_application_get_dbus_connection(G_APPLICATION(application_->gobj())))
        sessionEnd_ = std::make_unique<SessionEndWatch>(bus, application_->get_id(), startupId_,
                                                        [this] { End(); });
    start();
    if (!ending)
        loop_->run();
}

void ProgramRun::End()
{
    if (std::exchange(ending, true))
        return;
    // A box's own loop ends as soon as its window is hidden; the handler that opened it then
    // returns, opening no other.
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        window->hide();
    loop_->quit();
}

void ListRunFile(const std::string& path)
{
    RunFiles().insert(path);
}

void UnlistRunFile(const std::string& path)
{
    RunFiles().erase(path);
}

void EndAbruptly(int status)
{
    for (const std::string& file : RunFiles())
        std::remove(file.c_str());
    if (TidyAtAbruptEnd())
        TidyAtAbruptEnd()();
    std::_Exit(status);
}

}  // namespace quillomat
