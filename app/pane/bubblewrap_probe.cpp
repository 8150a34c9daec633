#include "app/pane/bubblewrap_probe.h"

#include <glib.h>

#include <future>
#include <string>
#include <vector>

namespace quillomat {

namespace {

// The namespaces WebKit asks for; a container or kernel that refuses them makes it fail.
constexpr char SandboxOptions[] =
    "--ro-bind / / --dev /dev --proc /proc --unshare-user-try --unshare-pid --unshare-ipc "
    "--unshare-uts --unshare-net --die-with-parent true";

// Runs on its own thread: it reads no environment variable, which GTK may change meanwhile.
bool RunBubblewrap(const std::string& bubblewrap)
{
    gchar** options = g_strsplit(SandboxOptions, " ", -1);
    std::vector<gchar*> argv{const_cast<gchar*>(bubblewrap.c_str())};
    // Its null end included.
    argv.insert(argv.end(), options, options + g_strv_length(options) + 1);
    const gchar* environment[] = {nullptr};
    // Descriptors left open spare the starting toolkit a fork (bench/RESULTS.md, "The probe
    // without fork"); what it opens meanwhile is closed on exec.
    gint status = -1;
    const gboolean spawned =
        g_spawn_sync(nullptr, argv.data(), const_cast<gchar**>(environment),
                     GSpawnFlags(G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL |
                                 G_SPAWN_LEAVE_DESCRIPTORS_OPEN),
                     nullptr, nullptr, nullptr, nullptr, &status, nullptr);
    g_strfreev(options);
    return spawned && g_spawn_check_wait_status(status, nullptr);
}

std::shared_future<bool> StartProbe()
{
    gchar* found = g_find_program_in_path("bwrap");
    if (!found)
        return std::async(std::launch::deferred, [] { return false; }).share();
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
