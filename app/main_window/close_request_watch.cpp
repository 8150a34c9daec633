#include "app/main_window/close_request_watch.h"

#include <glibmm/exceptionhandler.h>

#include <utility>

namespace quillomat {

namespace {

// The toolkit's own event handling, which the watch stands in front of.
void HandEventToToolkit(GdkEvent* event, void*)
{
    gtk_main_do_event(event);
}

// The toolkit takes one handler: the watch made last.
const CloseRequestWatch* activeWatch = nullptr;

}  // namespace

CloseRequestWatch::CloseRequestWatch(Gtk::Window& window, std::function<void()> onCloseRequest)
    : window_(window), onCloseRequest_(std::move(onCloseRequest))
{
    gdk_event_handler_set(&CloseRequestWatch::OnEvent, this, nullptr);
    activeWatch = this;
}

CloseRequestWatch::~CloseRequestWatch()
{
    if (activeWatch != this)
        return;
    gdk_event_handler_set(&HandEventToToolkit, nullptr, nullptr);
    activeWatch = nullptr;
}

void CloseRequestWatch::OnEvent(GdkEvent* event, void* data)
{
    auto* watch = static_cast<CloseRequestWatch*>(data);
    const bool closesWindow =
        event->type == GDK_DELETE && event->any.window && watch->onCloseRequest_ &&
        event->any.window == gtk_widget_get_window(GTK_WIDGET(watch->window_.gobj()));
    if (!closesWindow) {
        gtk_main_do_event(event);
        return;
    }
    // Called from C: escaped exceptions go to the same handlers as every gtkmm signal's.
    try {
        watch->onCloseRequest_();
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
}

}  // namespace quillomat
