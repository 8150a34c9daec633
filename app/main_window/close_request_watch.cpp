#include "app/main_window/close_request_watch.h"

#include <utility>

#include "app/look/c_callback.h"

namespace quillomat {

namespace {

// The toolkit takes one handler: the watch made last.
const CloseRequestWatch* activeWatch = nullptr;

}  // namespace

CloseRequestWatch::CloseRequestWatch(Gtk::Window& window, std::function<void()> onCloseRequest)
    : window_(window), onCloseRequest_(std::move(onCloseRequest))
{
    gdk_event_handler_set(&CCallback<&CloseRequestWatch::OnEvent>::Call, this, nullptr);
    activeWatch = this;
}

CloseRequestWatch::~CloseRequestWatch()
{
    if (activeWatch != this)
        return;
    // Back to the toolkit's own event handling.
    gdk_event_handler_set([](GdkEvent* event, void*) { gtk_main_do_event(event); }, nullptr,
                          nullptr);
    activeWatch = nullptr;
}

void CloseRequestWatch::OnEvent(GdkEvent* event, void* data)
{
    auto* watch = static_cast<CloseRequestWatch*>(data);
    const bool closesWindow =
        event->type == GDK_DELETE && event->any.window && watch->onCloseRequest_ &&
        event->any.window == gtk_widget_get_window(GTK_WIDGET(watch->window_.gobj()));
    if (closesWindow)
        watch->onCloseRequest_();
    else
        gtk_main_do_event(event);
}

}  // namespace quillomat
