#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/desktop/desktop_services.h"

namespace quillomat::testing {

// Stands in for boxes and the clipboard, recording what the program asked, each box running a
// test's action while "open"; the rule against stacked boxes stays the program's (MainUseDesktop).
class RecordingDesktop : public DesktopServices {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
        std::string title;
    };

    std::unique_ptr<ColourPicker> CreateColourPicker(Gtk::Window& parent,
                                                     ColorValue initialColour) override;
    std::optional<std::string> OpenExternalPage(std::string_view address) override;

    std::vector<Message> messages;
    std::vector<std::string> clipboardTexts;
    std::vector<std::string> openedPages;
    std::optional<std::string> externalPageFailure;  // OpenExternalPage's reason for failing
    // The next pickers' answers (a colour, or nothing: cancelled); each keeps its last confirmed.
    std::vector<std::optional<ColorValue>> colourChoices;
    std::function<void(std::size_t)> whileMessageOpen;  // run while box N (from 0) is open
    int openMessages = 0;  // open at the moment, to catch a box opened over another
    int mostOpenAtOnce = 0;

protected:
    void RunMessageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
    bool PlaceOnClipboard(std::string_view text) override;
    void HideOpenBoxes() override {}
};

}  // namespace quillomat::testing
