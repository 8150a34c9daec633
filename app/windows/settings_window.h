#pragma once

#include <functional>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include "app/desktop/desktop_services.h"
#include "app/widgets/fixed_layout.h"
#include "app/widgets/focus_order.h"
#include "app/widgets/link_label.h"
#include "app/widgets/text_box.h"
#include "linkcode/settings_hand_back.h"

namespace quillomat {

// The settings window `Form1`: the blog's address, voice-box identifier and skin number.
class SettingsWindow : public Gtk::Window {
public:
    // What the window asks of the program that opened it.
    struct Owner {
        // Takes the values into the main window and shows the main window again.
        std::function<void(const BlogSettings&)> takeSettings;
        std::function<void()> endProgram;
        // The window was closed through its title bar and has hidden itself.
        std::function<void()> closed;
    };

    SettingsWindow(DesktopServices& desktop, Owner owner);

    // Writes the three fields, before each opening.
    void Fill(const BlogSettings& values);

private:
    friend struct SettingsWindowTestAccess;

    void PlaceControls();
    void ApplyLook();
    void ConnectSignals();

    void OnValidateClicked();
    void OnQuitClicked();
    void OnHomeLinkClicked();
    bool OnCloseRequested(GdkEventAny* event);
    bool OnKeyPressed(GdkEventKey* event);
    bool OnMapped(GdkEventAny* event);

    DesktopServices& desktop_;
    Owner owner_;

    FixedLayout layout_;
    Gtk::Label Label1;
    TextBox Text1;
    Gtk::Label Label2;
    Gtk::Label Label3;
    TextBox Text2;
    Gtk::Label Label4;
    Gtk::ComboBoxText Text3;
    Gtk::Button Command1;
    Gtk::Button Command2;
    LinkLabel Label5;
    Gtk::Label Label6;

    FocusOrder focusOrder_;
    bool placed_ = false;
};

}  // namespace quillomat
