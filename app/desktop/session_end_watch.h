#pragma once

#include <gio/gio.h>

#include <functional>
#include <string>

#include "app/desktop/signal_receiver.h"

namespace quillomat {

// Tells the program when the desktop session ends, where a GNOME session manager runs: the
// program takes part in the session as one of its clients, agrees to its end, and ends with it.
// Elsewhere it does nothing, and the session's end reaches the program as the loss of its
// display or a request to terminate.
class SessionEndWatch {
public:
    // `startupId` is the client id the session gave the program when it started it, if any.
    SessionEndWatch(GDBusConnection* bus, const std::string& applicationId,
                    const std::string& startupId, std::function<void()> onSessionEnd);
    ~SessionEndWatch();
    SessionEndWatch(const SessionEndWatch&) = delete;
    SessionEndWatch& operator=(const SessionEndWatch&) = delete;

private:
    static void OnRegistered(GObject* bus, GAsyncResult* result, gpointer receiver);
    static void OnClientFound(GObject*, GAsyncResult* result, gpointer receiver);
    static void OnClientSignal(GDBusProxy* client, const char* sender, const char* signal,
                               GVariant* parameters, gpointer receiver);
    void Agree();

    GDBusConnection* bus_;
    std::function<void()> onSessionEnd_;
    GCancellable* cancellable_;
    GDBusProxy* client_ = nullptr;
    SignalReceiver<SessionEndWatch> receiver_{*this};
};

}  // namespace quillomat
