#pragma once

#include <functional>
#include <memory>

#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

namespace quillomat {

// Tells the user, over the window the pane is in, that the pane's page stopped answering, and
// offers to stop it. It holds nothing: the user may as well wait, or go elsewhere.
class StalledPageNotice {
public:
    StalledPageNotice(Gtk::Window& parent, std::function<void()> stopPage);

    void Show();
    void Hide();

private:
    void OnResponse(int response);

    Gtk::Window& parent_;
    std::function<void()> stopPage_;
    std::unique_ptr<Gtk::MessageDialog> box_;
};

}  // namespace quillomat
