#include "app/pane/signal_link.h"

namespace quillomat {

namespace {

// Lives as long as the handler: GLib invalidates its closure once it is disconnected, by the
// receiver's end or by the instance's.
struct Link {
    gpointer instance;
    gulong handler;
    sigc::trackable* receiver;
};

void OnHandlerGone(gpointer data, GClosure*)
{
    auto* link = static_cast<Link*>(data);
    if (link->receiver)
        link->receiver->remove_destroy_notify_callback(link);
    delete link;
}

void* OnReceiverGone(void* data)
{
    auto* link = static_cast<Link*>(data);
    link->receiver = nullptr;
    g_signal_handler_disconnect(link->instance, link->handler);
    return nullptr;
}

}  // namespace

void signal_link_detail::Connect(gpointer instance, const char* signal, GCallback callback,
                                 gpointer data, sigc::trackable& receiver)
{
    auto* link = new Link{instance, 0, &receiver};
    GClosure* closure = g_cclosure_new(callback, data, nullptr);
    g_closure_add_invalidate_notifier(closure, link, &OnHandlerGone);
    link->handler = g_signal_connect_closure(instance, signal, closure, FALSE);
    receiver.add_destroy_notify_callback(link, &OnReceiverGone);
}

}  // namespace quillomat
