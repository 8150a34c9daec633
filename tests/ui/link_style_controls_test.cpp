#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gdkmm/rgba.h>
#include <glibmm/main.h>
#include <gtkmm/colorchooserdialog.h>
#include <gtkmm/window.h>

#include <deque>
#include <optional>

#include "app/desktop/gtk_desktop_services.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string AddCaption = "Ajouter un commentaire";
const std::string ReadCaption = "Lire les commentaires";
constexpr ColorValue PaleCyan = 16777088;  // #80FFFF
constexpr ColorValue Picked = 789258;      // #0A0B0C
constexpr ColorValue Orange = 0x0080FF;    // #FF8000

// A press and a release of the first button at (x, y) in the widget, delivered the way GTK
// delivers a real click, so that grabs of modal dialogs apply: to the button's own input
// window when the point is on it, else to the window beneath, as the X server would.
void ClickAt(Gtk::Widget& widget, double x, double y)
{
    Glib::RefPtr<Gdk::Window> target = widget.get_window();
    auto* button = dynamic_cast<Gtk::Button*>(&widget);
    const bool onWidget =
        x >= 0 && y >= 0 && x < widget.get_allocated_width() && y < widget.get_allocated_height();
    if (button && onWidget) {
        target = button->get_event_window();
    } else if (button) {
        x += widget.get_allocation().get_x();
        y += widget.get_allocation().get_y();
    }
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        event->button.window = GDK_WINDOW(g_object_ref(target->gobj()));
        event->button.button = 1;
        event->button.x = x;
        event->button.y = y;
        event->button.time = GDK_CURRENT_TIME;
        gdk_event_set_device(event, gdk_seat_get_pointer(seat));
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
}

class LinkStyleTest : public MainWindowTest {
protected:
    void SetUp() override { OpenWindow(); }

    std::vector<std::string> CaptionTexts()
    {
        return {Access::Caption(*window, 10).get_text(), Access::Caption(*window, 11).get_text(),
                Access::Caption(*window, 12).get_text()};
    }
    void Tick(int check) { Access::Check(*window, check).clicked(); }
    ColorValue SwatchColour(int index) { return Access::Swatch(*window, index).Colour(); }
    void ClickSwatch(int index) { ClickAt(Access::Swatch(*window, index), 12, 8); }
    Gtk::Widget& TemplateBox() { return Access::FocusTarget(*window, "Text7"); }

    void StartArticle(const std::string& number)
    {
        Access::Text4(*window) = number;
        Access::Label5(*window).set_text(number);
    }
};

using Captions = std::vector<std::string>;

TEST_F(LinkStyleTest, BoldWrapsEveryCaptionOnceAndUntickingRemovesIt)
{
    Tick(1);
    EXPECT_TRUE(Access::Check(*window, 1).get_active());
    EXPECT_EQ(CaptionTexts(),
              (Captions{"[g]" + AddCaption + "[/g]", "[g]/[/g]", "[g]" + ReadCaption + "[/g]"}));

    // Text typed after the tick stays where it was typed and is not wrapped again.
    Gtk::Entry& separator = Access::Caption(*window, 11);
    int end = separator.get_text_length();
    separator.insert_text("-", 1, end);
    EXPECT_EQ(Access::Caption(*window, 11).get_text(), "[g]/[/g]-");

    Tick(1);
    EXPECT_EQ(CaptionTexts(), (Captions{AddCaption, "/-", ReadCaption}));
}

TEST_F(LinkStyleTest, TheBoxTickedLastGivesTheOutermostTags)
{
    Tick(1);
    Tick(2);
    EXPECT_EQ(Access::Caption(*window, 10).get_text(), "[i][g]" + AddCaption + "[/g][/i]");
    Tick(1);
    EXPECT_EQ(CaptionTexts(),
              (Captions{"[i]" + AddCaption + "[/i]", "[i]/[/i]", "[i]" + ReadCaption + "[/i]"}));
    Tick(2);
    EXPECT_EQ(CaptionTexts(), (Captions{AddCaption, "/", ReadCaption}));

    Tick(2);
    Tick(1);
    EXPECT_EQ(Access::Caption(*window, 12).get_text(), "[g][i]" + ReadCaption + "[/i][/g]");
}

