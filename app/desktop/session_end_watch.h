#pragma once

#include <gio/gio.h>
#include <sigc++/trackable.h>

#include <functional>
#include <string>

namespace quillomat {

// Tells the program when the desktop session ends, where a GNOME session manager runs: the
// program takes part in the session as one of its clients, agrees to its end, and ends with it.
// Elsewhere it does nothing, and the session's end reaches the program as the loss of its
// display or a request to terminate.
class SessionEndWatch : public sigc::trackable {
public:
    // `startupId` is the client id the session gave the program when it started it, if any.
    SessionEndWatch(GDBusConnection* bus, const std::string& applicationId,
                    const std::string& startupId, std::function<void()> onSessionEnd);
    ~SessionEndWatch();
    SessionEndWatch(const SessionEndWatch&) = delete;
    SessionEndWatch& operator=(const SessionEndWatch&) = delete;

private:
    static void OnRegistered(GObject* bus, GAsyncResult* result, gpointer watch);
    static void OnClientFound(GObject*, GAsyncResult* result, gpointer watch);
    static void OnClientSignal(GDBusProxy* client, const char* sender, const char* signal,
                               GVariant* parameters, SessionEndWatch* watch);
    void Agree();

    GDBusConnection* bus_;
    std::function<void()> onSessionEnd_;
    // Cancels the calls still under way when the watch ends.
    GCancellable* cancellable_;
    GDBusProxy* client_ = nullptr;
};

}  // namespace quillomat
