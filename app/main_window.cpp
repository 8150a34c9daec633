#include "app/main_window.h"

#include <sigc++/adaptors/bind.h>

#include <utility>

#include "app/fixed_layout.h"
#include "app/main_window_texts.h"
#include "app/ustring.h"
#include "app/window_look.h"
#include "browser/article_address.h"
#include "browser/service_addresses.h"
#include "linkcode/link_code_generation.h"

namespace quillomat {

namespace texts = main_window_texts;

namespace {

constexpr int ClientWidth = 921;
constexpr int ClientHeight = 528;

constexpr ColorValue InitialOuterColour = 0x800080;   // #800080
constexpr ColorValue InitialMiddleColour = 0xFFFF80;  // #80FFFF, red in the low byte

std::string InitialBlogAddress()
{
    return "monblog." + std::string(PrimaryServiceHost);
}

constexpr std::string_view InitialVoiceBoxId = "12345678";
constexpr std::string_view InitialSkinNumber = "1";
constexpr std::string_view InitialCurrentAddress = "Text9";

}  // namespace

MainWindow::MainWindow(DesktopServices& desktop, const Options& options)
    : desktop_(desktop),
      endProgram_(options.endProgram),
      Text1(InitialBlogAddress()),
      Text2(InitialVoiceBoxId),
      Text3(InitialSkinNumber),
      Text9(std::string(InitialCurrentAddress),
            [this](const std::string& address) { DetectArticle(address); }),
      Command6(ToUString(texts::GoButton)),
      Web1(options.browser),
      Command1(ToUString(texts::SettingsButton)),
      Command2(ToUString(texts::AboutButton)),
      Frame1(texts::LinkParametersFrame, 577, 137),
      Label2(ToUString(texts::AddCaptionLabel)),
      Label3(ToUString(texts::SeparatorLabel)),
      Label6(ToUString(texts::ReadCaptionLabel)),
      Label1(ToUString(texts::ColoursLabel)),
      c1(InitialOuterColour),
      c2(InitialMiddleColour),
      c3(InitialOuterColour),
      Check1(ToUString(texts::BoldCheck)),
      Check2(ToUString(texts::ItalicCheck)),
      Line1(Gtk::ORIENTATION_VERTICAL),
      Check3(ToUString(texts::AutomaticModeCheck)),
      Command4(ToUString(texts::GenerateButton)),
      Frame2(texts::LinkCodeFrame, 321, 137),
      Label4(ToUString(texts::ArticleLabel)),
      Command5(ToUString(texts::CopyButton)),
      CD1(desktop.CreateColourPicker(InitialOuterColour)),
      CD2(desktop.CreateColourPicker(InitialMiddleColour)),
      CD3(desktop.CreateColourPicker(InitialOuterColour))
{
    set_title(ToUString(texts::Caption));
    set_position(Gtk::WIN_POS_CENTER);
    set_default_size(ClientWidth, ClientHeight);
    SetProgramIcon(*this);

    Text13.set_text(ToUString(ServiceHomeAddress()));
    Text10.set_text(ToUString(texts::InitialAddCaption));
    Text11.set_text(ToUString(texts::InitialSeparator));
    Text12.set_text(ToUString(texts::InitialReadCaption));
    Check3.set_active(true);
    Text7.set_sensitive(false);

    PlaceControls();
    ApplyLook();
    ConnectSignals();
    add(layout_);
    layout_.show_all();

    // The user starts in the page, first in the keyboard order.
    Web1.Widget().grab_focus();

    // The load step: the pane opens the service's home page.
    Web1.Navigate(HomePageAddress());
}

void MainWindow::PlaceControls()
{
    layout_.set_size_request(ClientWidth, ClientHeight);
    layout_.set_halign(Gtk::ALIGN_START);
    layout_.set_valign(Gtk::ALIGN_START);

    Place(layout_, Text13, 8, 8, 721, 19);
    Place(layout_, Command6, 736, 8, 81, 17);
    Place(layout_, Web1.Widget(), 8, 32, 809, 345);
    Place(layout_, Command1, 824, 8, 89, 201);
    Place(layout_, Command2, 824, 216, 89, 161);
    layout_.put(Frame1, 8, 384);
    layout_.put(Frame2, 592, 384);

    Frame1.put(Label2, 16, 24);
    Place(Frame1, Text10, 88, 24, 201, 19);
    Frame1.put(Label3, 16, 48);
    Place(Frame1, Text11, 88, 48, 201, 19);
    Frame1.put(Label6, 16, 72);
    Place(Frame1, Text12, 88, 72, 201, 19);
    Frame1.put(Label1, 16, 104);
    Place(Frame1, c1, 128, 104, 25, 17);
    Place(Frame1, c2, 160, 104, 25, 17);
    Place(Frame1, c3, 192, 104, 25, 17);
    Place(Frame1, Check1, 232, 96, 57, 17);
    Place(Frame1, Check2, 232, 112, 65, 17);
    Place(Frame1, Line1, 304, 16, 1, 113);
    Place(Frame1, Check3, 320, 16, 209, 17);
    Place(Frame1, Text7, 320, 40, 241, 73);
    Place(Frame1, Command4, 320, 112, 241, 17);

    Frame2.put(Label4, 16, 16);
    Frame2.put(Label5, 104, 16);
    Place(Frame2, Text8, 16, 32, 289, 73);
    Place(Frame2, Command5, 16, 112, 289, 17);

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

void MainWindow::ConnectSignals()
{
    Command6.signal_clicked().connect(sigc::mem_fun(*this, &MainWindow::OnGoClicked));
    Command1.signal_clicked().connect(sigc::mem_fun(*this, &MainWindow::OnSettingsClicked));
    Command2.signal_clicked().connect(sigc::mem_fun(*this, &MainWindow::OnAboutClicked));
    Command4.signal_clicked().connect(sigc::mem_fun(*this, &MainWindow::OnGenerateClicked));
    Command5.signal_clicked().connect(sigc::mem_fun(*this, &MainWindow::OnCopyClicked));
    Web1.signal_location_changed().connect(sigc::mem_fun(*this, &MainWindow::MirrorCurrentAddress));
    Web1.signal_recovery_abandoned().connect(
        sigc::mem_fun(*this, &MainWindow::OnBrowserRecoveryAbandoned));
    for (auto [swatch, picker] : {std::pair{&c1, CD1.get()}, {&c2, CD2.get()}, {&c3, CD3.get()}})
        swatch->signal_clicked().connect(
            sigc::bind(sigc::mem_fun(*this, &MainWindow::OnSwatchClicked), swatch, picker));
    Check1.signal_toggled().connect(sigc::mem_fun(*this, &MainWindow::OnBoldToggled));
    Check2.signal_toggled().connect(sigc::mem_fun(*this, &MainWindow::OnItalicToggled));
    Check3.signal_toggled().connect(sigc::mem_fun(*this, &MainWindow::OnAutomaticModeToggled));
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
    if (Web1.HandleShortcut(*event) || paneFocus_.OnKeyPress(*this, *event))
        return true;
    return Gtk::Window::on_key_press_event(event);
}

bool MainWindow::on_focus(Gtk::DirectionType direction)
{
    return paneFocus_.OnFocus(*this, direction) || Gtk::Window::on_focus(direction);
}

bool MainWindow::GenerateLinkCode()
{
    LinkCodeFields fields;
    fields.firstColour = c1.Colour();
    fields.middleColour = c2.Colour();
    fields.lastColour = c3.Colour();
    fields.skinNumber = Text3;
    fields.automaticMode = Check3.get_active();
    fields.addCaption = Text10.get_text();
    fields.separator = Text11.get_text();
    fields.readCaption = Text12.get_text();
    fields.articleShown = Label5.get_text();
    fields.articleNumber = Text4;
    fields.voiceBoxId = Text2;
    fields.blogAddress = Text1;
    fields.linkTemplate = Text7.Text();

    LinkCodeResult result = ComputeLinkCode(fields);
    if (fields.automaticMode)
        Text7.SetText(result.linkTemplate);
    if (!result.articleInProgress) {
        desktop_.ShowMessage(texts::NoArticleError, MessageIcon::Error, ApplicationTitle);
        desktop_.ShowMessage(texts::NoArticleAdvice, MessageIcon::Information, ApplicationTitle);
        return false;
    }
    Text5 = std::move(result.addCommentAddress);
    Text6 = std::move(result.readCommentsAddress);
    Text8.SetText(result.linkCode);
    return true;
}

void MainWindow::CopyLinkCode()
{
    desktop_.PutTextOnClipboard(Text8.Text());
    desktop_.ShowMessage(texts::CopyDoneMessage, MessageIcon::Information, texts::CopyDoneTitle);
}

void MainWindow::DetectArticle(const std::string& address)
{
    ArticleMatch match = ArticleNumberFromAddress(address);
    if (!match.accepted) {
        Label5.set_text("");
        return;
    }
    Text4 = std::move(match.number);
    Label5.set_text(ToUString(Text4));
    // Copying after a refusal would announce the previous article's code as this one's.
    if (GenerateLinkCode())
        CopyLinkCode();
}

void MainWindow::MirrorCurrentAddress()
{
    Text9.Store(Web1.LocationURL());
}

void MainWindow::OnGoClicked()
{
    Web1.Navigate(Text13.get_text());
}

void MainWindow::OnGenerateClicked()
{
    GenerateLinkCode();
}

void MainWindow::OnBrowserRecoveryAbandoned()
{
    desktop_.ShowMessage(texts::BrowserKeptStopping, MessageIcon::Error, ApplicationTitle);
}

void MainWindow::OnCopyClicked()
{
    CopyLinkCode();
}

void MainWindow::OnSwatchClicked(ColourSwatch* swatch, ColourPicker* picker)
{
    swatch->SetColour(picker->ShowColor());
}

void MainWindow::OnBoldToggled()
{
    ApplyCaptionTags(BoldTags, Check1.get_active());
}

void MainWindow::OnItalicToggled()
{
    ApplyCaptionTags(ItalicTags, Check2.get_active());
}

void MainWindow::ApplyCaptionTags(StyleTags tags, bool ticked)
{
    for (Gtk::Entry* caption : {&Text10, &Text11, &Text12}) {
        const std::string text = caption->get_text();
        caption->set_text(ToUString(ticked ? WrapInTags(text, tags) : RemoveTags(text, tags)));
    }
}

void MainWindow::OnAutomaticModeToggled()
{
    // Automatic mode rewrites the template on each run, so the box is only for a template of
    // the user's own.
    Text7.set_sensitive(!Check3.get_active());
}

}  // namespace quillomat
