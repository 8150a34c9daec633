// The windows' shape where the desktop is not a bare 96-dpi screen: larger text, and an article
// number longer than its place.
#include <gtkmm/bin.h>
#include <gtkmm/settings.h>

#include <cmath>

#include "tests/support/about_window_access.h"
#include "tests/support/settings_window_access.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

struct Placement {
    const char* name;
    const char* container;  // "window", "Frame1" or "Frame2"
    int x, y, width, height;
};

// Controls of the main window, at 96 dpi.
const Placement SomeControls[] = {
    {"Text13", "window", 8, 8, 721, 19},    {"Command2", "window", 824, 216, 89, 161},
    {"Frame1", "window", 8, 384, 577, 137}, {"Text10", "Frame1", 88, 24, 201, 19},
    {"c2", "Frame1", 160, 104, 25, 17},     {"Command4", "Frame1", 320, 112, 241, 17},
    {"Text8", "Frame2", 16, 32, 289, 73},
};

// A caption and the control to its right, which it must not run into.
struct Neighbours {
    const char* window;  // "main", "settings" or "about"
    const char* left;
    const char* right;
};

const Neighbours CaptionsBesideControls[] = {
    {"main", "Label2", "Text10"},     {"main", "Label3", "Text11"},
    {"main", "Label6", "Text12"},     {"main", "Label1", "c1"},
    {"settings", "Label1", "Label6"}, {"settings", "Label6", "Text1"},
    {"settings", "Label3", "Text2"},  {"settings", "Label4", "Text3"},
    {"about", "Label1", "Label6"},    {"about", "Label2", "Label7"},
};

int At120Dpi(int designPixels)
{
    return static_cast<int>(std::lround(designPixels * 1.25));
}

void SetTextResolution(int dotsPerInch)
{
    Gtk::Settings::get_default()->property_gtk_xft_dpi() = dotsPerInch * 1024;
}

class WindowShapeTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        SetTextResolution(96);
    }

    // Every control of the three windows by window and name, the settings and About windows
    // opened for it.
    std::map<std::string, std::map<std::string, Gtk::Widget*>> ThreeWindows()
    {
        Access::Button(*window, 2).clicked();
        AboutWindow& about = *Access::About(*window);
        Access::Button(*window, 1).clicked();
        SettingsWindow& settings = *Access::Settings(*window);
        EXPECT_TRUE(
            RunMainLoopUntil([&] { return about.get_mapped() && settings.get_mapped(); }, 5s));
        return {{"main", Access::Controls(*window)},
                {"settings", SettingsWindowTestAccess::Controls(settings)},
                {"about", AboutWindowTestAccess::Controls(about)}};
    }
};

TEST_F(WindowShapeTest, At120DpiEveryLayoutIsAQuarterLargerAndNoCaptionRunsIntoItsNeighbour)
{
    SetTextResolution(120);
    OpenWindow();
    EXPECT_EQ(window->get_window()->get_width(), At120Dpi(921));
    EXPECT_EQ(window->get_window()->get_height(), At120Dpi(528));
    auto controls = Access::Controls(*window);
    for (const Placement& p : SomeControls) {
        Gtk::Widget& container =
            std::string(p.container) == "window" ? *window : *controls.at(p.container);
        Gtk::Widget& control = *controls.at(p.name);
        EXPECT_EQ(PositionIn(control, container), std::make_pair(At120Dpi(p.x), At120Dpi(p.y)))
            << p.name;
        EXPECT_EQ(control.get_allocated_width(), At120Dpi(p.width)) << p.name;
        EXPECT_EQ(control.get_allocated_height(), At120Dpi(p.height)) << p.name;
    }
    // Captions on controls of a fixed size fit in them.
    for (const char* name : {"Command6", "Check1", "Check2", "Check3", "Command4", "Command5"}) {
        Gtk::Widget& caption = *dynamic_cast<Gtk::Bin*>(controls.at(name))->get_child();
        int minimum = 0, natural = 0;
        caption.get_preferred_width(minimum, natural);
        EXPECT_GE(caption.get_allocated_width(), natural) << name << " is cut";
    }

    auto windows = ThreeWindows();
    for (const Neighbours& n : CaptionsBesideControls) {
        Gtk::Widget& left = *windows.at(n.window).at(n.left);
        Gtk::Widget& right = *windows.at(n.window).at(n.right);
        EXPECT_LE(PositionIn(left, *left.get_toplevel()).first + left.get_allocated_width(),
                  PositionIn(right, *right.get_toplevel()).first)
            << n.left << " runs into " << n.right << " in the " << n.window << " window";
    }
    Gtk::Widget& settings = *windows.at("settings").at("Label1")->get_toplevel();
    EXPECT_EQ(settings.get_window()->get_width(), At120Dpi(281));
    EXPECT_EQ(settings.get_window()->get_height(), At120Dpi(192));

    // Back to 96 dpi while the program runs: the layouts follow.
    SetTextResolution(96);
    Gtk::Widget& text1 = *windows.at("settings").at("Text1");
    EXPECT_TRUE(RunMainLoopUntil(
        [&] { return PositionIn(text1, settings) == std::make_pair(160, 8); }, 5s));
    EXPECT_EQ(text1.get_allocated_width(), 113);
}

TEST_F(WindowShapeTest, ALongArticleNumberIsCutAtTheFrameAndTheWindowKeepsItsSize)
{
    OpenWindow();
    Gtk::Label& label = Access::Label5(*window);
    Gtk::Widget& frame = *Access::Controls(*window).at("Frame2");
    int allocations = 0;
    label.signal_size_allocate().connect([&](Gtk::Allocation&) { ++allocations; });
    for (std::size_t digits : {200, 100000}) {
        const int before = allocations;
        label.set_text(std::string(digits, '7') + "&page=2");
        ASSERT_TRUE(RunMainLoopUntil([&] { return allocations > before; }, 30s));
        EXPECT_EQ(window->get_window()->get_width(), 921) << digits;
        EXPECT_EQ(window->get_window()->get_height(), 528) << digits;
        EXPECT_LE(PositionIn(label, frame).first + label.get_allocated_width(), 321 - 1)
            << "past the frame's border";
        EXPECT_TRUE(label.get_layout()->is_ellipsized());
    }
}

}  // namespace
}  // namespace quillomat::testing
