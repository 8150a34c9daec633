// The About window on its own, without the main window: what it shows and where its links go.
#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gdkmm/cursor.h>
#include <gdkmm/pixbuf.h>
#include <gtest/gtest.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>

#include <array>
#include <chrono>
#include <memory>
#include <set>

#include "tests/support/about_window_access.h"
#include "tests/support/main_loop_wait.h"
#include "tests/support/recording_desktop.h"
#include "tests/support/widget_probe.h"

namespace quillomat::testing {
namespace {

using About = AboutWindowTestAccess;
using namespace std::chrono_literals;

// An About window as the main window shows it, recording its pages, boxes and closings.
class AboutWindowTest : public ::testing::Test {
protected:
    AboutWindow& OpenAbout()
    {
        aboutWindow = std::make_unique<AboutWindow>(desktop, [this] { ++closings; });
        aboutWindow->Present();
        EXPECT_TRUE(RunMainLoopUntil([&] { return aboutWindow->get_mapped(); }, 5s));
        EXPECT_TRUE(RunMainLoopUntilIdle(5s));
        return *aboutWindow;
    }

    void TearDown() override
    {
        if (aboutWindow)
            aboutWindow->hide();
        aboutWindow.reset();
    }

    RecordingDesktop desktop;
    int closings = 0;
    std::unique_ptr<AboutWindow> aboutWindow;
};

TEST_F(AboutWindowTest, TitleBarCloseHidesTheWindowAndTellsItsOwner)
{
    AboutWindow& about = OpenAbout();
    about.close();
    ASSERT_TRUE(RunMainLoopUntil([&] { return closings > 0; }, 5s));
    EXPECT_FALSE(about.get_visible());
    ASSERT_TRUE(RunMainLoopUntilIdle(5s));
    EXPECT_EQ(closings, 1);
}

TEST_F(AboutWindowTest, CaptionsBoldLinksToolTipsAndPointer)
{
    AboutWindow& about = OpenAbout();
    EXPECT_EQ(about.get_title(), "Informations");
    auto controls = About::Controls(about);
    auto label = [&](const std::string& name) -> Gtk::Label& {
        if (auto* link = dynamic_cast<LinkLabel*>(controls.at(name)))
            return link->Caption();
        return *dynamic_cast<Gtk::Label*>(controls.at(name));
    };
    const std::pair<const char*, const char*> captions[] = {
        {"Label1", "Nick :"},
        {"Label2", "Date de naissance :"},
        {"Label4", "Blog officiel :"},
        {"Label5", "Site :"},
        {"Label6", "Brennic [ Korvax ]"},
        {"Label9", "http://brennic.skyblog.com"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(label(name).get_text(), caption);
    EXPECT_EQ(About::Ok(about).get_label(), "Ok");
    const std::string date = label("Label7").get_text();
    ASSERT_EQ(date.size(), 8u);
    for (std::size_t i = 0; i < date.size(); ++i)
        EXPECT_TRUE(i % 3 == 2 ? date[i] == '/' : std::isdigit(date[i])) << date;
    EXPECT_EQ(label("Label10").get_text().substr(0, 7), "http://");
    EXPECT_FALSE(label("Label11").get_text().empty());

    for (const char* name : {"Label1", "Label2", "Label4", "Label5", "Label11"})
        EXPECT_TRUE(IsBold(label(name))) << name;
    for (const char* name : {"Label6", "Label7", "Label9", "Label10"})
        EXPECT_FALSE(IsBold(label(name))) << name;
    for (const char* name : {"Label1", "Label2", "Label4", "Label5", "Label6", "Label7", "Label11"})
        EXPECT_EQ(TextColour(label(name)), "rgb(0,0,0)") << name;
    for (const char* name : {"Label9", "Label10"}) {
        EXPECT_EQ(TextColour(label(name)), "rgb(0,0,255)") << name;
        EXPECT_TRUE(IsUnderlined(label(name))) << name;
        Glib::RefPtr<Gdk::Cursor> pointer = controls.at(name)->get_window()->get_cursor();
        ASSERT_TRUE(pointer) << name;
        EXPECT_EQ(pointer->get_cursor_type(), Gdk::QUESTION_ARROW) << name;
    }
    EXPECT_EQ(controls.at("Label9")->get_tooltip_text(), "Click ici :D");
    EXPECT_EQ(controls.at("Label10")->get_tooltip_text(), "Click ici ;P");
}

TEST_F(AboutWindowTest, PictureIsScaledIntoItsBoxInsideABlackOutline)
{
    AboutWindow& about = OpenAbout();
    ASSERT_TRUE(About::Picture(about).get_pixbuf());
    EXPECT_EQ(About::Picture(about).get_pixbuf()->get_width(), 93);
    EXPECT_EQ(About::Picture(about).get_pixbuf()->get_height(), 137);

    auto shown = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, 312, 185);
    gtk_widget_draw(GTK_WIDGET(about.gobj()), Cairo::Context::create(shown)->cobj());
    shown->flush();
    auto pixel = [&](int x, int y) {
        const auto argb =
            *reinterpret_cast<const guint32*>(shown->get_data() + y * shown->get_stride() + x * 4);
        return std::array<int, 3>{int(argb >> 16 & 0xFF), int(argb >> 8 & 0xFF), int(argb & 0xFF)};
    };
    const std::array<int, 3> black{0, 0, 0}, background{0xEE, 0xEE, 0xEA};
    for (auto [x, y] :
         {std::pair{8, 8}, {101, 8}, {101, 70}, {101, 144}, {8, 144}, {8, 70}, {50, 8}, {50, 144}})
        EXPECT_EQ(pixel(x, y), black) << "outline at " << x << "," << y;
    EXPECT_EQ(pixel(103, 70), background);
    std::set<std::array<int, 3>> colours;
    for (int y = 20; y < 135; y += 10)
        for (int x = 15; x < 95; x += 10)
            colours.insert(pixel(x, y));
    EXPECT_GT(colours.size(), 5u) << "the picture is drawn inside";
    EXPECT_EQ(colours.count(background), 0u);
}

TEST_F(AboutWindowTest, EachLinkOpensItsOwnAddressOncePerClick)
{
    AboutWindow& about = OpenAbout();
    ClickWithMouse(About::BlogLink(about));
    ClickWithMouse(About::SiteLink(about));
    ClickWithMouse(About::SiteLink(about));
    EXPECT_EQ(desktop.openedPages, (std::vector<std::string>{"http://brennic.skyblog.com",
                                                             "http://www.brennic.example.org/",
                                                             "http://www.brennic.example.org/"}));
    EXPECT_NE(desktop.openedPages[1], About::SiteLink(about).Caption().get_text());
    EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace quillomat::testing
