#pragma once

#include <memory>
#include <string_view>

#include <gtkmm/messagedialog.h>

#include "app/desktop/desktop_services.h"

namespace quillomat {

// A message that stands over a window of the program without holding it, so that pages and
// article detection go on behind it; a new one takes the place of the one on screen.
class NoticeWindow {
public:
    // `parent` must outlive this notice window: the window that owns it, for instance.
    void Show(Gtk::Window& parent, std::string_view text, MessageIcon icon);

private:
    std::unique_ptr<Gtk::MessageDialog> box_;
};

}  // namespace quillomat
