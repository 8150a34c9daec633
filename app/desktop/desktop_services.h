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

// One swatch's colour picker, which keeps from one opening to the next the colour last
// confirmed in it.
class ColourPicker {
public:
    virtual ~ColourPicker() = default;

    // Opens the picker modally; returns, once closed, the colour last confirmed in it.
    virtual ColorValue ShowColor() = 0;
};

// Where the program meets the desktop: GTK's is the real one, window tests use a recording
// stand-in. Message boxes and the clipboard go through MainUseDesktop's rule.
class DesktopServices : public MainUseDesktop {
public:
    ~DesktopServices() override;

    // The window the main use's boxes stand over, which must outlive them; or none.
    void SetMainWindow(Gtk::Window* window) { mainWindow_ = window; }

    using MainUseDesktop::ShowMessage;
    // A message box over `parent`, the window whose handler asks; one that has to wait for
    // another box stands over the main window once it comes.
    void ShowMessage(Gtk::Window& parent, std::string_view text, MessageIcon icon,
                     std::string_view title);

    // A picker over `parent`, which must outlive it, holding `initialColour` until the first
    // colour confirmed.
    virtual std::unique_ptr<ColourPicker> CreateColourPicker(Gtk::Window& parent,
                                                             ColorValue initialColour) = 0;

    // Opens the address in a window or tab of the desktop's default web browser; returns why it
    // could not, in French, or nothing.
    virtual std::optional<std::string> OpenExternalPage(std::string_view address) = 0;

protected:
    void RunWhenIdle(std::function<void()> task) override;
    Gtk::Window* BoxParent() const { return asking_ ? asking_ : mainWindow_; }

private:
    sigc::connection idle_;
    Gtk::Window* mainWindow_ = nullptr;
    Gtk::Window* asking_ = nullptr;
};

}  // namespace quillomat
