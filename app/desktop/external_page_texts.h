#pragma once

#include <string_view>

namespace quillomat::external_page_texts {

// "Impossible d'ouvrir la page ADDRESS dans le navigateur : REASON"
inline constexpr std::string_view FailureStart = "Impossible d'ouvrir la page ";
inline constexpr std::string_view FailureMiddle = " dans le navigateur : ";
// Followed by the scheme, as "http://".
inline constexpr std::string_view NoBrowserReason =
    "aucun navigateur web n'est choisi par défaut pour les adresses ";
// Followed by the browser's name or the launch error, then ")".
inline constexpr std::string_view LaunchFailedReason = "le navigateur n'a pas pu être lancé (";

}  // namespace quillomat::external_page_texts
