#include "main_loop_wait.h"

#include <gio/gio.h>

#include <memory>
#include <stdexcept>
#include <utility>

namespace quillomat::testing {
namespace {

// Wakes the context up regularly so that a condition that changes without a
// source being dispatched is still noticed, and so that an iteration never
// blocks past the deadline.
constexpr guint kWakeUpIntervalMs = 10;

gboolean KeepWaking(gpointer)
{
    return G_SOURCE_CONTINUE;
}

class WakeUpSource {
public:
    explicit WakeUpSource(GMainContext* context) : source_(g_timeout_source_new(kWakeUpIntervalMs))
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
    void operator()(GMainContext* c) const { g_main_context_unref(c); }
};
using ContextPtr = std::unique_ptr<GMainContext, ContextUnref>;

// State of one xclip run, shared with the asynchronous completion callback
// so that the callback stays safe even if the caller has given up.
struct XclipRun {
    bool finished = false;
    bool ok = false;
    std::string output;
    std::string errors;
    std::string failure;
};

void OnXclipDone(GObject* source, GAsyncResult* result, gpointer user_data)
{
    std::unique_ptr<std::shared_ptr<XclipRun>> holder(
        static_cast<std::shared_ptr<XclipRun>*>(user_data));
    XclipRun& run = **holder;
    GSubprocess* process = G_SUBPROCESS(source);
    GBytes* out = nullptr;
    GBytes* err = nullptr;
    GError* error = nullptr;
    if (g_subprocess_communicate_finish(process, result, &out, &err, &error)) {
        if (out != nullptr) {
            gsize size = 0;
            const char* data = static_cast<const char*>(g_bytes_get_data(out, &size));
            if (data != nullptr)
                run.output.assign(data, size);
        }
        if (err != nullptr) {
            gsize size = 0;
            const char* data = static_cast<const char*>(g_bytes_get_data(err, &size));
            if (data != nullptr)
                run.errors.assign(data, size);
        }
        if (g_subprocess_get_if_exited(process)) {
            const int status = g_subprocess_get_exit_status(process);
            run.ok = status == 0;
            if (!run.ok)
                run.failure = "xclip exited with status " + std::to_string(status);
        } else {
            run.failure = "xclip was terminated by a signal";
        }
    } else {
        run.failure =
            std::string("xclip failed: ") + (error != nullptr ? error->message : "unknown error");
    }
    if (error != nullptr)
        g_error_free(error);
    if (out != nullptr)
        g_bytes_unref(out);
    if (err != nullptr)
        g_bytes_unref(err);
    run.finished = true;
}

}  // namespace

bool RunMainLoopUntil(std::function<bool()> condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    if (condition())
        return true;
    ContextPtr context(g_main_context_ref_thread_default());
    WakeUpSource wake_up(context.get());
    while (std::chrono::steady_clock::now() < deadline) {
        g_main_context_iteration(context.get(), TRUE);
        if (condition())
            return true;
    }
    return false;
}

std::string ReadClipboardWithXclip(std::chrono::milliseconds timeout)
{
    const char* const argv[] = {"xclip", "-o", "-selection", "clipboard", nullptr};
    GError* error = nullptr;
    GSubprocess* process = g_subprocess_newv(
        argv, GSubprocessFlags(G_SUBPROCESS_FLAGS_STDOUT_PIPE | G_SUBPROCESS_FLAGS_STDERR_PIPE),
        &error);
    if (process == nullptr) {
        std::string message = std::string("cannot start xclip: ") +
                              (error != nullptr ? error->message : "unknown error");
        if (error != nullptr)
            g_error_free(error);
        throw std::runtime_error(message);
    }

    auto run = std::make_shared<XclipRun>();
    GCancellable* cancellable = g_cancellable_new();
    // The callback is dispatched on the thread-default context, which is the
    // one iterated below.
    g_subprocess_communicate_async(process, nullptr, cancellable, &OnXclipDone,
                                   new std::shared_ptr<XclipRun>(run));

    const bool finished = RunMainLoopUntil([&run] { return run->finished; }, timeout);
    if (!finished) {
        g_cancellable_cancel(cancellable);
        g_subprocess_force_exit(process);
        // Let the cancelled operation complete so the child is reaped; the
        // callback owns its own reference to the state either way.
        RunMainLoopUntil([&run] { return run->finished; }, std::chrono::milliseconds(1000));
    }
    g_object_unref(cancellable);
    g_object_unref(process);

    if (!finished) {
        throw std::runtime_error("xclip did not finish within " + std::to_string(timeout.count()) +
                                 " ms");
    }
    if (!run->ok) {
        std::string message = run->failure;
        if (!run->errors.empty())
            message += ": " + run->errors;
        throw std::runtime_error(message);
    }
    return run->output;
}

}  // namespace quillomat::testing
