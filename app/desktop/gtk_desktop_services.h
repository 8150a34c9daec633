#pragma once

#include "app/desktop/desktop_services.h"

namespace quillomat {

// Message boxes, the clipboard, colour pickers and the external browser through GTK.
class GtkDesktopServices : public DesktopServices {
public:
    std::unique_ptr<ColourPicker> CreateColourPicker(Gtk::Window& parent,
                                                     ColorValue initialColour) override;
    std::optional<std::string> OpenExternalPage(std::string_view address) override;

protected:
    void RunMessageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
    bool PlaceOnClipboard(std::string_view text) override;
    void HideOpenBoxes() override;
};

}  // namespace quillomat
