#include "app/pane/stalled_page_notice.h"

#include <gtkmm/image.h>

#include "app/desktop/desktop_services.h"
#include "app/look/ustring.h"
#include "app/pane/stalled_page_notice_texts.h"

namespace quillomat {

namespace texts = stalled_page_notice_texts;

StalledPageNotice::StalledPageNotice(Gtk::Window& parent, std::function<void()> stopPage)
    : parent_(parent), stopPage_(std::move(stopPage))
{
}

void StalledPageNotice::Show()
{
    if (box_ && box_->get_visible())
        return;
    box_ = std::make_unique<Gtk::MessageDialog>(parent_, ToUString(texts::Message), false,
                                                Gtk::MESSAGE_WARNING, Gtk::BUTTONS_NONE, false);
    box_->set_title(ToUString(ApplicationTitle));
    box_->set_secondary_text(ToUString(texts::Detail));
    box_->add_button(ToUString(texts::WaitButton), Gtk::RESPONSE_CANCEL);
    box_->add_button(ToUString(texts::StopButton), Gtk::RESPONSE_ACCEPT);
    box_->set_default_response(Gtk::RESPONSE_CANCEL);
    // GTK 3 no longer draws the message type's icon by itself.
    auto* image = Gtk::make_managed<Gtk::Image>();
    image->set_from_icon_name("dialog-warning", Gtk::ICON_SIZE_DIALOG);
    box_->set_image(*image);
    image->show();
    box_->set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    box_->signal_response().connect(sigc::mem_fun(*this, &StalledPageNotice::OnResponse));
    box_->show();
}

void StalledPageNotice::Hide()
{
    // Hidden, not destroyed: this may run inside the box's own handler.
    if (box_)
        box_->hide();
}

void StalledPageNotice::OnResponse(int response)
{
    Hide();
    if (response == Gtk::RESPONSE_ACCEPT)
        stopPage_();
}

}  // namespace quillomat
