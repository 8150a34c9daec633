#include "app/pane/accessibility_bus.h"

#include <gio/gio.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace quillomat {

namespace {

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
    gchar* path = g_uri_unescape_string(address.substr(start, end - start).c_str(), nullptr);
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

}  // namespace quillomat
