#include "tests/support/clipboard_reader.h"

#include <gio/gio.h>

#include <memory>
#include <stdexcept>

#include "tests/support/main_loop_wait.h"

namespace quillomat::testing {
namespace {

// One xclip run, shared with the completion callback so that the callback stays safe even when
// the caller has given up.
struct XclipRun {
    bool finished = false;
    bool ok = false;
    std::string output;
    std::string errors;
    std::string failure;
};

void OnXclipDone(GObject* source, GAsyncResult* result, gpointer userData)
{
    std::unique_ptr<std::shared_ptr<XclipRun>> holder(
        static_cast<std::shared_ptr<XclipRun>*>(userData));
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
    // The callback is dispatched on the thread-default context, the one iterated below.
    g_subprocess_communicate_async(process, nullptr, cancellable, &OnXclipDone,
                                   new std::shared_ptr<XclipRun>(run));

    const bool finished = RunMainLoopUntil([&run] { return run->finished; }, timeout);
    if (!finished) {
        g_cancellable_cancel(cancellable);
        g_subprocess_force_exit(process);
        // Let the cancelled operation complete so that the child is reaped; the callback holds
        // its own reference to the run either way.
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
