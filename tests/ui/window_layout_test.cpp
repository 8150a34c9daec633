#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/entry.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>

#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

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
        {"Command5", "Copier"}};
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
