#include "app/desktop/private_toolkit_settings.h"

#include <gtk/gtk.h>

#include <optional>
#include <string>

#include "app/desktop/settings_overlay.h"

namespace quillomat {

void KeepToolkitSettingsInMemory()
{
    const char* chosen = g_getenv("GSETTINGS_BACKEND");
    MakeSettingsOverlayTheDefault(chosen ? std::optional<std::string>(chosen) : std::nullopt);
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
