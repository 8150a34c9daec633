#pragma once

#include <memory>
#include <string_view>

#include <gtkmm/messagedialog.h>

#include "app/desktop/desktop_services.h"

namespace quillomat {

// A message that does not wait for the user: it stands over the program's windows without
// holding them, so that pages and article detection go on behind it. A new message takes the
// place of the one on screen rather than piling up.
class NoticeWindow {
public:
    void Show(Gtk::Window* owner, std::string_view text, MessageIcon icon);

private:
    std::unique_ptr<Gtk::MessageDialog> box_;
};

}  // namespace quillomat
