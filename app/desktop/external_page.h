#pragma once

#include <string_view>

#include "app/desktop/desktop_services.h"

namespace quillomat {

// Opens the address in a browser window of its own, outside the program; where no browser can be
// started, a message box over `parent` tells why. Then the window events waiting are handled.
void OpenExternalPage(DesktopServices& desktop, Gtk::Window& parent, std::string_view address);

}  // namespace quillomat
