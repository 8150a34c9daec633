#include "app/desktop/private_toolkit_settings.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gsettingsbackend.h>
#include <gtk/gtk.h>

#include <optional>
#include <string>

namespace quillomat {

void KeepToolkitSettingsInMemory()
{
    constexpr char BackendVariable[] = "GSETTINGS_BACKEND";
    const char* previous = g_getenv(BackendVariable);
    const std::optional<std::string> saved =
        previous ? std::optional<std::string>(previous) : std::nullopt;

    // The default backend is chosen once per process, from the environment.
    g_setenv(BackendVariable, "memory", TRUE);
    g_object_unref(g_settings_backend_get_default());

    // WebKit's processes, started later, still read the desktop's settings, its proxy among
    // them.
    if (saved)
        g_setenv(BackendVariable, saved->c_str(), TRUE);
    else
        g_unsetenv(BackendVariable);
}

namespace {

// Stands in for GtkRecentManager's handler of its own changes, the one place where it writes.
void LeaveRecentFileAlone(GtkRecentManager*) {}

}  // namespace

void KeepRecentFilesInMemory()
{
    // Turning the list off through GtkSettings would not do: GTK then empties the user's file.
    auto* recentClass =
        static_cast<GtkRecentManagerClass*>(g_type_class_ref(GTK_TYPE_RECENT_MANAGER));
    recentClass->changed = &LeaveRecentFileAlone;
}

}  // namespace quillomat
