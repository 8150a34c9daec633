#include "app/windows/settings_window.h"

#include <string>
#include <utility>

#include <gtkmm/togglebutton.h>

#include "app/desktop/external_page.h"
#include "app/look/ustring.h"
#include "app/look/window_look.h"
#include "app/widgets/accessible_names.h"
#include "app/widgets/screen_fit.h"
#include "app/windows/settings_window_texts.h"
#include "browser/service_addresses.h"
#include "linkcode/link_code.h"

namespace quillomat {

namespace texts = settings_window_texts;

namespace {

constexpr int ClientWidth = 281;
constexpr int ClientHeight = 192;

void KeepArrowOutOfFocus(Gtk::Container& comboPart)
{
    comboPart.forall([](Gtk::Widget& part) {
        if (dynamic_cast<Gtk::ToggleButton*>(&part))
            part.set_can_focus(false);
        else if (auto* container = dynamic_cast<Gtk::Container*>(&part))
            KeepArrowOutOfFocus(*container);
    });
}

std::string_view MissingSettingMessage(MissingSetting missing)
{
    return missing == MissingSetting::BlogAddress  ? texts::MissingBlogAddress
           : missing == MissingSetting::VoiceBoxId ? texts::MissingVoiceBoxId
                                                   : texts::MissingSkin;
}

}  // namespace

SettingsWindow::SettingsWindow(DesktopServices& desktop, Owner owner)
    : desktop_(desktop),
      owner_(std::move(owner)),
      layout_(ClientWidth, ClientHeight),
      Label1(ToUString(texts::BlogAddressLabel)),
      Label2(ToUString(texts::VoiceBoxIdExplanation)),
      Label3(ToUString(texts::VoiceBoxIdLabel)),
      Label4(ToUString(texts::SkinLabel)),
      Text3(true),
      Command1(ToUString(texts::ValidateButton)),
      Command2(ToUString(texts::QuitButton)),
      Label5(texts::HomePageLink),
      Label6(ToUString(texts::SchemeLabel)),
      focusOrder_({&Text1, &Text2, Text3.get_entry(), &Command1, &Command2})
{
    set_title(ToUString(texts::Caption));
    set_position(Gtk::WIN_POS_CENTER);
    set_resizable(false);

    for (int skin = 1; skin <= SkinCount; ++skin)
        Text3.append(std::to_string(skin));
    // The list's arrow is no stop of the focus: Tab goes from the text straight to "Valider".
    KeepArrowOutOfFocus(Text3);
    RemoveLengthLimit(*Text3.get_entry());
    // Three lines in a box of fixed size; the limit keeps the box from asking for more height.
    Label2.set_line_wrap(true);
    Label2.set_ellipsize(Pango::ELLIPSIZE_END);
    Label2.set_lines(3);
    Label2.set_max_width_chars(1);
    Label2.set_xalign(0);
    Label2.set_yalign(0);

    PlaceControls();
    ApplyLook();
    NameAfterLabel(Text1, Label1);
    NameAfterLabel(Text2, Label3);
    NameAfterLabel(*Text3.get_entry(), Label4);
    // The combo box holds the text box and the list: a screen reader announces it first.
    SetAccessibleName(Text3, texts::SkinLabel);
    ConnectSignals();
    add(layout_);
    layout_.show_all();
}

void SettingsWindow::PlaceControls()
{
    layout_.PutLabel(Label1, 16, 8);
    layout_.Place(Text1, 160, 8, 113, 19);
    layout_.Place(Label2, 16, 56, 252, 41);
    layout_.PutLabel(Label3, 16, 32);
    layout_.Place(Text2, 128, 32, 145, 19);
    layout_.PutLabel(Label4, 16, 128);
    layout_.Place(Text3, 112, 128, 161, 21);
    layout_.Place(Command1, 8, 160, 129, 25);
    layout_.Place(Command2, 144, 160, 129, 25);
    // As at 96 dpi, the link ends one pixel before the window's edge.
    layout_.PutLabelWithin(Label5, Label5.Caption(), 16, 96, ClientWidth - 16 - 1);
    layout_.PutLabel(Label6, 128, 8);
}

void SettingsWindow::ApplyLook()
{
    MarkAsProgramWindow(*this);
    GiveFixedBorder(*this);
    for (Gtk::Label* label : {&Label1, &Label3, &Label4}) {
        MarkAsBold(*label);
        MarkAsBlackText(*label);
    }
    MarkAsWarningText(Label2);
    MarkAsLink(Label5.Caption());
    MarkAsTextBox(Text3);
    MarkAsTextBox(*Text3.get_entry());
}

void SettingsWindow::ConnectSignals()
{
    Command1.signal_clicked().connect(sigc::mem_fun(*this, &SettingsWindow::OnValidateClicked));
    Command2.signal_clicked().connect(sigc::mem_fun(*this, &SettingsWindow::OnQuitClicked));
    Label5.signal_clicked().connect(sigc::mem_fun(*this, &SettingsWindow::OnHomeLinkClicked));
    signal_delete_event().connect(sigc::mem_fun(*this, &SettingsWindow::OnCloseRequested));
    // Before the toolkit's own Tab handling, which follows the places of the controls.
    signal_key_press_event().connect(sigc::mem_fun(*this, &SettingsWindow::OnKeyPressed), false);
    signal_map_event().connect(sigc::mem_fun(*this, &SettingsWindow::OnMapped));
}

void SettingsWindow::Fill(const BlogSettings& values)
{
    Text1.set_text(ToUString(values.blogAddress));
    Text2.set_text(ToUString(values.voiceBoxId));
    Text3.get_entry()->set_text(ToUString(values.skinNumber));
}

void SettingsWindow::OnValidateClicked()
{
    const SettingsReview review =
        ReviewSettings({Text1.get_text(), Text2.get_text(), Text3.get_entry()->get_text()});
    for (MissingSetting missing : review.missing)
        desktop_.ShowMessage(*this, MissingSettingMessage(missing), MessageIcon::Error,
                             ApplicationTitle);
    if (!review.handedBack)
        return;
    owner_.takeSettings(*review.handedBack);
    hide();
}

void SettingsWindow::OnQuitClicked()
{
    owner_.endProgram();
}

void SettingsWindow::OnHomeLinkClicked()
{
    OpenExternalPage(desktop_, *this, ServiceHomeAddress());
}

bool SettingsWindow::OnKeyPressed(GdkEventKey* event)
{
    return focusOrder_.MoveOnTab(*this, *event);
}

bool SettingsWindow::OnMapped(GdkEventAny*)
{
    // The frame is known once the window is on screen; the place is kept from one opening on.
    if (!std::exchange(placed_, true)) {
        Gdk::Rectangle frame;
        get_window()->get_frame_extents(frame);
        CentreInWorkArea(*this, frame.get_width(), frame.get_height());
    }
    return false;
}

bool SettingsWindow::OnCloseRequested(GdkEventAny*)
{
    hide();
    owner_.closed();
    return true;
}

}  // namespace quillomat
