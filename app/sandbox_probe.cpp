#include "app/sandbox_probe.h"

#include <glib.h>

namespace quillomat {

namespace {

bool ProbeBubblewrap()
{
    gchar* bubblewrap = g_find_program_in_path("bwrap");
    if (!bubblewrap)
        return false;
    // The namespaces WebKit asks for; a container or kernel that refuses them makes it fail.
    const gchar* argv[] = {bubblewrap,
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
    gint status = -1;
    const gboolean spawned =
        g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr,
                     GSpawnFlags(G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL), nullptr,
                     nullptr, nullptr, nullptr, &status, nullptr);
    g_free(bubblewrap);
    return spawned && g_spawn_check_wait_status(status, nullptr);
}

}  // namespace

bool BubblewrapSandboxWorks()
{
    static const bool works = ProbeBubblewrap();
    return works;
}

}  // namespace quillomat