TEST_F(LinkStyleTest, UntickingRemovesTypedTagsInOnePassAndKeepsOtherCases)
{
    Tick(1);
    Tick(2);
    Access::Caption(*window, 10).set_text("Ajou[g]ter[/g] [G]un[/G] [I]x[/I]");
    Access::Caption(*window, 11).set_text("[[g]g]");
    Access::Caption(*window, 12).set_text("[[/i]/i]Lire");
    Tick(1);
    Tick(2);
    EXPECT_EQ(CaptionTexts(), (Captions{"Ajouter [G]un[/G] [I]x[/I]", "[g]", "[/i]Lire"}));
}

TEST_F(LinkStyleTest, EmptyCaptionsGetBareTagsAndComeBackEmpty)
{
    for (int caption : {10, 11, 12})
        Access::Caption(*window, caption).set_text("");
    Tick(2);
    EXPECT_EQ(CaptionTexts(), (Captions{"[i][/i]", "[i][/i]", "[i][/i]"}));

    Tick(1);
    Access::Caption(*window, 10).set_text("");  // cleared by the user while both are ticked
    Tick(1);
    EXPECT_EQ(CaptionTexts(), (Captions{"", "[i][/i]", "[i][/i]"}));
    Tick(2);
    EXPECT_EQ(CaptionTexts(), (Captions{"", "", ""}));
}

TEST_F(LinkStyleTest, EachSwatchKeepsItsOwnPickersLastConfirmedColour)
{
    desktop.colourChoices = {Picked, std::nullopt, std::nullopt, Orange, std::nullopt};
    ClickSwatch(1);  // confirmed
    EXPECT_EQ(SwatchColour(1), Picked);
    EXPECT_EQ(ColorToHex(SwatchColour(1)), "0A0B0C");

    // A cancel gives the colour last confirmed in that picker, not the swatch's own.
    Access::Swatch(*window, 1).SetColour(0);
    ClickSwatch(1);
    EXPECT_EQ(SwatchColour(1), Picked);

    ClickSwatch(2);  // cancelled before anything was ever confirmed in it
    EXPECT_EQ(SwatchColour(2), PaleCyan);

    ClickSwatch(3);  // confirmed
    ClickSwatch(3);  // cancelled
    EXPECT_EQ(SwatchColour(3), Orange);
    EXPECT_EQ(SwatchColour(1), Picked);
    EXPECT_EQ(SwatchColour(2), PaleCyan);
    EXPECT_TRUE(desktop.colourChoices.empty());
}

TEST_F(LinkStyleTest, ASwatchAnswersAClickAnywhereOnItAndNowhereElse)
{
    desktop.colourChoices = {Orange, Picked};
    ClickAt(Access::Swatch(*window, 2), 0, 0);
    EXPECT_EQ(SwatchColour(2), Orange);
    ClickAt(Access::Swatch(*window, 2), 24, 16);
    EXPECT_EQ(SwatchColour(2), Picked);

    desktop.colourChoices = {Orange};
    ClickAt(Access::Swatch(*window, 2), 25, 8);  // released just past the right-hand border
    EXPECT_EQ(SwatchColour(2), Picked);
    EXPECT_EQ(desktop.colourChoices.size(), 1u);
}

