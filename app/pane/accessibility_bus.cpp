#include "app/pane/accessibility_bus.h"

#include <gio/gio.h>

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

// Only a bus on a local socket can have gone while still announced; any other answer, or an
// address of another kind, leaves the bus to the toolkit.
bool Reachable(const std::string& address)
{
    if (address.rfind("unix:", 0) != 0)
        return true;
    GError* error = nullptr;
    if (GIOStream* stream =
            g_dbus_address_get_stream_sync(address.c_str(), nullptr, nullptr, &error)) {
        g_object_unref(stream);
        return true;
    }
    const bool gone = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND) ||
                      g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED) ||
                      g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_DIRECTORY);
    g_error_free(error);
    return !gone;
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
