#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/desktop_services.h"

namespace quillomat::testing {

// Stands in for message boxes and the clipboard, remembering what the program asked for.
// Each message box can run a test's action while it is "open".
class RecordingDesktop : public DesktopServices {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
        std::string title;
    };

    void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;
    void PutTextOnClipboard(std::string_view text) override;

    std::vector<Message> messages;
    std::vector<std::string> clipboardTexts;
    // Called while a box is open, with the box's index since the start.
    std::function<void(std::size_t)> whileMessageOpen;
    // Boxes open at the moment, to catch a box opened over another.
    int openMessages = 0;
    int mostOpenAtOnce = 0;
};

}  // namespace quillomat::testing
