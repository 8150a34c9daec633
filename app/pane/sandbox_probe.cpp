#include "app/pane/sandbox_probe.h"

#include <gio/gio.h>
#include <glib.h>
#include <glib/gstdio.h>

#include <future>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

// The accessibility bus's address, as the toolkit and WebKit find it, or the empty text.
std::string AnnouncedAccessibilityBus()
{
    if (const char* address = g_getenv("AT_SPI_BUS_ADDRESS"); address && *address)
        return address;
    GDBusConnection* session = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!session)
        return {};
    GVariant* reply = g_dbus_connection_call_sync(
        session, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", nullptr,
        G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    g_object_unref(session);
    if (!reply)
        return {};
    const char* address = nullptr;
    g_variant_get(reply, "(&s)", &address);
    std::string announced = address ? address : "";
    g_variant_unref(reply);
    return announced;
}

// Only a bus whose socket lies in the file system can have gone while still announced.
bool Reachable(const std::string& address)
{
    const auto key = address.find("path=");
    if (address.rfind("unix:", 0) != 0 || key == std::string::npos)
        return true;
    const auto start = key + std::strlen("path=");
    const auto end = address.find(',', start);
    gchar* path = g_uri_unescape_string(
        address.substr(start, end == std::string::npos ? end : end - start).c_str(), nullptr);
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    const bool fits = path && std::strlen(path) < sizeof(where.sun_path);
    if (fits)
        std::strcpy(where.sun_path, path);
    g_free(path);
    if (!fits)
        return true;
    const int socketFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socketFd < 0)
        return true;
    const bool refused =
        connect(socketFd, reinterpret_cast<sockaddr*>(&where), sizeof(where)) != 0 &&
        (errno == ENOENT || errno == ECONNREFUSED || errno == ENOTDIR);
    close(socketFd);
    return !refused;
}

}  // namespace

void ForgoUnreachableAccessibilityBus()
{
    if (Reachable(AnnouncedAccessibilityBus()))
        return;
    // The toolkit's own bridge, and the web content's.
    g_setenv("NO_AT_BRIDGE", "1", TRUE);
    g_setenv("WEBKIT_A11Y_BUS_ADDRESS", "", TRUE);
    // WebKit still starts a relay to the bus beside its sandbox, whatever it tells the web
    // content: given an address with no file behind it, the relay starts, and no one uses it.
    g_setenv("AT_SPI_BUS_ADDRESS", "unix:abstract=quillomat-no-accessibility-bus", TRUE);
}

void StartBubblewrapProbe()
{
    ProbeAnswer();
}

bool BubblewrapSandboxWorks()
{
    return ProbeAnswer().get();
}

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
