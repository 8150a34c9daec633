// The main window under the desktop's themes, dark and inverse too: captions readable, ground kept.
#include <gdk/gdk.h>
#include <gdkmm/pixbuf.h>
#include <gtkmm/bin.h>
#include <gtkmm/frame.h>
#include <gtkmm/settings.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

struct Theme {
    const char* name;
    bool dark;
};

// CTest's list of tests shows it beside each test's name.
void PrintTo(const Theme& theme, std::ostream* out)
{
    *out << theme.name << (theme.dark ? " dark" : "");
}

using Colour = std::uint32_t;  // 0xRRGGBB

// WCAG 2's relative luminance and contrast ratio.
double Luminance(Colour colour)
{
    double sum = 0;
    for (auto [shift, weight] : {std::pair{16, 0.2126}, {8, 0.7152}, {0, 0.0722}}) {
        const double c = ((colour >> shift) & 0xFF) / 255.0;
        sum += weight * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(Colour a, Colour b)
{
    const double first = Luminance(a), second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// A control's pixels on screen: its ground the commonest colour, its text the one most unlike it.
struct Drawn {
    Colour ground;
    Colour text;
};

Drawn Shoot(Gtk::Window& window, Gtk::Widget& control)
{
    const auto [x, y] = PositionIn(control, window);
    auto shot = Gdk::Pixbuf::create(window.get_window(), x, y, control.get_allocated_width(),
                                    control.get_allocated_height());
    std::map<Colour, int> counts;
    for (int row = 0; row < shot->get_height(); ++row) {
        const guint8* pixel = shot->get_pixels() + row * shot->get_rowstride();
        for (int column = 0; column < shot->get_width(); ++column, pixel += shot->get_n_channels())
            ++counts[pixel[0] << 16 | pixel[1] << 8 | pixel[2]];
    }
    const Colour ground =
        std::ranges::max_element(counts, {}, &decltype(counts)::value_type::second)->first;
    Drawn drawn{ground, ground};
    for (const auto& [colour, count] : counts)
        if (Contrast(colour, drawn.ground) > Contrast(drawn.text, drawn.ground))
            drawn.text = colour;
    return drawn;
}

class ThemeContrastTest : public MainWindowTest, public ::testing::WithParamInterface<Theme> {
protected:
    void SetUp() override
    {
        auto settings = Gtk::Settings::get_default();
        settings->property_gtk_theme_name() = GetParam().name;
        settings->property_gtk_application_prefer_dark_theme() = GetParam().dark;
    }
};

TEST_P(ThemeContrastTest, CaptionsAndFieldsKeepTheDesignsGroundAndAreReadable)
{
    OpenWindow();
    Access::Label5(*window).set_text("42");
    // Drawn once more after the last change, and on the screen.
    int drawings = 0;
    window->signal_draw().connect([&](const Cairo::RefPtr<Cairo::Context>&) {
        ++drawings;
        return false;
    });
    window->queue_draw();
    ASSERT_TRUE(RunMainLoopUntil([&] { return drawings > 0; }, 10s));
    gdk_display_sync(window->get_display()->gobj());

    auto controls = Access::Controls(*window);
    auto caption = [&](const char* name) -> Gtk::Widget& {
        return *dynamic_cast<Gtk::Bin*>(controls.at(name))->get_child();
    };
    // The frame's border, its first control.
    auto* frame1 = dynamic_cast<Gtk::Frame*>(
        dynamic_cast<Gtk::Container*>(controls.at("Frame1"))->get_children().front());
    ASSERT_NE(frame1, nullptr);

    // On the window's ground, and on the white of a field or a button.
    const std::tuple<const char*, Gtk::Widget*, Colour> drawnOn[] = {
        {"Frame1's title", frame1->get_label_widget(), 0xEEEEEA},
        {"Label2", controls.at("Label2"), 0xEEEEEA},
        {"Label4", controls.at("Label4"), 0xEEEEEA},
        {"Label5", controls.at("Label5"), 0xEEEEEA},
        {"Check2", &caption("Check2"), 0xEEEEEA},
        {"Text10", controls.at("Text10"), 0xFFFFFF},
        {"Command4", &caption("Command4"), 0xFFFFFF},
    };
    for (const auto& [name, control, ground] : drawnOn) {
        const Drawn drawn = Shoot(*window, *control);
        EXPECT_EQ(drawn.ground, ground) << name;
        EXPECT_GE(Contrast(drawn.text, drawn.ground), 4.5) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, ThemeContrastTest,
                         ::testing::Values(Theme{"Adwaita", false}, Theme{"Adwaita", true},
                                           Theme{"HighContrast", false},
                                           Theme{"HighContrastInverse", false}),
                         [](const ::testing::TestParamInfo<Theme>& info) {
                             return std::string(info.param.name) + (info.param.dark ? "Dark" : "");
                         });

}  // namespace
}  // namespace quillomat::testing
