#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <gtkmm/window.h>

#include "linkcode/color_text.h"

namespace quillomat {

// The title that message boxes without a title of their own carry.
inline constexpr std::string_view ApplicationTitle = "Quillomat";

enum class MessageIcon { Error, Information };

// One swatch's colour picker. It lives as long as the main window and keeps, from one opening
// to the next, the colour last confirmed in it.
class ColourPicker {
public:
    virtual ~ColourPicker() = default;

    // Opens the picker modally; returns the colour it holds once closed: the newly chosen one
    // when the user confirms, else the one last confirmed.
    virtual ColorValue ShowColor() = 0;
};

// Where the program meets the desktop. The GTK implementation is the real one; window tests
// use a recording stand-in.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // A modal message box with a single "OK" button over `parent`, the window whose handler
    // asks; returns once the user has closed it, or at once while the program ends.
    virtual void ShowMessage(Gtk::Window& parent, std::string_view text, MessageIcon icon,
                             std::string_view title) = 0;

    // Replaces the whole clipboard with one plain text.
    virtual void PutTextOnClipboard(std::string_view text) = 0;

    // A picker that opens over `parent`, which must outlive it, and holds `initialColour` until
    // a colour is first confirmed in it.
    virtual std::unique_ptr<ColourPicker> CreateColourPicker(Gtk::Window& parent,
                                                             ColorValue initialColour) = 0;

    // Opens the address in the desktop's default web browser, in a window or tab of its own.
    // Returns why it could not, in French, or nothing when the browser was started.
    virtual std::optional<std::string> OpenExternalPage(std::string_view address) = 0;
};

}  // namespace quillomat
