#pragma once

#include <sigc++/connection.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <gtkmm/window.h>

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

    // The window the main use's boxes stand over; it must outlive them. Nothing: the boxes
    // stand alone.
    void SetMainWindow(Gtk::Window* window) { mainWindow_ = window; }

    using MainUseDesktop::ShowMessage;
    // A message box over `parent`, the window whose handler asks, under the rule that holds
    // for every box of the program. One that has to wait for another box stands over the main
    // window once it comes.
    void ShowMessage(Gtk::Window& parent, std::string_view text, MessageIcon icon,
                     std::string_view title);

    // A picker that opens over `parent`, which must outlive it, and holds `initialColour` until
    // a colour is first confirmed in it.
    virtual std::unique_ptr<ColourPicker> CreateColourPicker(Gtk::Window& parent,
                                                             ColorValue initialColour) = 0;

    // Opens the address in the desktop's default web browser, in a window or tab of its own.
    // Returns why it could not, in French, or nothing when the browser was started.
    virtual std::optional<std::string> OpenExternalPage(std::string_view address) = 0;

protected:
    void RunWhenIdle(std::function<void()> task) override;
    // The window the box about to open stands over, if any.
    Gtk::Window* BoxParent() const { return asking_ ? asking_ : mainWindow_; }

private:
    sigc::connection idle_;
    Gtk::Window* mainWindow_ = nullptr;
    Gtk::Window* asking_ = nullptr;
};

}  // namespace quillomat
