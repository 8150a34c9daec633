#include "app/desktop/session_end_watch.h"

#include <string_view>
#include <utility>

#include "app/desktop/signal_link.h"

namespace quillomat {

namespace {

constexpr char ManagerName[] = "org.gnome.SessionManager";

// Whether a call failed because the watch ended, which cancels its calls: then the call's data
// is a watch that is gone. Frees the call's error.
bool CancelledByWatchEnd(GError* error)
{
    const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    g_clear_error(&error);
    return cancelled;
}

}  // namespace

SessionEndWatch::SessionEndWatch(GDBusConnection* bus, const std::string& applicationId,
                                 const std::string& startupId, std::function<void()> onSessionEnd)
    : bus_(G_DBUS_CONNECTION(g_object_ref(bus))),
      onSessionEnd_(std::move(onSessionEnd)),
      cancellable_(g_cancellable_new())
{
    // Not started for the asking: without a session manager there is no session to follow.
    g_dbus_connection_call(
        bus_, ManagerName, "/org/gnome/SessionManager", ManagerName, "RegisterClient",
        g_variant_new("(ss)", applicationId.c_str(), startupId.c_str()), G_VARIANT_TYPE("(o)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, cancellable_, &SessionEndWatch::OnRegistered, this);
}

SessionEndWatch::~SessionEndWatch()
{
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
    if (client_)
        g_object_unref(client_);
    g_object_unref(bus_);
}

void SessionEndWatch::OnRegistered(GObject* bus, GAsyncResult* result, gpointer watch)
{
    GError* error = nullptr;
    GVariant* answer = g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, &error);
    // Not cancelled and still no answer: no session manager, and no session to follow.
    if (CancelledByWatchEnd(error) || !answer)
        return;
    auto* self = static_cast<SessionEndWatch*>(watch);
    const char* clientPath = nullptr;
    g_variant_get(answer, "(&o)", &clientPath);
    g_dbus_proxy_new(self->bus_, G_DBUS_PROXY_FLAGS_DO_NOT_LOAD_PROPERTIES, nullptr, ManagerName,
                     clientPath, "org.gnome.SessionManager.ClientPrivate", self->cancellable_,
                     &SessionEndWatch::OnClientFound, self);
    g_variant_unref(answer);
}

void SessionEndWatch::OnClientFound(GObject*, GAsyncResult* result, gpointer watch)
{
    GError* error = nullptr;
    GDBusProxy* client = g_dbus_proxy_new_finish(result, &error);
    if (CancelledByWatchEnd(error) || !client)
        return;
    auto* self = static_cast<SessionEndWatch*>(watch);
    self->client_ = client;
    ConnectWhileAlive(client, "g-signal", G_CALLBACK(&SessionEndWatch::OnClientSignal), self);
}

void SessionEndWatch::OnClientSignal(GDBusProxy*, const char*, const char* signal, GVariant*,
                                     SessionEndWatch* watch)
{
    const std::string_view name = signal;
    // The program keeps nothing that a question to the user could save.
    if (name == "QueryEndSession") {
        watch->Agree();
    } else if (name == "EndSession") {
        watch->Agree();
        watch->onSessionEnd_();
    } else if (name == "Stop") {
        watch->onSessionEnd_();
    }
}

void SessionEndWatch::Agree()
{
    g_dbus_proxy_call(client_, "EndSessionResponse", g_variant_new("(bs)", TRUE, ""),
                      G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
}

}  // namespace quillomat
