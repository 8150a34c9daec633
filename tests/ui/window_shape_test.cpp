// The windows' shapes and layouts at 96 dpi in Wine's Tahoma, and with larger text, a screen too
// small, a stand-in for Tahoma (run without Wine's fonts) or an article number too long.
#include <gdkmm/display.h>
#include <gdkmm/monitor.h>
#include <gdkmm/screen.h>
#include <gtkmm/bin.h>
#include <gtkmm/settings.h>

#include <algorithm>
#include <cmath>

#include "tests/support/about_window_access.h"
#include "tests/support/settings_window_access.h"
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

// Every control of the window's layout where the layout puts it, at `scale` times its size.
void ExpectLayout(const std::map<std::string, Gtk::Widget*>& controls, const std::string& window,
                  Gtk::Widget& shown, double scale)
{
    for (const Placement& p : Layout) {
        if (p.in != window && !controls.count(p.in))
            continue;
        SCOPED_TRACE(p.name);
        Gtk::Widget& control = *controls.at(p.name);
        Gtk::Widget& container = p.in == window ? shown : *controls.at(p.in);
        EXPECT_EQ(PositionIn(control, container),
                  std::make_pair(Scaled(p.x, scale), Scaled(p.y, scale)));
        if (p.width >= 0)
            EXPECT_EQ(control.get_allocated_width(), Scaled(p.width, scale));
        else
            EXPECT_GT(control.get_allocated_width(), 10);
        EXPECT_EQ(control.get_allocated_height(), Scaled(p.height, scale));
    }
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
    ExpectLayout(controls, "main", *window, scale);
    auto windows = ThreeWindows();
    for (const char* name : {"settings", "about"})
        ExpectLayout(windows.at(name), name, *windows.at(name).begin()->second->get_toplevel(),
                     textScale);
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

// The settings and About windows are opened from the main window, as a user opens them.
TEST_F(MainWindowTest, EachWindowHasItsShapeAndEveryControlStandsWhereItsLayoutSays)
{
    OpenWindow();
    std::map<std::string, std::map<std::string, Gtk::Widget*>> windows = {
        {"main", Access::Controls(*window)}};
    const auto screen = window->get_screen();
    for (const WindowShape& shape : Shapes) {
        // The settings window hides the main one, which is measured first.
        if (!windows.count(shape.window))
            windows = ThreeWindows();
        SCOPED_TRACE(shape.window);
        auto& controls = windows.at(shape.window);
        Gtk::Window& shown = *dynamic_cast<Gtk::Window*>(controls.begin()->second->get_toplevel());
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
        ExpectLayout(controls, shape.window, shown, 1.0);
    }
}

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
