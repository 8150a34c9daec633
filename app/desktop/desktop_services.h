#pragma once

#include <sigc++/connection.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "linkcode/color_text.h"
#include "main_use/main_use_desktop.h"

namespace quillomat {

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
// use a recording stand-in. Message boxes and the clipboard go through MainUseDesktop, which
// keeps the program's boxes from stacking.
class DesktopServices : public MainUseDesktop {
public:
    ~DesktopServices() override;

    // A picker that holds `initialColour` until a colour is first confirmed in it.
    virtual std::unique_ptr<ColourPicker> CreateColourPicker(ColorValue initialColour) = 0;

    // Opens the address in the desktop's default web browser, in a window or tab of its own.
    // Returns why it could not, in French, or nothing when the browser was started.
    virtual std::optional<std::string> OpenExternalPage(std::string_view address) = 0;

protected:
    void RunWhenIdle(std::function<void()> task) override;

private:
    sigc::connection idle_;
};

}  // namespace quillomat
