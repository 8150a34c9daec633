#pragma once

#include <string_view>

#include "app/desktop/desktop_services.h"

namespace quillomat {

// Opens the address in a browser window of its own, outside the program, and keeps no hold on
// it. Where no browser can be started the user is told why in a message box over `parent` and
// the program goes on. Then the window events already waiting are handled, in one pass.
void OpenExternalPage(DesktopServices& desktop, Gtk::Window& parent, std::string_view address);

}  // namespace quillomat
