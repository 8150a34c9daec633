#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gdkmm/rgba.h>
#include <glibmm/main.h>
#include <gtkmm/colorchooserdialog.h>
#include <gtkmm/window.h>

#include <map>
#include <optional>

#include "app/desktop/gtk_desktop_services.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string Add = "Ajouter un commentaire";
const std::string Read = "Lire les commentaires";
constexpr ColorValue PaleCyan = 16777088;  // #80FFFF
constexpr ColorValue Picked = 789258;      // #0A0B0C
constexpr ColorValue Orange = 0x0080FF;    // #FF8000

// A left click at (x, y) in the widget, delivered as GTK delivers a real one so that modal grabs
// apply: to a button's own input window when on it, else to the window beneath, as X would.
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

using Captions = std::vector<std::string>;

class LinkStyleTest : public MainWindowTest {
protected:
    void SetUp() override { OpenWindow(); }

    Captions CaptionTexts()
    {
        return {Access::Caption(*window, 10).get_text(), Access::Caption(*window, 11).get_text(),
                Access::Caption(*window, 12).get_text()};
    }
    void Tick(int check) { Access::Check(*window, check).clicked(); }
    ColorValue SwatchColour(int index) { return Access::Swatch(*window, index).Colour(); }
    Gtk::Widget& TemplateBox() { return Access::FocusTarget(*window, "Text7"); }
};

// A click of bold (1) or italic (2) and the three captions then seen, if given; or them typed.
struct Step {
    int tick;
    Captions captions = {};
};
constexpr int Type = 0;

struct TickCase {
    const char* name;
    std::vector<Step> steps;
    friend void PrintTo(const TickCase& c, std::ostream* out) { *out << c.name; }
};

class CaptionTagsTest : public LinkStyleTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(CaptionTagsTest, TickingWrapsTheCaptionsAndUntickingRemovesTheTags)
{
    std::map<int, bool> ticked;
    for (const auto& [tick, captions] : GetParam().steps) {
        if (tick == Type) {
            for (int caption : {10, 11, 12})
                Access::Caption(*window, caption).set_text(captions[caption - 10]);
            continue;
        }
        Tick(tick);
        ticked[tick] = !ticked[tick];
        EXPECT_EQ(Access::Check(*window, tick).get_active(), ticked[tick]);
        if (!captions.empty()) {
            EXPECT_EQ(CaptionTexts(), captions);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, CaptionTagsTest,
    ::testing::Values(
        TickCase{"BoldWrapsEveryCaptionOnce",
                 {{1, {"[g]" + Add + "[/g]", "[g]/[/g]", "[g]" + Read + "[/g]"}},
                  // Typed after the tick: it stays where it was typed, not wrapped again.
                  {Type, {"[g]" + Add + "[/g]", "[g]/[/g]-", "[g]" + Read + "[/g]"}},
                  {1, {Add, "/-", Read}}}},
        TickCase{
            "TheBoxTickedLastGivesTheOutermostTags",
            {{1},
             {2, {"[i][g]" + Add + "[/g][/i]", "[i][g]/[/g][/i]", "[i][g]" + Read + "[/g][/i]"}},
             {1, {"[i]" + Add + "[/i]", "[i]/[/i]", "[i]" + Read + "[/i]"}},
             {2, {Add, "/", Read}},
             {2},
             {1, {"[g][i]" + Add + "[/i][/g]", "[g][i]/[/i][/g]", "[g][i]" + Read + "[/i][/g]"}}}},
        TickCase{"UntickingRemovesTypedTagsInOnePassAndKeepsOtherCases",
                 {{1},
                  {2},
                  {Type, {"Ajou[g]ter[/g] [G]un[/G] [I]x[/I]", "[[g]g]", "[[/i]/i]Lire"}},
                  {1},
                  {2, {"Ajouter [G]un[/G] [I]x[/I]", "[g]", "[/i]Lire"}}}},
        TickCase{"EmptyCaptionsGetBareTagsAndComeBackEmpty",
                 {{Type, {"", "", ""}},
                  {2, {"[i][/i]", "[i][/i]", "[i][/i]"}},
                  {1},
                  // The first cleared by the user while both are ticked.
                  {Type, {"", "[g][i][/i][/g]", "[g][i][/i][/g]"}},
                  {1, {"", "[i][/i]", "[i][/i]"}},
                  {2, {"", "", ""}}}}),
    [](const auto& info) { return info.param.name; });

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

// Alt and a swatch's number open its dialog wherever the focus is; its tool tip names the key.
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
    ColourSwatch& swatch = Access::Swatch(*window, 1);
    ClickAt(swatch, 12, 8);
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

    const std::string own = "[linkajout]<[linklire]>[linkajout] [LinkAjout][linkajout ][linkajout]";
    Access::SetText7(*window, own);
    Tick(1);  // captions and colours no longer reach the template
    Access::Text4(*window) = "42";
    Access::Label5(*window).set_text("42");
    Access::Button(*window, 4).clicked();
    const std::string add = Access::Text5(*window);
    const std::string read = Access::Text6(*window);
    EXPECT_NE(add.find("id_article=42"), std::string::npos);
    EXPECT_EQ(read, "http://" + Access::Text1(*window) + "/42_comment_1.html?1");
    EXPECT_EQ(Access::Text8(*window),
              add + "<" + read + ">" + add + " [LinkAjout][linkajout ]" + add);
    EXPECT_EQ(Access::Text7(*window), own);

    Tick(3);
    EXPECT_FALSE(TemplateBox().is_sensitive());
    EXPECT_EQ(Access::Text7(*window), own);
    Access::Button(*window, 4).clicked();
    EXPECT_EQ(Access::Text7(*window),
              "[a=[linkajout]][c=#333333][s][x=#800080-#80FFFF][g]Ajouter un commentaire[/g] "
              "[g]/[/g][/x][/a][a=[linklire]][c=#333333][s][x=#80FFFF-#800080] [g]Lire les "
              "commentaires[/g][/x][/a]");
}

// Plays the user in the real colour dialogs: notes each and its colour, picks `pick`, answers.
struct ColourDialogUser {
    std::optional<std::string> pick;  // as GDK parses it, e.g. "#0A0B0C"
    Gtk::ResponseType answer;
    std::vector<Gtk::ColorChooserDialog*> dialogs;
    std::vector<std::string> shown;  // as GDK writes it, "rgb(r,g,b)"

