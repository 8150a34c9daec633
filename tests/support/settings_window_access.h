#pragma once

#include <map>
#include <string>

#include "app/windows/settings_window.h"

namespace quillomat {

// Lets window tests reach the settings window's controls by name.
struct SettingsWindowTestAccess {
    static std::map<std::string, Gtk::Widget*> Controls(SettingsWindow& w)
    {
        return {{"Label1", &w.Label1}, {"Text1", &w.Text1},       {"Label2", &w.Label2},
                {"Label3", &w.Label3}, {"Text2", &w.Text2},       {"Label4", &w.Label4},
                {"Text3", &w.Text3},   {"Command1", &w.Command1}, {"Command2", &w.Command2},
                {"Label5", &w.Label5}, {"Label6", &w.Label6}};
    }
    static Gtk::Entry& Text1(SettingsWindow& w) { return w.Text1; }
    static Gtk::Entry& Text2(SettingsWindow& w) { return w.Text2; }
    static Gtk::ComboBoxText& Text3(SettingsWindow& w) { return w.Text3; }
    static Gtk::Button& Validate(SettingsWindow& w) { return w.Command1; }
    static Gtk::Button& Quit(SettingsWindow& w) { return w.Command2; }
    static LinkLabel& HomeLink(SettingsWindow& w) { return w.Label5; }
    // The three fields, typed in and read as a user would.
    static void Type(SettingsWindow& w, const BlogSettings& values)
    {
        w.Text1.set_text(values.blogAddress);
        w.Text2.set_text(values.voiceBoxId);
        w.Text3.get_entry()->set_text(values.skinNumber);
    }
    static BlogSettings Shown(SettingsWindow& w)
    {
        return {w.Text1.get_text(), w.Text2.get_text(), w.Text3.get_entry_text()};
    }
};

}  // namespace quillomat
