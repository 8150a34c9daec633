#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillomat {

// The most bytes a file name may take on the usual Linux file systems.
inline constexpr std::size_t MaxFileNameBytes = 255;

// The name a page suggests for a file to save, made fit to offer in the save dialog: a plain,
// visible name in the folder the user chooses (path separators, control characters and the
// characters that turn text around replaced by "_", no leading dot), valid UTF-8, and no longer
// than a file system takes, cut at a character boundary with its extension kept. Empty when
// nothing of the name is left.
std::string SafeDownloadName(std::string_view suggested);

}  // namespace quillomat