// Without a mouse: Alt and the swatch's number open its dialog, wherever the focus is in the
// window, the page included; the swatch's tool tip says which key.
TEST_F(LinkStyleTest, AltAndTheSwatchsNumberOpenItsDialogWhereverTheFocusIs)
{
    const struct {
        const char* focus;
        guint key;
        int swatch;
        const char* tip;
    } presses[] = {
        {"Web1", GDK_KEY_1, 1, "Couleur de début (Alt+1)"},
        {"Text10", GDK_KEY_2, 2, "Couleur du milieu (Alt+2)"},
        {"Check3", GDK_KEY_3, 3, "Couleur de fin (Alt+3)"},
        // The key of 1 by its place, whatever it types: "&" on a French keyboard, here "!".
        {"Text12", GDK_KEY_exclam, 1, "Couleur de début (Alt+1)"},
    };
    window->present();
    for (const auto& press : presses) {
        desktop.colourChoices = {Orange};
        Gtk::Widget& focus = Access::FocusTarget(*window, press.focus);
        focus.grab_focus();
        ASSERT_TRUE(RunMainLoopUntil([&] { return focus.has_focus(); }, 10s)) << press.focus;
        PressKey(*window, press.key, GDK_MOD1_MASK);
        EXPECT_TRUE(desktop.colourChoices.empty()) << "no dialog from " << press.focus;
        EXPECT_EQ(SwatchColour(press.swatch), Orange) << press.focus;
        EXPECT_EQ(Access::Swatch(*window, press.swatch).get_tooltip_text(), press.tip);
    }
    // Without Alt the key is the focused control's.
    desktop.colourChoices = {Picked};
    Access::FocusTarget(*window, "Text10").grab_focus();
    PressKey(*window, GDK_KEY_1);
    EXPECT_EQ(desktop.colourChoices.size(), 1u);
}

// The swatch as drawn on screen: its colour inside a one-pixel dark border.
TEST_F(LinkStyleTest, ASwatchShowsItsColourInsideASingleLineBorder)
{
    desktop.colourChoices = {Orange};
    ClickSwatch(1);
    ColourSwatch& swatch = Access::Swatch(*window, 1);
    const int width = swatch.get_allocated_width();
    const int height = swatch.get_allocated_height();
    ASSERT_EQ(width, 25);
    ASSERT_EQ(height, 17);
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, width, height);
    gtk_widget_draw(GTK_WIDGET(swatch.gobj()), Cairo::Context::create(surface)->cobj());
    surface->flush();
    auto pixel = [&](int x, int y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(surface->get_data() + y * surface->get_stride());
        return row[x] & 0xFFFFFFu;  // 0xRRGGBB
    };
    for (auto [x, y] : {std::pair{1, 1}, {12, 8}, {23, 15}})
        EXPECT_EQ(pixel(x, y), 0xFF8000u) << x << "," << y;
    for (auto [x, y] : {std::pair{0, 0}, {12, 0}, {24, 8}, {12, 16}, {0, 16}})
        EXPECT_EQ(pixel(x, y), 0x000000u) << x << "," << y;
}

TEST_F(LinkStyleTest, WithoutAutomaticModeTheUsersOwnTemplateIsFilled)
{
    Access::Button(*window, 4).clicked();  // no article yet: the template alone is written
    const std::string generated = Access::Text7(*window);
    ASSERT_FALSE(generated.empty());
    EXPECT_FALSE(TemplateBox().is_sensitive());

    Tick(3);
    EXPECT_TRUE(TemplateBox().is_sensitive());
    EXPECT_EQ(Access::Text7(*window), generated);

    Access::SetText7(*window,
                     "[linkajout]<[linklire]>[linkajout] [LinkAjout][linkajout ][linkajout]");
    Tick(1);  // captions and colours no longer reach the template
    StartArticle("42");
    Access::Button(*window, 4).clicked();
    const std::string add = Access::Text5(*window);
    const std::string read = Access::Text6(*window);
    EXPECT_NE(add.find("id_article=42"), std::string::npos);
    EXPECT_EQ(read, "http://" + Access::Text1(*window) + "/42_comment_1.html?1");
    EXPECT_EQ(Access::Text8(*window),
              add + "<" + read + ">" + add + " [LinkAjout][linkajout ]" + add);
    EXPECT_EQ(Access::Text7(*window),
              "[linkajout]<[linklire]>[linkajout] [LinkAjout][linkajout ][linkajout]");

    Tick(3);
    EXPECT_FALSE(TemplateBox().is_sensitive());
    EXPECT_EQ(Access::Text7(*window),
              "[linkajout]<[linklire]>[linkajout] [LinkAjout][linkajout ][linkajout]");
    Access::Button(*window, 4).clicked();
    EXPECT_EQ(Access::Text7(*window),
              "[a=[linkajout]][c=#333333][s][x=#800080-#80FFFF][g]Ajouter un commentaire[/g] "
              "[g]/[/g][/x][/a][a=[linklire]][c=#333333][s][x=#80FFFF-#800080] [g]Lire les "
              "commentaires[/g][/x][/a]");
}

