// The pictures and style sheet built into Quillomat.
//
// The bundle registers itself when the program starts (the library is linked whole, so the
// linker keeps it), and its files are read under QUILLOMAT_RESOURCE_PREFIX with
// g_resources_lookup_data(), Gdk::Pixbuf::create_from_resource() or
// Gtk::CssProvider::load_from_resource().
#pragma once

#include <gio/gio.h>

#define QUILLOMAT_RESOURCE_PREFIX "/org/quillomat/Quillomat/"

G_BEGIN_DECLS

// The bundle itself; owned by the library, do not unref.
GResource* quillomat_get_resource(void);

G_END_DECLS
