#pragma once

#include <string_view>

namespace quillomat::settings_window_texts {

inline constexpr std::string_view Caption = "Réglages";

inline constexpr std::string_view BlogAddressLabel = "Adresse du blog :";
inline constexpr std::string_view SchemeLabel = "http://";
inline constexpr std::string_view VoiceBoxIdLabel = "ID Boîte Vocale :";
inline constexpr std::string_view VoiceBoxIdExplanation =
    "L'ID Boîte Vocale se trouve dans votre partie \"SKYBLOG VOCAL\" de votre blog. Allez la "
    "récupérer si vous ne l'avez pas encore...";
inline constexpr std::string_view HomePageLink =
    "Cliquez ici pour accéder à la page d'accueil de Skyblog";
inline constexpr std::string_view SkinLabel = "Habillage :";
inline constexpr std::string_view ValidateButton = "Valider";
inline constexpr std::string_view QuitButton = "Quitter";

inline constexpr std::string_view MissingBlogAddress =
    "Vous n'avez pas inscrit votre adresse de blog !";
inline constexpr std::string_view MissingVoiceBoxId =
    "Vous n'avez pas inscrit votre ID Boîte Vocale !";
inline constexpr std::string_view MissingSkin = "Vous n'avez pas inscrit votre habillage de blog !";

}  // namespace quillomat::settings_window_texts
