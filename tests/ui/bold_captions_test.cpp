// Bold captions look bold at every text size: Wine's bold Tahoma draws 13, 15 and 16 pixels (text
// at about 113, 131 to 135 and 140 dpi: larger text, or a screen too small for the main window)
// from regular-weight bitmaps, and 14 pixels and from 17 on from outlines.
#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/settings.h>
#include <gtkmm/window.h>

#include "app/look/window_look.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

// How much ink the label's text leaves, drawn black on white.
long Ink(Gtk::Label& label)
{
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, label.get_allocated_width(),
                                               label.get_allocated_height());
    auto context = Cairo::Context::create(surface);
    context->set_source_rgb(1, 1, 1);
    context->paint();
    gtk_widget_draw(GTK_WIDGET(label.gobj()), context->cobj());
    surface->flush();
    long ink = 0;
    for (int y = 0; y < surface->get_height(); ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(surface->get_data() + y * surface->get_stride());
        for (int x = 0; x < surface->get_width(); ++x)
            ink += 255 - (row[x] & 0xFF);
    }
    return ink;
}

class BoldCaptionTest : public ::testing::TestWithParam<int> {
protected:
    void TearDown() override { Gtk::Settings::get_default()->property_gtk_xft_dpi() = 96 * 1024; }
};

TEST_P(BoldCaptionTest, ABoldCaptionLeavesMuchMoreInkThanARegularOne)
{
    Gtk::Settings::get_default()->property_gtk_xft_dpi() = GetParam() * 1024;
    Gtk::Window window;
    MarkAsProgramWindow(window);
    Gtk::Box box(Gtk::ORIENTATION_VERTICAL);
    Gtk::Label regular("Copier gras"), bold("Copier gras");
    MarkAsBold(bold);
    box.add(regular);
    box.add(bold);
    window.add(box);
    window.show_all();
    ASSERT_TRUE(RunMainLoopUntil([&] { return bold.get_mapped(); }, 10s));
    ASSERT_TRUE(RunMainLoopUntilIdle(10s));
    EXPECT_GT(Ink(bold) * 10, Ink(regular) * 13) << "at " << GetParam() << " dpi";
}

// 11, 13, 13.75, 15.5, 16, 16.5 and 22 pixels.
INSTANTIATE_TEST_SUITE_P(TextSizes, BoldCaptionTest,
                         ::testing::Values(96, 114, 120, 135, 140, 144, 192),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "At" + std::to_string(info.param) + "Dpi";
                         });

}  // namespace
}  // namespace quillomat::testing
