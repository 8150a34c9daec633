#pragma once

#include <gtkmm/window.h>

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

// The window a web view stands in, or none while it stands in no window.
Gtk::Window* WindowOf(WebKitWebView* view);

}  // namespace quillomat
