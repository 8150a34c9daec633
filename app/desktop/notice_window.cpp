#include "app/desktop/notice_window.h"

#include <sigc++/adaptors/hide.h>

#include "app/desktop/message_box_text.h"
#include "main_use/program_end.h"

namespace quillomat {

void NoticeWindow::Show(Gtk::Window& parent, std::string_view text, MessageIcon icon)
{
    // The one on screen goes first, and with it any tie of a new window to it.
    box_.reset();
    if (ProgramEnding())
        return;
    box_ = MakeMessageBox(text, icon, ApplicationTitle, false, &parent);
    box_->signal_response().connect(sigc::hide(sigc::mem_fun(*box_, &Gtk::Widget::hide)));
    box_->show();
}

}  // namespace quillomat
