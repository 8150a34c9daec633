#include "tests/support/main_loop_wait.h"

#include <glib.h>

namespace quillomat::testing {

bool RunMainLoopUntil(std::function<bool()> condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool held = condition();
    g_autoptr(GMainContext) context = g_main_context_ref_thread_default();
    // Woken every few milliseconds, so that a condition that changes without any source being
    // dispatched is still seen, and no iteration blocks past the deadline.
    g_autoptr(GSource) wakeUp = g_timeout_source_new(10);
    g_source_set_callback(
        wakeUp, [](gpointer) { return gboolean(G_SOURCE_CONTINUE); }, nullptr, nullptr);
    g_source_attach(wakeUp, context);
    while (!held && std::chrono::steady_clock::now() < deadline) {
        g_main_context_iteration(context, TRUE);
        held = condition();
    }
    g_source_destroy(wakeUp);
    return held;
}

bool RunMainLoopUntilIdle(std::chrono::milliseconds timeout)
{
    bool idle = false;
    g_autoptr(GSource) source = g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_LOW);
    g_source_set_callback(
        source,
        [](gpointer data) {
            *static_cast<bool*>(data) = true;
            return gboolean(G_SOURCE_REMOVE);
        },
        &idle, nullptr);
    g_source_attach(source, g_main_context_get_thread_default());
    const bool cameIdle = RunMainLoopUntil([&idle] { return idle; }, timeout);
    g_source_destroy(source);
    return cameIdle;
}

}  // namespace quillomat::testing
