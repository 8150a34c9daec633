#pragma once

#include <string_view>

namespace quillomat::stalled_page_notice_texts {

inline constexpr std::string_view Message = "La page ne répond plus.";
inline constexpr std::string_view Detail =
    "Vous pouvez attendre qu'elle se reprenne, l'arrêter, ou aller ailleurs avec « Aller à... ».";
inline constexpr std::string_view WaitButton = "Attendre";
inline constexpr std::string_view StopButton = "Arrêter la page";

}  // namespace quillomat::stalled_page_notice_texts
