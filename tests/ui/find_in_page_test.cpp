// Finding in the page: the bar over the pane's bottom edge, its count, its keys, and its going.
#include <gdk/gdkkeysyms.h>
#include <gtkmm/container.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>

#include "tests/support/loopback_site.h"
#include "tests/support/page_script.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string Home = "http://www.skyblog.com/";
const std::string Other = "http://www.skyblog.com/autre";

// The first descendant of `widget` of type T that is shown.
template <typename T>
T* Find(Gtk::Widget& widget)
{
    if (auto* found = dynamic_cast<T*>(&widget); found && found->is_visible())
        return found;
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children())
            if (T* found = Find<T>(*child))
                return found;
    return nullptr;
}

class FindInPageTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        site.AddPage(Home,
                     "<!DOCTYPE html><html><head><meta charset='utf-8'></head><body>"
                     "<p>Un mot, deux mots, trois MOTS.</p><textarea>Le mot juste</textarea>"
                     "<p>Fin du Mot.</p></body></html>");
        site.AddPage(Other, "<!DOCTYPE html><html><body>Autre page</body></html>");
        OpenWindow(site.ProxyAddress());
        ASSERT_TRUE(WaitForPage(Home));
        window->present();
    }

    Gtk::Widget& Area() { return Access::Pane(*window).Area(); }
    // The bar's field, while the bar is shown.
    Gtk::Entry* Field() { return Find<Gtk::Entry>(Area()); }

    // Waits until the bar says `place`, and returns the text the page has selected then.
    std::string WaitForPlace(const std::string& place)
    {
        const auto placeShown = [&] {
            if (Gtk::Entry* field = Field())
                for (Gtk::Widget* control : field->get_parent()->get_children())
                    if (auto* label = dynamic_cast<Gtk::Label*>(control))
                        return label->get_text() == place;
            return false;
        };
        const bool shown = RunMainLoopUntil(placeShown, 10s);
        return shown ? PageScriptResult(View(), "getSelection().toString()") : "never " + place;
    }

    LoopbackSite site;
};

TEST_F(FindInPageTest, CtrlFFindsAndCountsCaseIgnoredAndEscapeGivesThePageBack)
{
    EXPECT_EQ(Field(), nullptr);
    PressKey(*window, GDK_KEY_f, GDK_CONTROL_MASK);
    Gtk::Entry* field = Field();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(window->get_focus(), field);
    EXPECT_EQ(field->get_accessible()->get_name(), "Rechercher dans la page");
    // Over the bottom edge of the pane's box; nothing around it moves.
    Gtk::Widget& bar = *field->get_parent();
    ASSERT_TRUE(RunMainLoopUntil([&] { return bar.get_allocated_height() > 1; }, 10s));
    const auto [x, y] = PositionIn(bar, *window);
    EXPECT_EQ(x, 8);
    EXPECT_EQ(bar.get_allocated_width(), 809);
    EXPECT_EQ(y + bar.get_allocated_height(), 32 + 345);
    EXPECT_EQ(PositionIn(Area(), *window), std::make_pair(8, 32));
    EXPECT_EQ(Area().get_allocated_height(), 345);
    // In the window's keyboard order the field stands just before the page.
    PressKey(*window, GDK_KEY_Tab);
    EXPECT_EQ(window->get_focus(), &Access::Pane(*window).Widget());
    PressKey(*window, GDK_KEY_f, GDK_CONTROL_MASK);
    EXPECT_EQ(window->get_focus(), field);

    // The text area's words count too; each step selects its match in the page, and wraps.
    field->set_text("mot");
    EXPECT_EQ(WaitForPlace("1 sur 5"), "mot");
    const std::vector<std::tuple<guint, guint, std::string, std::string>> steps = {
        {GDK_KEY_F3, 0, "2 sur 5", "mot"},
        {GDK_KEY_F3, 0, "3 sur 5", "MOT"},
        {GDK_KEY_F3, GDK_SHIFT_MASK, "2 sur 5", "mot"},
        {GDK_KEY_Return, GDK_SHIFT_MASK, "1 sur 5", "mot"},
        {GDK_KEY_Return, GDK_SHIFT_MASK, "5 sur 5", "Mot"},
        {GDK_KEY_Return, 0, "1 sur 5", "mot"},
    };
    for (const auto& [key, modifiers, place, selected] : steps) {
        PressKey(*window, key, modifiers);
        EXPECT_EQ(WaitForPlace(place), selected) << "after the step to " << place;
    }
    field->set_text("motus");
    EXPECT_EQ(WaitForPlace("Aucun résultat"), "");
    EXPECT_TRUE(field->get_style_context()->has_class("not-found"));

    PressKey(*window, GDK_KEY_Escape);
    EXPECT_EQ(Field(), nullptr);
    EXPECT_EQ(window->get_focus(), &Access::Pane(*window).Widget());

    // Opened again, it finds the text it kept; the pane leaving the page closes it.
    PressKey(*window, GDK_KEY_f, GDK_CONTROL_MASK);
    Field()->set_text("MOTS");
    EXPECT_EQ(WaitForPlace("1 sur 2"), "mots");
    Go(Other);
    ASSERT_TRUE(WaitForPage(Other));
    EXPECT_EQ(Field(), nullptr);
}

}  // namespace
}  // namespace quillomat::testing
