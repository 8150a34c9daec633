// The windows' shape where the desktop is not a bare 96-dpi screen with Wine's Tahoma: larger
// text, a screen too small for it, another font standing in for Tahoma (when run without Wine's
// fonts), and an article number longer than its place.
#include <gtkmm/bin.h>
#include <gtkmm/settings.h>

#include <gdkmm/display.h>
#include <gdkmm/monitor.h>

#include <algorithm>
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
    {"Text13", "window", 8, 8, 721, 19},       {"Command2", "window", 824, 216, 89, 161},
    {"Frame1", "window", 8, 384, 577, 137},    {"Text10", "Frame1", 88, 24, 201, 19},
    {"Label2", "Frame1", 16, 24, -1, 13},      {"c2", "Frame1", 160, 104, 25, 17},
    {"Command4", "Frame1", 320, 112, 241, 17}, {"Text8", "Frame2", 16, 32, 289, 73},
    {"Label4", "Frame2", 16, 16, -1, 13},
};

// A caption and the control to its right, which it must not run into.
struct Neighbours {
    const char* window;  // "main", "settings" or "about"
    const char* left;
    const char* right;
};

const Neighbours CaptionsBesideControls[] = {
    {"main", "Label2", "Text10"},    {"main", "Label3", "Text11"},
    {"main", "Label6", "Text12"},    {"main", "Label1", "c1"},
    {"main", "Label4", "Label5"},    {"settings", "Label1", "Label6"},
    {"settings", "Label6", "Text1"}, {"settings", "Label3", "Text2"},
    {"settings", "Label4", "Text3"}, {"about", "Label1", "Label6"},
    {"about", "Label2", "Label7"},
};

// Captions on controls of a fixed size, which must hold them whole.
const char* const CaptionsInBoxes[] = {"Command6", "Command1", "Command2", "Check1",
                                       "Check2",   "Check3",   "Command4", "Command5"};

int Scaled(int designPixels, double scale)
{
    return static_cast<int>(std::lround(designPixels * scale));
}

void SetTextResolution(int dotsPerInch)
{
    Gtk::Settings::get_default()->property_gtk_xft_dpi() = dotsPerInch * 1024;
}

int RightEdge(Gtk::Widget& control)
{
    return PositionIn(control, *control.get_toplevel()).first + control.get_allocated_width();
}

// Where a caption's last letter ends on the right, or a control without caption.
int InkRightEdge(Gtk::Widget& control)
{
    auto* label = dynamic_cast<Gtk::Label*>(&control);
    if (auto* link = dynamic_cast<Gtk::Bin*>(&control); link && !label)
        label = dynamic_cast<Gtk::Label*>(link->get_child());
    if (!label)
        return RightEdge(control);
    Pango::Rectangle ink, logical;
    label->get_layout()->get_pixel_extents(ink, logical);
    return PositionIn(*label, *label->get_toplevel()).first + ink.get_x() + ink.get_width();
}

class WindowShapeTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        SetTextResolution(96);
    }
};

class LayoutAtResolution : public WindowShapeTest, public ::testing::WithParamInterface<int> {};

// The main window's scale is the text resolution's, lowered where the window would not fit the
// screen; the settings and About windows, small, keep the text resolution's.
TEST_P(LayoutAtResolution, EveryLayoutScalesWithTheTextAndNoCaptionRunsIntoItsNeighbour)
{
    const int dotsPerInch = GetParam();
    SetTextResolution(dotsPerInch);
    OpenWindow();
    Access::Label5(*window).set_text("12345678");
    Gdk::Rectangle screen;
    window->get_display()->get_monitor(0)->get_workarea(screen);
    const double textScale = dotsPerInch / 96.0;
    const double scale =
        std::min({textScale, screen.get_width() / 921.0, screen.get_height() / 528.0});
    EXPECT_EQ(window->get_window()->get_width(), Scaled(921, scale));
    EXPECT_EQ(window->get_window()->get_height(), Scaled(528, scale));
    auto controls = Access::Controls(*window);
    for (const Placement& p : SomeControls) {
        Gtk::Widget& container =
            std::string(p.container) == "window" ? *window : *controls.at(p.container);
        Gtk::Widget& control = *controls.at(p.name);
        EXPECT_EQ(PositionIn(control, container),
                  std::make_pair(Scaled(p.x, scale), Scaled(p.y, scale)))
            << p.name;
        if (p.width >= 0)
            EXPECT_EQ(control.get_allocated_width(), Scaled(p.width, scale)) << p.name;
        EXPECT_EQ(control.get_allocated_height(), Scaled(p.height, scale)) << p.name;
    }

    auto windows = ThreeWindows();
    for (const char* name : CaptionsInBoxes) {
        Gtk::Widget& caption = *dynamic_cast<Gtk::Bin*>(controls.at(name))->get_child();
        int minimum = 0, natural = 0;
        caption.get_preferred_width(minimum, natural);
        EXPECT_GE(caption.get_allocated_width(), natural) << name << " is cut";
    }
    for (const Neighbours& n : CaptionsBesideControls) {
        Gtk::Widget& left = *windows.at(n.window).at(n.left);
        Gtk::Widget& right = *windows.at(n.window).at(n.right);
        EXPECT_LE(RightEdge(left), PositionIn(right, *right.get_toplevel()).first)
            << n.left << " runs into " << n.right << " in the " << n.window << " window";
    }
    // The settings window's link ends at least one design pixel before the edge, as at 96 dpi.
    for (const auto& [name, control] : windows.at("settings"))
        EXPECT_LE(InkRightEdge(*control), Scaled(280, textScale)) << name << " runs off the window";
    for (const auto& [name, control] : windows.at("about"))
        EXPECT_LE(InkRightEdge(*control), Scaled(312, textScale)) << name << " runs off the window";
    Gtk::Widget& settings = *windows.at("settings").at("Label1")->get_toplevel();
    EXPECT_EQ(settings.get_window()->get_width(), Scaled(281, textScale));
    EXPECT_EQ(settings.get_window()->get_height(), Scaled(192, textScale));
}

INSTANTIATE_TEST_SUITE_P(Resolutions, LayoutAtResolution, ::testing::Values(96, 120, 144),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "At" + std::to_string(info.param) + "Dpi";
                         });

TEST_F(WindowShapeTest, TheLayoutsFollowTheDesktopsTextResolutionWhileShown)
{
    SetTextResolution(120);
    OpenWindow();
    Access::Button(*window, 2).clicked();
    AboutWindow& about = *Access::About(*window);
    ASSERT_TRUE(RunMainLoopUntil([&] { return about.get_mapped(); }, 5s));
    Gtk::Widget& ok = *AboutWindowTestAccess::Controls(about).at("Command1");
    Gtk::Widget& text13 = *Access::Controls(*window).at("Text13");
    ASSERT_EQ(PositionIn(ok, about), std::make_pair(10, 190));

    SetTextResolution(96);
    EXPECT_TRUE(RunMainLoopUntil(
        [&] {
            return PositionIn(ok, about) == std::make_pair(8, 152) &&
                   text13.get_allocated_width() == 721 && window->get_window()->get_width() == 921;
        },
        5s));
    EXPECT_EQ(ok.get_allocated_width(), 297);
    EXPECT_EQ(window->get_window()->get_height(), 528);
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
