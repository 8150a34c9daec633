#include <gdkmm/screen.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/entry.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>

#include <algorithm>

#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

// A window's frame at 96 dpi: its client area, its border and its icons.
struct WindowShape {
    const char* window;  // "main", "settings" or "about"
    int width, height;
    bool resizable;
    bool minimise;
    int icons;     // the window's own icons, none: the toolkit's
    bool centred;  // else at its design position
};

const WindowShape Shapes[] = {
    {"main", 921, 528, true, true, 3, true},
    {"settings", 281, 192, false, false, 0, true},
    {"about", 312, 185, false, false, 0, false},
};

struct Placement {
    const char* in;  // the window, or the main window's "Frame1" or "Frame2"
    const char* name;
    int x, y, width, height;  // width -1: sized to its text
};

const Placement Layout[] = {
    {"main", "Text13", 8, 8, 721, 19},           {"main", "Command6", 736, 8, 81, 17},
    {"main", "Web1", 8, 32, 809, 345},           {"main", "Command1", 824, 8, 89, 201},
    {"main", "Command2", 824, 216, 89, 161},     {"main", "Frame1", 8, 384, 577, 137},
    {"Frame1", "Label2", 16, 24, -1, 13},        {"Frame1", "Text10", 88, 24, 201, 19},
    {"Frame1", "Label3", 16, 48, -1, 13},        {"Frame1", "Text11", 88, 48, 201, 19},
    {"Frame1", "Label6", 16, 72, -1, 13},        {"Frame1", "Text12", 88, 72, 201, 19},
    {"Frame1", "Label1", 16, 104, -1, 13},       {"Frame1", "c1", 128, 104, 25, 17},
    {"Frame1", "c2", 160, 104, 25, 17},          {"Frame1", "c3", 192, 104, 25, 17},
    {"Frame1", "Check1", 232, 96, 57, 17},       {"Frame1", "Check2", 232, 112, 65, 17},
    {"Frame1", "Line1", 304, 16, 1, 113},        {"Frame1", "Check3", 320, 16, 209, 17},
    {"Frame1", "Text7", 320, 40, 241, 73},       {"Frame1", "Command4", 320, 112, 241, 17},
    {"main", "Frame2", 592, 384, 321, 137},      {"Frame2", "Label4", 16, 16, -1, 13},
    {"Frame2", "Text8", 16, 32, 289, 73},        {"Frame2", "Command5", 16, 112, 289, 17},
    {"settings", "Label1", 16, 8, -1, 13},       {"settings", "Text1", 160, 8, 113, 19},
    {"settings", "Label2", 16, 56, 252, 41},     {"settings", "Label3", 16, 32, -1, 13},
    {"settings", "Text2", 128, 32, 145, 19},     {"settings", "Label4", 16, 128, -1, 13},
    {"settings", "Text3", 112, 128, 161, 21},    {"settings", "Command1", 8, 160, 129, 25},
    {"settings", "Command2", 144, 160, 129, 25}, {"settings", "Label5", 16, 96, -1, 13},
    {"settings", "Label6", 128, 8, -1, 13},      {"about", "Label1", 112, 8, -1, 13},
    {"about", "Label2", 112, 24, -1, 13},        {"about", "Label4", 112, 48, -1, 13},
    {"about", "Label5", 112, 88, -1, 13},        {"about", "Label6", 152, 8, -1, 13},
    {"about", "Label7", 232, 24, -1, 13},        {"about", "Label9", 112, 64, -1, 13},
    {"about", "Label10", 112, 104, -1, 13},      {"about", "Label11", 144, 128, -1, 13},
    {"about", "Command1", 8, 152, 297, 25},      {"about", "Image1", 8, 8, 93, 137},
    {"about", "Shape1", 8, 8, 94, 137},
};

std::string CaptionOf(Gtk::Widget* control)
{
    if (auto* label = dynamic_cast<Gtk::Label*>(control))
        return label->get_text();
    if (auto* button = dynamic_cast<Gtk::Button*>(control))
        return button->get_label();
    if (auto* entry = dynamic_cast<Gtk::Entry*>(control))
        return entry->get_text();
    if (auto* frame = dynamic_cast<Gtk::Container*>(control))
        for (Gtk::Widget* child : frame->get_children())
            if (auto* border = dynamic_cast<Gtk::Frame*>(child))
                return border->get_label();
    return {};
}

