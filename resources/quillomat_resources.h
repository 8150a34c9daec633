/* Access to the pictures and style sheet built into Quillomat.
 *
 * The bundle is registered automatically when the program starts, so the
 * files can be read with g_resources_lookup_data(),
 * Gdk::Pixbuf::create_from_resource() or Gtk::CssProvider::load_from_resource()
 * under the prefix QUILLOMAT_RESOURCE_PREFIX. Calling quillomat_get_resource()
 * somewhere in the program also makes sure the linker keeps the bundle, which
 * lives in a static library.
 */
#ifndef QUILLOMAT_RESOURCES_H
#define QUILLOMAT_RESOURCES_H

#include <gio/gio.h>

#define QUILLOMAT_RESOURCE_PREFIX "/org/quillomat/Quillomat/"

G_BEGIN_DECLS

/* The bundle itself; owned by the library, do not unref. */
GResource* quillomat_get_resource(void);

G_END_DECLS

#endif /* QUILLOMAT_RESOURCES_H */