// Plays the user in the real colour chooser dialogs: at each opening it notes what the
// dialog shows, maybe picks another colour, then confirms or cancels.
struct ColourDialogUser {
    struct Step {
        std::optional<std::string> pick;  // a colour as GDK parses it, e.g. "#0A0B0C"
        Gtk::ResponseType answer;
    };
    struct Opening {
        Gtk::ColorChooserDialog* dialog;
        std::string shown;  // GDK's own "rgb(r,g,b)" text of the colour shown on opening
        bool modal;
        Gtk::Window* owner;
    };
    std::deque<Step> steps;
    std::vector<Opening> openings;

    bool Act()
    {
        for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
            auto* dialog = dynamic_cast<Gtk::ColorChooserDialog*>(window);
            if (!dialog || !dialog->get_visible())
                continue;
            openings.push_back({dialog, dialog->get_rgba().to_string(), dialog->get_modal(),
                                dialog->get_transient_for()});
            const Step step =
                steps.empty() ? Step{std::nullopt, Gtk::RESPONSE_CANCEL} : steps.front();
            if (!steps.empty())
                steps.pop_front();
            if (step.pick)
                dialog->set_rgba(Gdk::RGBA(*step.pick));
            dialog->response(step.answer);
        }
        return true;
    }
};

TEST(RealColourPickerTest, ConfirmedColoursStayAndCancelledChangesAreForgotten)
{
    GtkDesktopServices desktop;
    // Another window on screen, as the About window may be: the pickers still belong to the
    // main window.
    Gtk::Window otherWindow;
    otherWindow.show();
    MainWindow::Options options;
    options.browser.proxyAddress = "http://127.0.0.1:9";
    MainWindow window(desktop, options);
    window.show();
    ASSERT_TRUE(RunMainLoopUntil([&] { return window.get_mapped(); }, 10s));
    ASSERT_TRUE(RunMainLoopUntilIdle(10s));
    ColourSwatch& c1 = MainWindowTestAccess::Swatch(window, 1);
    ColourSwatch& c2 = MainWindowTestAccess::Swatch(window, 2);

    ColourDialogUser user;
    user.steps = {{"#0A0B0C", Gtk::RESPONSE_OK},
                  {"#FF0000", Gtk::RESPONSE_CANCEL},
                  {std::nullopt, Gtk::RESPONSE_CANCEL},
                  {"#FF0000", Gtk::RESPONSE_CANCEL}};
    auto timer = Glib::signal_timeout().connect(sigc::mem_fun(user, &ColourDialogUser::Act), 50);

    ClickAt(c1, 12, 8);
    EXPECT_EQ(c1.Colour(), Picked);
    EXPECT_EQ(ColorToHex(c1.Colour()), "0A0B0C");
    c1.SetColour(Orange);  // a swatch colour that the picker never held
    ClickAt(c1, 12, 8);
    EXPECT_EQ(c1.Colour(), Picked);
    ClickAt(c1, 12, 8);
    EXPECT_EQ(c1.Colour(), Picked);
    ClickAt(c2, 12, 8);
    EXPECT_EQ(c2.Colour(), PaleCyan);
    timer.disconnect();

    ASSERT_EQ(user.openings.size(), 4u);
    EXPECT_EQ(user.openings[0].shown, "rgb(128,0,128)");
    EXPECT_EQ(user.openings[1].shown, "rgb(10,11,12)");
    EXPECT_EQ(user.openings[2].shown, "rgb(10,11,12)");  // the cancelled red is forgotten
    EXPECT_EQ(user.openings[3].shown, "rgb(128,255,255)");
    EXPECT_EQ(user.openings[0].dialog, user.openings[2].dialog);
    EXPECT_NE(user.openings[0].dialog, user.openings[3].dialog);
    for (const auto& opening : user.openings) {
        EXPECT_TRUE(opening.modal);
        EXPECT_EQ(opening.owner, &window);
        EXPECT_FALSE(opening.dialog->get_use_alpha());
    }
    window.hide();
}

}  // namespace
}  // namespace quillomat::testing
