#include "tests/support/main_loop_wait.h"

#include <glib.h>

#include <memory>

namespace quillomat::testing {

namespace {

// How often the context is woken up, so that a condition that changes without any source being
// dispatched is still seen, and no iteration blocks past the deadline.
constexpr guint WakeUpIntervalMs = 10;

gboolean KeepWaking(gpointer)
{
    return G_SOURCE_CONTINUE;
}

class WakeUpSource {
public:
    explicit WakeUpSource(GMainContext* context) : source_(g_timeout_source_new(WakeUpIntervalMs))
    {
        g_source_set_callback(source_, &KeepWaking, nullptr, nullptr);
        g_source_attach(source_, context);
    }
    ~WakeUpSource()
    {
        g_source_destroy(source_);
        g_source_unref(source_);
    }
    WakeUpSource(const WakeUpSource&) = delete;
    WakeUpSource& operator=(const WakeUpSource&) = delete;

private:
    GSource* source_;
};

struct ContextUnref {
    void operator()(GMainContext* context) const { g_main_context_unref(context); }
};
using ContextPtr = std::unique_ptr<GMainContext, ContextUnref>;

}  // namespace

bool RunMainLoopUntil(std::function<bool()> condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    if (condition())
        return true;
    ContextPtr context(g_main_context_ref_thread_default());
    WakeUpSource wakeUp(context.get());
    while (std::chrono::steady_clock::now() < deadline) {
        g_main_context_iteration(context.get(), TRUE);
        if (condition())
            return true;
    }
    return false;
}

bool RunMainLoopUntilIdle(std::chrono::milliseconds timeout)
{
    bool idle = false;
    GSource* source = g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_LOW);
    g_source_set_callback(
        source,
        [](gpointer data) {
            *static_cast<bool*>(data) = true;
            return gboolean(G_SOURCE_REMOVE);
        },
        &idle, nullptr);
    ContextPtr context(g_main_context_ref_thread_default());
    g_source_attach(source, context.get());
    const bool cameIdle = RunMainLoopUntil([&idle] { return idle; }, timeout);
    g_source_destroy(source);
    g_source_unref(source);
    return cameIdle;
}

}  // namespace quillomat::testing
