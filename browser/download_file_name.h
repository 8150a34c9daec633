#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillomat {

// The most bytes a file name may take on the usual Linux file systems.
inline constexpr std::size_t MaxFileNameBytes = 255;

// The name a page suggests for a file to save, made a plain, visible name in the folder chosen
// (path separators, control characters and those that turn text around made "_", no leading dot),
// valid UTF-8, cut to what a file system takes at a character boundary with its extension kept.
// Empty when nothing of the name is left.
std::string SafeDownloadName(std::string_view suggested);

}  // namespace quillomat
