#pragma once

#include <string_view>

namespace quillomat {

// The blog service's two host names: the program's only configuration.
inline constexpr std::string_view PrimaryServiceHost = "skyblog.com";
inline constexpr std::string_view SecondaryServiceHost = "skyrock.com";

}  // namespace quillomat
