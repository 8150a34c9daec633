#include "app/windows/about_window.h"

#include <sigc++/adaptors/bind.h>

#include "app/desktop/external_page.h"
#include "app/look/ustring.h"
#include "app/look/window_look.h"
#include "app/windows/about_window_texts.h"

namespace quillomat {

namespace texts = about_window_texts;

namespace {

constexpr int ClientWidth = 312;
constexpr int ClientHeight = 185;
// Where the client area's top left corner stands on the screen.
constexpr int DesignX = 371;
constexpr int DesignY = 347;

constexpr char Picture[] = "about.bmp";
constexpr int PictureWidth = 93;
constexpr int PictureHeight = 137;

}  // namespace

AboutWindow::AboutWindow(DesktopServices& desktop, std::function<void()> closed)
    : desktop_(desktop),
      closed_(std::move(closed)),
      layout_(ClientWidth, ClientHeight),
      Label1(ToUString(texts::NickLabel)),
      Label2(ToUString(texts::BirthDateLabel)),
      Label4(ToUString(texts::BlogLabel)),
      Label5(ToUString(texts::SiteLabel)),
      Label6(ToUString(texts::NickAndLabel)),
      Label7(ToUString(texts::BirthDate)),
      Label9(texts::BlogAddress),
      Label10(texts::SiteCaption),
      Label11(ToUString(texts::Signature)),
      Command1(ToUString(texts::OkButton))
{
    set_title(ToUString(texts::Caption));
    set_resizable(false);
    // The position names the client area, whatever the window manager's frame.
    set_gravity(Gdk::GRAVITY_STATIC);

    Label9.set_tooltip_text(ToUString(texts::BlogLinkTip));
    Label10.set_tooltip_text(ToUString(texts::SiteLinkTip));
    Label9.SetPointer(Gdk::QUESTION_ARROW);
    Label10.SetPointer(Gdk::QUESTION_ARROW);

    PlaceControls();
    ApplyLook();
    ConnectSignals();
    add(layout_);
    layout_.show_all();
}

void AboutWindow::PlaceControls()
{
    layout_.Place(Image1, 8, 8, PictureWidth, PictureHeight);
    FitPicture();
    // Put after the picture so that it frames it on top.
    layout_.Place(Shape1, 8, 8, 94, 137);
    layout_.PutLabel(Label1, 112, 8);
    layout_.PutLabel(Label2, 112, 24);
    layout_.PutLabel(Label4, 112, 48);
    layout_.PutLabel(Label5, 112, 88);
    layout_.PutLabel(Label6, 152, 8);
    layout_.PutLabel(Label7, 232, 24);
    layout_.PutLabel(Label9, 112, 64);
    layout_.PutLabel(Label10, 112, 104);
    layout_.PutLabel(Label11, 144, 128);
    layout_.Place(Command1, 8, 152, 297, 25);
}

void AboutWindow::ApplyLook()
{
    MarkAsProgramWindow(*this);
    GiveFixedBorder(*this);
    for (Gtk::Label* label : {&Label1, &Label2, &Label4, &Label5, &Label11})
        MarkAsBold(*label);
    for (Gtk::Label* label : {&Label1, &Label2, &Label4, &Label5, &Label6, &Label7, &Label11})
        MarkAsBlackText(*label);
    MarkAsLink(Label9.Caption());
    MarkAsLink(Label10.Caption());
}

void AboutWindow::ConnectSignals()
{
    Command1.signal_clicked().connect(sigc::mem_fun(*this, &AboutWindow::OnOkClicked));
    Label9.signal_clicked().connect(
        sigc::bind(sigc::mem_fun(*this, &AboutWindow::OnLinkClicked), texts::BlogAddress));
    Label10.signal_clicked().connect(
        sigc::bind(sigc::mem_fun(*this, &AboutWindow::OnLinkClicked), texts::SiteAddress));
    signal_delete_event().connect(sigc::mem_fun(*this, &AboutWindow::OnCloseRequested));
    layout_.signal_rescaled().connect(sigc::mem_fun(*this, &AboutWindow::FitPicture));
}

void AboutWindow::FitPicture()
{
    Image1.set(
        LoadBundledPicture(Picture, layout_.Scaled(PictureWidth), layout_.Scaled(PictureHeight)));
}

void AboutWindow::Present()
{
    if (!get_visible())
        move(layout_.Scaled(DesignX), layout_.Scaled(DesignY));
    present();
}

void AboutWindow::OnOkClicked()
{
    hide();
}

void AboutWindow::OnLinkClicked(std::string_view address)
{
    OpenExternalPage(desktop_, *this, address);
}

bool AboutWindow::OnCloseRequested(GdkEventAny*)
{
    hide();
    closed_();
    return true;
}

}  // namespace quillomat