// The settings and About windows are opened from the main window, as a user opens them; the
// settings window hides the main one, which is measured first.
TEST_F(MainWindowTest, EachWindowHasItsShapeAndEveryControlStandsWhereItsLayoutSays)
{
    OpenWindow();
    std::map<std::string, std::map<std::string, Gtk::Widget*>> windows = {
        {"main", Access::Controls(*window)}};
    const auto screen = window->get_screen();
    auto check = [&](const std::string& name) {
        auto& controls = windows.at(name);
        Gtk::Window& shown = *dynamic_cast<Gtk::Window*>(controls.begin()->second->get_toplevel());
        const WindowShape& shape = *std::find_if(std::begin(Shapes), std::end(Shapes),
                                                 [&](auto& s) { return s.window == name; });
        SCOPED_TRACE(name);
        EXPECT_EQ(shown.get_window()->get_width(), shape.width);
        EXPECT_EQ(shown.get_window()->get_height(), shape.height);
        EXPECT_EQ(shown.get_resizable(), shape.resizable);
        Gdk::WMDecoration decorations{};
        shown.get_window()->get_decorations(decorations);
        EXPECT_FALSE(decorations & Gdk::DECOR_MAXIMIZE);
        EXPECT_EQ(bool(decorations & Gdk::DECOR_MINIMIZE), shape.minimise);
        EXPECT_EQ(bool(decorations & Gdk::DECOR_RESIZEH), shape.resizable);
        EXPECT_EQ(shown.get_icon_list().size(), std::size_t(shape.icons));
        if (shape.centred) {
            int x = 0, y = 0;
            shown.get_window()->get_origin(x, y);
            EXPECT_NEAR(x, (screen->get_width() - shape.width) / 2, 2);
            EXPECT_NEAR(y, (screen->get_height() - shape.height) / 2, 40);
        }
        for (const Placement& p : Layout) {
            if (p.in != name && !controls.count(p.in))
                continue;
            SCOPED_TRACE(p.name);
            Gtk::Widget& control = *controls.at(p.name);
            Gtk::Widget& container = p.in == name ? shown : *controls.at(p.in);
            EXPECT_EQ(PositionIn(control, container), std::make_pair(p.x, p.y));
            if (p.width >= 0)
                EXPECT_EQ(control.get_allocated_width(), p.width);
            else
                EXPECT_GT(control.get_allocated_width(), 10);
            EXPECT_EQ(control.get_allocated_height(), p.height);
        }
    };
    check("main");
    windows = ThreeWindows();
    check("settings");
    check("about");
}

TEST_F(MainWindowTest, CaptionsAndInitialState)
{
    OpenWindow();
    EXPECT_EQ(window->get_title(), ".:: Quillomat [ version 2 ] par Brennic ::.");

    const std::map<std::string, std::string> captions = {
        {"Text13", "http://skyblog.com"},
        {"Command6", "Aller à..."},
        {"Command1", "Réglages..."},
        {"Command2", "Informations"},
        {"Frame1", "Paramètres des liens..."},
        {"Label2", "Ajouter :"},
        {"Text10", "Ajouter un commentaire"},
        {"Label3", "Séparateur :"},
        {"Text11", "/"},
        {"Label6", "Lire :"},
        {"Text12", "Lire les commentaires"},
        {"Label1", "Couleurs du texte : "},
        {"Check1", "gras"},
        {"Check2", "italique"},
        {"Check3", "Code généré automatiquement"},
        {"Command4", "Créer les liens pour l'article en cours..."},
        {"Frame2", "Code des liens..."},
        {"Label4", "Article en cours :"},
        {"Label5", ""},
        {"Command5", "Copier"},
    };
    auto controls = Access::Controls(*window);
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(CaptionOf(controls.at(name)), caption) << name;

    for (auto [check, on] : {std::pair{1, false}, {2, false}, {3, true}})
        EXPECT_EQ(Access::Check(*window, check).get_active(), on) << "Check" << check;
    EXPECT_FALSE(controls.at("Text7")->is_sensitive());
    EXPECT_TRUE(controls.at("Text8")->is_sensitive());
    EXPECT_EQ(Access::Text7(*window), "");
    EXPECT_EQ(Access::Text8(*window), "");
    for (auto [swatch, colour] : {std::pair{1, 8388736u}, {2, 16777088u}, {3, 8388736u}})
        EXPECT_EQ(Access::Swatch(*window, swatch).Colour(), colour) << "c" << swatch;
    EXPECT_EQ(Access::Text3(*window), "1");
    EXPECT_EQ(Access::Text2(*window).size(), 8u);
    EXPECT_FALSE(Access::Text1(*window).empty());

    for (const char* bold : {"Command1", "Command2", "Command4", "Command5", "Check1", "Label5"})
        EXPECT_TRUE(controls.at(bold)->get_style_context()->has_class("bold")) << bold;
    for (const char* white : {"Command6", "Command1", "Command2", "Command4", "Command5"})
        EXPECT_TRUE(controls.at(white)->get_style_context()->has_class("white-button")) << white;
}

TEST_F(MainWindowTest, ResizingMovesNothing)
{
    OpenWindow();
    auto controls = Access::Controls(*window);
    window->resize(1200, 800);
    RunMainLoopUntil([&] { return window->get_allocated_width() >= 1200; }, 5s);
    ASSERT_EQ(window->get_allocated_width(), 1200);
    EXPECT_EQ(PositionIn(*controls.at("Frame2"), *window), std::make_pair(592, 384));
    EXPECT_EQ(controls.at("Web1")->get_allocated_width(), 809);
}

}  // namespace
}  // namespace quillomat::testing
