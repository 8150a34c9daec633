#pragma once

#include "app/desktop/desktop_services.h"

namespace quillomat {

// Message boxes, the clipboard, colour pickers and the external browser through GTK.
class GtkDesktopServices : public DesktopServices {
public:
    void ShowMessage(Gtk::Window& parent, std::string_view text, MessageIcon icon,
                     std::string_view title) override;
    void PutTextOnClipboard(std::string_view text) override;
    std::unique_ptr<ColourPicker> CreateColourPicker(Gtk::Window& parent,
                                                     ColorValue initialColour) override;
    std::optional<std::string> OpenExternalPage(std::string_view address) override;
};

// The same box with no window under it, for a message that belongs to no window.
void ShowStandaloneMessage(std::string_view text, MessageIcon icon, std::string_view title);

}  // namespace quillomat
