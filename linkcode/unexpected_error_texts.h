#pragma once

#include <string_view>

namespace quillomat::unexpected_error_texts {

// "Erreur inattendue n° NUMBER :\nDESCRIPTION\n\nQuillomat va se fermer."
inline constexpr std::string_view ReportStart = "Erreur inattendue n° ";
inline constexpr std::string_view ReportAfterNumber = " :\n";
inline constexpr std::string_view ReportEnd = "\n\nQuillomat va se fermer.";

inline constexpr std::string_view OutOfMemory = "Mémoire insuffisante";
inline constexpr std::string_view UnknownError = "Erreur inconnue";

}  // namespace quillomat::unexpected_error_texts
