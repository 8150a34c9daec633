#pragma once

#include <gtkmm/label.h>

#include <map>
#include <string>

#include "app/main_window/main_window.h"

namespace quillomat {

// Lets tests read and set the main use's fields that are never shown.
struct MainUseTestAccess {
    static std::string& Text1(MainUse& u) { return u.Text1; }
    static std::string& Text2(MainUse& u) { return u.Text2; }
    static std::string& Text3(MainUse& u) { return u.Text3; }
    static std::string& Text4(MainUse& u) { return u.Text4; }
    static std::string& Text5(MainUse& u) { return u.Text5; }
    static std::string& Text6(MainUse& u) { return u.Text6; }
    static std::string Text9(MainUse& u) { return u.Text9.Text(); }
};

// Lets window tests read and set the main window's controls and hidden fields by name.
struct MainWindowTestAccess {
    static std::map<std::string, Gtk::Widget*> Controls(MainWindow& w)
    {
        std::map<std::string, Gtk::Widget*> controls{
            {"Text13", &w.Text13},     {"Command6", &w.Command6}, {"Command1", &w.Command1},
            {"Command2", &w.Command2}, {"Frame1", &w.Frame1},     {"Label2", &w.Label2},
            {"Text10", &w.Text10},     {"Label3", &w.Label3},     {"Text11", &w.Text11},
            {"Label6", &w.Label6},     {"Text12", &w.Text12},     {"Label1", &w.Label1},
            {"Check1", &w.Check1},     {"Check2", &w.Check2},     {"Line1", &w.Line1},
            {"Check3", &w.Check3},     {"Text7", &w.Text7},       {"Command4", &w.Command4},
            {"Frame2", &w.Frame2},     {"Label4", &w.Label4},     {"Label5", &w.Label5},
            {"Text8", &w.Text8},       {"Command5", &w.Command5}};
        controls.insert({{"Web1", &w.Web1.Widget()}, {"c1", &w.c1}, {"c2", &w.c2}, {"c3", &w.c3}});
        return controls;
    }
    static Gtk::Widget& FocusTarget(MainWindow& w, const std::string& name)
    {
        if (name == "Text7")
            return w.Text7.View();
        if (name == "Text8")
            return w.Text8.View();
        return *Controls(w).at(name);
    }
    static std::string Text7(MainWindow& w) { return w.Text7.Text(); }
    static std::string Text8(MainWindow& w) { return w.Text8.Text(); }
    static void SetText7(MainWindow& w, const std::string& t) { w.Text7.SetText(t); }
    static void SetText8(MainWindow& w, const std::string& t) { w.Text8.SetText(t); }
    static MainUse& Use(MainWindow& w) { return w.mainUse_; }
    static std::string& Text1(MainWindow& w) { return MainUseTestAccess::Text1(w.mainUse_); }
    static std::string& Text2(MainWindow& w) { return MainUseTestAccess::Text2(w.mainUse_); }
    static std::string& Text3(MainWindow& w) { return MainUseTestAccess::Text3(w.mainUse_); }
    static std::string& Text4(MainWindow& w) { return MainUseTestAccess::Text4(w.mainUse_); }
    static std::string& Text5(MainWindow& w) { return MainUseTestAccess::Text5(w.mainUse_); }
    static std::string& Text6(MainWindow& w) { return MainUseTestAccess::Text6(w.mainUse_); }
    static std::string Text9(MainWindow& w) { return MainUseTestAccess::Text9(w.mainUse_); }
    static Gtk::Label& Label5(MainWindow& w) { return w.Label5; }
    static ColourSwatch& Swatch(MainWindow& w, int index)
    {
        return index == 1 ? w.c1 : index == 2 ? w.c2 : w.c3;
    }
    static Gtk::CheckButton& Check(MainWindow& w, int index)
    {
        return index == 1 ? w.Check1 : index == 2 ? w.Check2 : w.Check3;
    }
    static Gtk::Entry& Caption(MainWindow& w, int index)
    {
        return index == 10 ? w.Text10 : index == 11 ? w.Text11 : index == 12 ? w.Text12 : w.Text13;
    }
    static Gtk::Button& Button(MainWindow& w, int index)
    {
        return index == 1   ? w.Command1
               : index == 2 ? w.Command2
               : index == 4 ? w.Command4
               : index == 5 ? w.Command5
                            : w.Command6;
    }
    static BrowserPane& Pane(MainWindow& w) { return w.Web1; }
    // The settings and About windows, or nothing while none exists.
    static SettingsWindow* Settings(MainWindow& w) { return w.settingsWindow_.get(); }
    static AboutWindow* About(MainWindow& w) { return w.aboutWindow_.get(); }
};

}  // namespace quillomat
