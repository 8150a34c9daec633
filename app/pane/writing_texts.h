#pragma once

#include <string>
#include <string_view>

// The pane's aids to writing: the find bar and the spelling entries of the page's menu.
namespace quillomat::writing_texts {

inline constexpr std::string_view FindFieldName = "Rechercher dans la page";
inline constexpr std::string_view PreviousButton = "Précédent";
inline constexpr std::string_view PreviousTip = "Occurrence précédente (Maj+F3)";
inline constexpr std::string_view NextButton = "Suivant";
inline constexpr std::string_view NextTip = "Occurrence suivante (F3)";
inline constexpr std::string_view CloseButton = "Fermer";
inline constexpr std::string_view CloseTip = "Fermer la recherche (Échap)";
inline constexpr std::string_view NoMatch = "Aucun résultat";

// "3 sur 12": the match shown, among all.
inline std::string MatchPlace(unsigned index, unsigned count)
{
    return std::to_string(index) + " sur " + std::to_string(count);
}

inline constexpr std::string_view IgnoreWordItem = "_Ignorer";
inline constexpr std::string_view AddWordItem = "_Ajouter au dictionnaire";

}  // namespace quillomat::writing_texts
