#pragma once

#include <initializer_list>

#include <gdk/gdk.h>

namespace quillomat {

// Whether the key pressed carries one of `keyvals` on any level, as the toolkit's shortcuts match:
// Ctrl+0 and Alt+1 are the same keys on a French keyboard, where digits need Shift.
bool KeyCarries(const GdkEventKey& event, std::initializer_list<guint> keyvals);

}  // namespace quillomat
