#include "app/desktop/notice_window.h"

#include <gtkmm/image.h>
#include <sigc++/adaptors/hide.h>

#include "app/desktop/message_box_text.h"
#include "app/look/ustring.h"
#include "main_use/program_end.h"

namespace quillomat {

void NoticeWindow::Show(Gtk::Window& parent, std::string_view text, MessageIcon icon)
{
    // The one on screen goes first, and with it any tie of a new window to it.
    box_.reset();
    if (ProgramEnding())
        return;
    const bool isError = icon == MessageIcon::Error;
    box_ = std::make_unique<Gtk::MessageDialog>(ToUString(text), false,
                                                isError ? Gtk::MESSAGE_ERROR : Gtk::MESSAGE_INFO,
                                                Gtk::BUTTONS_NONE, false);
    box_->set_title(ToUString(ApplicationTitle));
    BreakLongWords(*box_);
    box_->add_button("OK", Gtk::RESPONSE_OK);
    box_->set_default_response(Gtk::RESPONSE_OK);
    // GTK 3 no longer draws the message type's icon by itself.
    auto* image = Gtk::make_managed<Gtk::Image>();
    image->set_from_icon_name(isError ? "dialog-error" : "dialog-information",
                              Gtk::ICON_SIZE_DIALOG);
    box_->set_image(*image);
    image->show();
    box_->set_transient_for(parent);
    box_->set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    box_->signal_response().connect(sigc::hide(sigc::mem_fun(*box_, &Gtk::Widget::hide)));
    box_->show();
}

}  // namespace quillomat
