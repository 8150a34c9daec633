#include "app/widgets/shortcut_key.h"

namespace quillomat {

bool KeyCarries(const GdkEventKey& event, std::initializer_list<guint> keyvals)
{
    for (const guint keyval : keyvals)
        if (event.keyval == keyval)
            return true;
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_display_get_default());
    GdkKeymapKey* keys = nullptr;
    guint* levels = nullptr;
    gint count = 0;
    bool carries = false;
    if (gdk_keymap_get_entries_for_keycode(keymap, event.hardware_keycode, &keys, &levels, &count))
        for (gint index = 0; index < count && !carries; ++index)
            for (const guint keyval : keyvals)
                carries = carries || (keys[index].group == event.group && levels[index] == keyval);
    g_free(keys);
    g_free(levels);
    return carries;
}

}  // namespace quillomat
