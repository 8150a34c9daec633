#include "app/pane/bubblewrap_probe.h"

#include <glib.h>

#include <future>
#include <string>

namespace quillomat {

namespace {

// Runs on its own thread: it reads no environment variable, which GTK may change meanwhile.
bool RunBubblewrap(const std::string& bubblewrap)
{
    // The namespaces WebKit asks for; a container or kernel that refuses them makes it fail.
    const gchar* argv[] = {bubblewrap.c_str(),
                           "--ro-bind",
                           "/",
                           "/",
                           "--dev",
                           "/dev",
                           "--proc",
                           "/proc",
                           "--unshare-user-try",
                           "--unshare-pid",
                           "--unshare-ipc",
                           "--unshare-uts",
                           "--unshare-net",
                           "--die-with-parent",
                           "true",
                           nullptr};
    const gchar* environment[] = {nullptr};
    // Descriptors left open let GLib start bubblewrap with posix_spawn, which shares the
    // program's memory until the exec instead of copying its page tables: after a fork, the main
    // thread, meanwhile starting the toolkit, would pay a fault for each page it writes. What it
    // opens meanwhile is closed on exec, and bubblewrap's "true" runs for a moment only.
    gint status = -1;
    const gboolean spawned =
        g_spawn_sync(nullptr, const_cast<gchar**>(argv), const_cast<gchar**>(environment),
                     GSpawnFlags(G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL |
                                 G_SPAWN_LEAVE_DESCRIPTORS_OPEN),
                     nullptr, nullptr, nullptr, nullptr, &status, nullptr);
    return spawned && g_spawn_check_wait_status(status, nullptr);
}

std::shared_future<bool> StartProbe()
{
    gchar* found = g_find_program_in_path("bwrap");
    if (!found) {
        std::promise<bool> no;
        no.set_value(false);
        return no.get_future().share();
    }
    std::string bubblewrap = found;
    g_free(found);
    // Where no thread can be started, the probe runs at the first question instead.
    return std::async(std::launch::async | std::launch::deferred, &RunBubblewrap,
                      std::move(bubblewrap))
        .share();
}

std::shared_future<bool>& ProbeAnswer()
{
    static std::shared_future<bool> answer = StartProbe();
    return answer;
}

}  // namespace

void StartBubblewrapProbe()
{
    ProbeAnswer();
}

bool BubblewrapSandboxWorks()
{
    return ProbeAnswer().get();
}

}  // namespace quillomat
