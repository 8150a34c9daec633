#include "tests/support/clipboard_reader.h"

#include <gio/gio.h>

#include <memory>
#include <stdexcept>

#include "tests/support/main_loop_wait.h"

namespace quillomat::testing {
namespace {

// One xclip run, shared with the completion callback, which may come after the caller gave up.
struct XclipRun {
    bool finished = false;
    std::string output;
    std::string errors;
    std::string failure;
};

std::string TakeText(GBytes* bytes)
{
    if (!bytes)
        return "";
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    return data ? std::string(data, size) : "";
}

void OnXclipDone(GObject* source, GAsyncResult* result, gpointer userData)
{
    const std::unique_ptr<std::shared_ptr<XclipRun>> holder(
        static_cast<std::shared_ptr<XclipRun>*>(userData));
    XclipRun& run = **holder;
    g_autoptr(GBytes) out = nullptr;
    g_autoptr(GBytes) err = nullptr;
    g_autoptr(GError) error = nullptr;
    if (!g_subprocess_communicate_finish(G_SUBPROCESS(source), result, &out, &err, &error))
        run.failure = std::string("xclip failed: ") + error->message;
    run.output = TakeText(out);
    run.errors = TakeText(err);
    run.finished = true;
}

}  // namespace

std::string ReadClipboardWithXclip(std::chrono::milliseconds timeout)
{
    g_autoptr(GError) error = nullptr;
    g_autoptr(GSubprocess) process = g_subprocess_new(
        GSubprocessFlags(G_SUBPROCESS_FLAGS_STDOUT_PIPE | G_SUBPROCESS_FLAGS_STDERR_PIPE), &error,
        "xclip", "-o", "-selection", "clipboard", nullptr);
    if (!process)
        throw std::runtime_error(std::string("cannot start xclip: ") + error->message);
    auto run = std::make_shared<XclipRun>();
    g_autoptr(GCancellable) cancellable = g_cancellable_new();
    // The callback is dispatched on the thread-default context, the one iterated below.
    g_subprocess_communicate_async(process, nullptr, cancellable, &OnXclipDone,
                                   new std::shared_ptr<XclipRun>(run));
    const bool finished = RunMainLoopUntil([&run] { return run->finished; }, timeout);
    std::string failure = run->failure;
    if (!finished) {
        failure = "xclip did not finish within " + std::to_string(timeout.count()) + " ms";
        g_cancellable_cancel(cancellable);
        g_subprocess_force_exit(process);
        // Lets the cancelled run complete, so that the child is reaped.
        RunMainLoopUntil([&run] { return run->finished; }, std::chrono::seconds(1));
    } else if (failure.empty() && !g_subprocess_get_if_exited(process)) {
        failure = "xclip was terminated by a signal";
    } else if (failure.empty() && g_subprocess_get_exit_status(process) != 0) {
        failure =
            "xclip exited with status " + std::to_string(g_subprocess_get_exit_status(process));
        if (!run->errors.empty())
            failure += ": " + run->errors;
    }
    if (!failure.empty())
        throw std::runtime_error(failure);
    return run->output;
}

}  // namespace quillomat::testing
