#pragma once

#include <string>
#include <string_view>

namespace quillomat {

// The title that message boxes without a title of their own carry.
inline constexpr std::string_view ApplicationTitle = "Quillomat";

enum class MessageIcon { Error, Information };

// Where the program meets the desktop. The GTK implementation is the real one; window tests
// use a recording stand-in.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // A modal message box with a single "OK" button; returns once the user has closed it.
    virtual void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) = 0;

    // Replaces the whole clipboard with one plain text.
    virtual void PutTextOnClipboard(std::string_view text) = 0;
};

}  // namespace quillomat
