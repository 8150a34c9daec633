#include "app/pane/view_window.h"

#include <webkit2/webkit2.h>

namespace quillomat {

Gtk::Window* WindowOf(WebKitWebView* view)
{
    GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(view));
    return GTK_IS_WINDOW(toplevel) && gtk_widget_is_toplevel(toplevel)
               ? Glib::wrap(GTK_WINDOW(toplevel))
               : nullptr;
}

}  // namespace quillomat
