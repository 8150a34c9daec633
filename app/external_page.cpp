#include "app/gtk_desktop_services.h"

namespace quillomat {

std::optional<std::string> GtkDesktopServices::OpenExternalPage(std::string_view)
{
    return std::string("pas encore disponible");
}

}  // namespace quillomat
