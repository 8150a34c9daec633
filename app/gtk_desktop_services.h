#pragma once

#include "app/desktop_services.h"

namespace quillomat {

// Message boxes and the clipboard through GTK.
class GtkDesktopServices : public DesktopServices {
public:
    void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;
    void PutTextOnClipboard(std::string_view text) override;
};

}  // namespace quillomat
