#pragma once

#include <string_view>

namespace quillomat::page_dialogs_texts {

inline constexpr std::string_view PageMessageTitle = "Message de la page";
inline constexpr std::string_view OkButton = "OK";
inline constexpr std::string_view CancelButton = "Annuler";
inline constexpr std::string_view LeavePageQuestion =
    "Quitter cette page ?\nCe que vous y avez saisi pourrait être perdu.";
inline constexpr std::string_view StayButton = "Rester sur la page";
inline constexpr std::string_view LeaveButton = "Quitter la page";
// Ends a page's message too long to be shown whole.
inline constexpr std::string_view MessageCut = "…";

}  // namespace quillomat::page_dialogs_texts