    bool Act()
    {
        for (Gtk::ColorChooserDialog* dialog : ShownWindows<Gtk::ColorChooserDialog>()) {
            dialogs.push_back(dialog);
            shown.push_back(dialog->get_rgba().to_string());
            if (pick)
                dialog->set_rgba(Gdk::RGBA(*pick));
            dialog->response(answer);
        }
        return true;
    }
};

// The real colour dialogs, with another window on screen: they still belong to the main window.
class RealColourPickerTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        otherWindow.show();
        OpenWindow("http://127.0.0.1:9", &realDesktop);
    }

    GtkDesktopServices realDesktop;
    Gtk::Window otherWindow;
};

// Each swatch's own dialog keeps its last confirmed colour: a cancel gives that, forgets the rest.
TEST_F(RealColourPickerTest, EachSwatchKeepsItsOwnDialogsLastConfirmedColour)
{
    const struct {
        int swatch;
        std::optional<std::string> pick;
        Gtk::ResponseType answer;
        const char* shown;
        ColorValue colour;  // the swatch's colour afterwards
    } clicks[] = {
        {1, "#0A0B0C", Gtk::RESPONSE_OK, "rgb(128,0,128)", Picked},
        {1, "#FF0000", Gtk::RESPONSE_CANCEL, "rgb(10,11,12)", Picked},
        {1, std::nullopt, Gtk::RESPONSE_CANCEL, "rgb(10,11,12)", Picked},  // the red forgotten
        // Cancelled before anything was ever confirmed in it.
        {2, "#FF0000", Gtk::RESPONSE_CANCEL, "rgb(128,255,255)", PaleCyan},
        {3, "#FF8000", Gtk::RESPONSE_OK, "rgb(128,0,128)", Orange},
        {3, std::nullopt, Gtk::RESPONSE_CANCEL, "rgb(255,128,0)", Orange},
    };
    ColourDialogUser user;
    auto timer = Glib::signal_timeout().connect(sigc::mem_fun(user, &ColourDialogUser::Act), 50);
    for (const auto& click : clicks) {
        ColourSwatch& swatch = Access::Swatch(*window, click.swatch);
        swatch.SetColour(0);  // a colour that no dialog ever held
        user.pick = click.pick;
        user.answer = click.answer;
        ClickAt(swatch, 12, 8);
        ASSERT_EQ(user.shown.size(), &click - clicks + 1);
        EXPECT_EQ(user.shown.back(), click.shown);
        EXPECT_EQ(swatch.Colour(), click.colour);
    }
    timer.disconnect();
    EXPECT_EQ(ColorToHex(Access::Swatch(*window, 1).Colour()), "0A0B0C");
    EXPECT_EQ(Access::Swatch(*window, 2).Colour(), PaleCyan);
    for (Gtk::ColorChooserDialog* dialog : user.dialogs) {
        EXPECT_TRUE(dialog->get_modal());
        EXPECT_EQ(dialog->get_transient_for(), window.get());
        EXPECT_FALSE(dialog->get_use_alpha());
    }
    EXPECT_EQ(user.dialogs[0], user.dialogs[2]);
    EXPECT_EQ(user.dialogs[4], user.dialogs[5]);
    EXPECT_NE(user.dialogs[0], user.dialogs[3]);
    EXPECT_NE(user.dialogs[3], user.dialogs[4]);
}

}  // namespace
}  // namespace quillomat::testing
