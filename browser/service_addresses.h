#pragma once

#include <string>

#include "linkcode/service_hosts.h"

namespace quillomat {

// The page the browser pane opens at start.
inline std::string HomePageAddress()
{
    return "http://www." + std::string(PrimaryServiceHost);
}

// The service's home page as the user writes it: the address box's first text, the settings' link.
inline std::string ServiceHomeAddress()
{
    return "http://" + std::string(PrimaryServiceHost);
}

}  // namespace quillomat
