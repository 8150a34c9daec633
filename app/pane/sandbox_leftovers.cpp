#include "app/pane/sandbox_leftovers.h"

#include <glib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace quillomat {

void RemoveSandboxLeftovers()
{
    // WebKit names them after the program's process, "webkit-PID-N", one per web process it
    // started. The folder of them stays: other programs' sandboxes may come and go in it.
    const std::string ours = "webkit-" + std::to_string(getpid()) + "-";
    const std::filesystem::path instances =
        std::filesystem::path(g_get_user_runtime_dir()) / ".flatpak";
    // Never an exception: this also runs at an abrupt end.
    std::error_code ignored;
    for (std::filesystem::directory_iterator each(instances, ignored), end; each != end;
         each.increment(ignored))
        if (each->path().filename().string().starts_with(ours))
            std::filesystem::remove_all(each->path(), ignored);
}

}  // namespace quillomat
