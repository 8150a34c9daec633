#pragma once

#include <glibmm/ustring.h>

#include <string_view>

namespace quillomat {

inline Glib::ustring ToUString(std::string_view text)
{
    // Byte-wise: the (pointer, count) constructor counts characters, not bytes.
    return Glib::ustring(std::string(text));
}

}  // namespace quillomat
