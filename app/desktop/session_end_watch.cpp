#include "app/desktop/session_end_watch.h"

#include <string_view>
#include <utility>

namespace quillomat {

namespace {

constexpr char ManagerName[] = "org.gnome.SessionManager";

}  // namespace

SessionEndWatch::SessionEndWatch(GDBusConnection* bus, const std::string& applicationId,
                                 const std::string& startupId, std::function<void()> onSessionEnd)
    : bus_(G_DBUS_CONNECTION(g_object_ref(bus))),
      onSessionEnd_(std::move(onSessionEnd)),
      cancellable_(g_cancellable_new())
{
    // Not started for the asking: without a session manager there is no session to follow.
    g_dbus_connection_call(bus_, ManagerName, "/org/gnome/SessionManager", ManagerName,
                           "RegisterClient",
                           g_variant_new("(ss)", applicationId.c_str(), startupId.c_str()),
                           G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, cancellable_,
                           &SessionEndWatch::OnRegistered, receiver_.ForCall());
}

SessionEndWatch::~SessionEndWatch()
{
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
    if (client_)
        g_object_unref(client_);
    g_object_unref(bus_);
}

void SessionEndWatch::OnRegistered(GObject* bus, GAsyncResult* result, gpointer receiver)
{
    GVariant* answer = g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, nullptr);
    SessionEndWatch* watch = SignalReceiver<SessionEndWatch>::Answered(receiver);
    if (!answer)
        return;
    const char* clientPath = nullptr;
    g_variant_get(answer, "(&o)", &clientPath);
    if (watch)
        g_dbus_proxy_new(watch->bus_, G_DBUS_PROXY_FLAGS_DO_NOT_LOAD_PROPERTIES, nullptr,
                         ManagerName, clientPath, "org.gnome.SessionManager.ClientPrivate",
                         watch->cancellable_, &SessionEndWatch::OnClientFound,
                         watch->receiver_.ForCall());
    g_variant_unref(answer);
}

void SessionEndWatch::OnClientFound(GObject*, GAsyncResult* result, gpointer receiver)
{
    GDBusProxy* client = g_dbus_proxy_new_finish(result, nullptr);
    SessionEndWatch* watch = SignalReceiver<SessionEndWatch>::Answered(receiver);
    if (!client)
        return;
    if (!watch) {
        g_object_unref(client);
        return;
    }
    watch->client_ = client;
    watch->receiver_.Connect(client, "g-signal", G_CALLBACK(&SessionEndWatch::OnClientSignal));
}

void SessionEndWatch::OnClientSignal(GDBusProxy*, const char*, const char* signal, GVariant*,
                                     gpointer receiver)
{
    SessionEndWatch* watch = SignalReceiver<SessionEndWatch>::OwnerOf(receiver);
    if (!watch)
        return;
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
