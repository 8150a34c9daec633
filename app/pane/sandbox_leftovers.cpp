#include "app/pane/sandbox_leftovers.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

namespace quillomat {

void RemoveSandboxLeftovers()
{
    // WebKit names them after the program's process, "webkit-PID-N", one per web process it
    // started, each holding the bubblewrap description that portals read. The folder of them
    // stays: other programs' sandboxes may come and go in it meanwhile.
    gchar* instances = g_build_filename(g_get_user_runtime_dir(), ".flatpak", nullptr);
    const std::string ours = "webkit-" + std::to_string(getpid()) + "-";
    std::vector<std::string> found;
    if (GDir* folder = g_dir_open(instances, 0, nullptr)) {
        while (const char* name = g_dir_read_name(folder))
            if (std::string_view(name).starts_with(ours))
                found.push_back(std::string(instances) + "/" + name);
        g_dir_close(folder);
    }
    g_free(instances);
    for (const std::string& instance : found) {
        if (GDir* files = g_dir_open(instance.c_str(), 0, nullptr)) {
            std::vector<std::string> names;
            while (const char* name = g_dir_read_name(files))
                names.push_back(name);
            g_dir_close(files);
            for (const std::string& name : names)
                g_unlink((instance + "/" + name).c_str());
        }
        g_rmdir(instance.c_str());
    }
}

}  // namespace quillomat
