#include "app/main_window/main_window.h"

#include <gdkmm/screen.h>
#include <sigc++/adaptors/bind.h>

#include <utility>

#include "app/look/ustring.h"
#include "app/look/window_look.h"
#include "app/main_window/main_window_texts.h"
#include "app/widgets/accessible_names.h"
#include "browser/service_addresses.h"

namespace quillomat {

namespace texts = main_window_texts;

namespace {

constexpr int LinkCodeFrameWidth = 321;
constexpr int ArticleX = 104;

constexpr ColorValue InitialOuterColour = 0x800080;   // #800080
constexpr ColorValue InitialMiddleColour = 0xFFFF80;  // #80FFFF, red in the low byte

}  // namespace

MainWindow::MainWindow(DesktopServices& desktop, const Options& options)
    : desktop_(desktop),
      endProgram_(options.endProgram),
      layout_(ClientWidth, ClientHeight),
      Command6(ToUString(texts::GoButton)),
      Web1(options.browser, *this, desktop),
      Command1(ToUString(texts::SettingsButton)),
      Command2(ToUString(texts::AboutButton)),
      Frame1(texts::LinkParametersFrame, 577, 137),
      Label2(ToUString(texts::AddCaptionLabel)),
      Label3(ToUString(texts::SeparatorLabel)),
      Label6(ToUString(texts::ReadCaptionLabel)),
      Label1(ToUString(texts::ColoursLabel)),
      c1(InitialOuterColour, texts::FirstColourName, texts::FirstColourKey),
      c2(InitialMiddleColour, texts::MiddleColourName, texts::MiddleColourKey),
      c3(InitialOuterColour, texts::LastColourName, texts::LastColourKey),
      Check1(ToUString(texts::BoldCheck)),
      Check2(ToUString(texts::ItalicCheck)),
      Line1(Gtk::ORIENTATION_VERTICAL),
      Check3(ToUString(texts::AutomaticModeCheck)),
      Command4(ToUString(texts::GenerateButton)),
      Frame2(texts::LinkCodeFrame, LinkCodeFrameWidth, 137),
      Label4(ToUString(texts::ArticleLabel)),
      Command5(ToUString(texts::CopyButton)),
      CD1(desktop.CreateColourPicker(*this, InitialOuterColour)),
      CD2(desktop.CreateColourPicker(*this, InitialMiddleColour)),
      CD3(desktop.CreateColourPicker(*this, InitialOuterColour))
{
    set_title(ToUString(texts::Caption));
    set_position(Gtk::WIN_POS_CENTER);
    SetProgramIcon(*this);

    Text13.set_text(ToUString(ServiceHomeAddress()));
    Text10.set_text(ToUString(texts::InitialAddCaption));
    Text11.set_text(ToUString(texts::InitialSeparator));
    Text12.set_text(ToUString(texts::InitialReadCaption));
    Check3.set_active(true);
    Text7.set_sensitive(false);

    // The main use's boxes stand over this window.
    desktop_.SetMainWindow(this);
    PlaceControls();
    ApplyLook();
    NameForScreenReaders();
    ConnectSignals();
    FitScreen();
    add(layout_);
    layout_.show_all();

    // The user starts in the page, first in the keyboard order.
    Web1.Widget().grab_focus();
}

MainWindow::~MainWindow()
{
    desktop_.SetMainWindow(nullptr);
}

void MainWindow::PlaceControls()
{
    layout_.set_halign(Gtk::ALIGN_START);
    layout_.set_valign(Gtk::ALIGN_START);

    layout_.Place(Text13, 8, 8, 721, 19);
    layout_.Place(Command6, 736, 8, 81, 17);
    layout_.Place(Web1.Area(), 8, 32, 809, 345);
    layout_.Place(Command1, 824, 8, 89, 201);
    layout_.Place(Command2, 824, 216, 89, 161);
    layout_.Put(Frame1, 8, 384);
    layout_.Put(Frame2, 592, 384);

    Frame1.PutLabel(Label2, 16, 24);
    Frame1.Place(Text10, 88, 24, 201, 19);
    Frame1.PutLabel(Label3, 16, 48);
    Frame1.Place(Text11, 88, 48, 201, 19);
    Frame1.PutLabel(Label6, 16, 72);
    Frame1.Place(Text12, 88, 72, 201, 19);
    Frame1.PutLabel(Label1, 16, 104);
    Frame1.Place(c1, 128, 104, 25, 17);
    Frame1.Place(c2, 160, 104, 25, 17);
    Frame1.Place(c3, 192, 104, 25, 17);
    Frame1.Place(Check1, 232, 96, 57, 17);
    Frame1.Place(Check2, 232, 112, 65, 17);
    Frame1.Place(Line1, 304, 16, 1, 113);
    Frame1.Place(Check3, 320, 16, 209, 17);
    Frame1.Place(Text7, 320, 40, 241, 73);
    Frame1.Place(Command4, 320, 112, 241, 17);

    Frame2.PutLabel(Label4, 16, 16);
    Frame2.PutLabel(Label5, ArticleX, 16);
    FitArticleLabel();
    Frame2.Place(Text8, 16, 32, 289, 73);
    Frame2.Place(Command5, 16, 112, 289, 17);

    focusOrder_ = FocusOrder({&Web1.Widget(), &Command1, &Command2, &Text10, &Text11, &Text12,
                              &Command4, &Check1, &Check2, &Text8.View(), &Text7.View(), &Command5,
                              &Text13, &Command6, &Check3});
}

void MainWindow::ApplyLook()
{
    MarkAsProgramWindow(*this);
    for (Gtk::Button* button : {&Command6, &Command1, &Command2, &Command4, &Command5})
        MarkAsWhiteButton(*button);
    for (Gtk::Widget* control : std::initializer_list<Gtk::Widget*>{&Command1, &Command2, &Command4,
                                                                    &Command5, &Check1, &Label5})
        MarkAsBold(*control);
    MarkAsItalic(Check2);
    // Wide captions on tall buttons wrap, as on the design.
    for (Gtk::Button* button : {&Command1, &Command2})
        if (auto* caption = dynamic_cast<Gtk::Label*>(button->get_child()))
            caption->set_line_wrap(true);
}

void MainWindow::NameForScreenReaders()
{
    NameAfterLabel(Text10, Label2);
    NameAfterLabel(Text11, Label3);
    NameAfterLabel(Text12, Label6);
    LabelledBy(Label5, Label4);
    // Heard as the frame's own text when the focus enters it: the swatches take no focus.
    SetAccessibleName(Label1, texts::ColoursLabelName);
    SetAccessibleName(Web1.Widget(), texts::BrowserName);
    SetAccessibleName(Text13, texts::AddressBoxName);
    SetAccessibleName(Text7.View(), texts::TemplateBoxName);
    SetAccessibleName(Text8.View(), texts::CodeBoxName);
}

void MainWindow::ConnectSignals()
{
    Command6.signal_clicked().connect(sigc::mem_fun(*this, &MainWindow::OnGoClicked));
    Command1.signal_clicked().connect(sigc::mem_fun(*this, &MainWindow::OnSettingsClicked));
    Command2.signal_clicked().connect(sigc::mem_fun(*this, &MainWindow::OnAboutClicked));
    Command4.signal_clicked().connect(sigc::mem_fun(mainUse_, &MainUse::OnGenerateClicked));
    Command5.signal_clicked().connect(sigc::mem_fun(mainUse_, &MainUse::OnCopyClicked));
    Web1.signal_location_changed().connect(sigc::mem_fun(*this, &MainWindow::MirrorCurrentAddress));
    Web1.signal_user_acted().connect(sigc::mem_fun(mainUse_, &MainUse::OnUserActedInPage));
    Web1.signal_recovery_abandoned().connect(
        sigc::mem_fun(*this, &MainWindow::OnBrowserRecoveryAbandoned));
    for (auto [swatch, picker] : {std::pair{&c1, CD1.get()}, {&c2, CD2.get()}, {&c3, CD3.get()}})
        swatch->signal_click().connect(
            sigc::bind(sigc::mem_fun(*this, &MainWindow::OnSwatchClicked), swatch, picker));
    for (auto [check, tags] : {std::pair{&Check1, BoldTags}, {&Check2, ItalicTags}})
        check->signal_toggled().connect(
            sigc::bind(sigc::mem_fun(*this, &MainWindow::OnStyleToggled), check, tags));
    Check3.signal_toggled().connect(sigc::mem_fun(*this, &MainWindow::OnAutomaticModeToggled));
    Frame2.signal_rescaled().connect(sigc::mem_fun(*this, &MainWindow::FitArticleLabel));
    get_screen()->property_resolution().signal_changed().connect(
        sigc::mem_fun(*this, &MainWindow::FitScreen));
    get_screen()->signal_monitors_changed().connect(sigc::mem_fun(*this, &MainWindow::FitScreen));
    signal_map_event().connect(sigc::mem_fun(*this, &MainWindow::OnMappedMeasureFrame));
}

void MainWindow::FitArticleLabel()
{
    // A long number stops at the inner edge of the frame's one-pixel border.
    Label5.SetMaxWidth(Frame2.Scaled(LinkCodeFrameWidth) - Frame2.Scaled(ArticleX) - 1);
}

void MainWindow::on_realize()
{
    Gtk::Window::on_realize();
    // A resizable border with a minimise button but no maximise button.
    get_window()->set_functions(Gdk::FUNC_RESIZE | Gdk::FUNC_MOVE | Gdk::FUNC_MINIMIZE |
                                Gdk::FUNC_CLOSE);
    get_window()->set_decorations(Gdk::DECOR_BORDER | Gdk::DECOR_RESIZEH | Gdk::DECOR_TITLE |
                                  Gdk::DECOR_MENU | Gdk::DECOR_MINIMIZE);
}

bool MainWindow::on_key_press_event(GdkEventKey* event)
{
    // Before the pane's keys: the colour keys work wherever the focus is, the page included.
    if (OnColourKey(*event) || Web1.HandleShortcut(*event) || paneFocus_.OnKeyPress(*this, *event))
        return true;
    return Gtk::Window::on_key_press_event(event);
}

bool MainWindow::on_focus(Gtk::DirectionType direction)
{
    return paneFocus_.OnFocus(*this, direction) || Gtk::Window::on_focus(direction);
}

ShownControls MainWindow::Read() const
{
    return {{c1.Colour(), c2.Colour(), c3.Colour()},
            Check3.get_active(),
            Text10.get_text(),
            Text11.get_text(),
            Text12.get_text(),
            Label5.get_text(),
            Text7.Text(),
            Text8.Text()};
}

void MainWindow::ShowArticle(const std::string& number)
{
    Label5.set_text(ToUString(number));
}

void MainWindow::ShowLinkTemplate(const std::string& text)
{
    Text7.SetText(text);
}

void MainWindow::ShowLinkCode(const std::string& text)
{
    Text8.SetText(text);
}

}  // namespace quillomat
