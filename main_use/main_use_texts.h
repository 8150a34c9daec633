#pragma once

#include <string_view>

namespace quillomat::main_use_texts {

inline constexpr std::string_view NoArticleError = "Erreur pas de numéro d'article !";
inline constexpr std::string_view NoArticleAdvice =
    "Vous ne devez pas \"Créer un article\" mais \"Editer\" un article pour avoir ce numéro.";

inline constexpr std::string_view CopyDoneTitle = "Quillomat par Brennic";
inline constexpr std::string_view CopyDoneMessage =
    "Quillomat vient de générer et copier le code pour cet article.\n"
    "Vous pouvez à présent coller vos liens dans votre article!";
// Shown instead of the message above when the clipboard did not take the code.
inline constexpr std::string_view CopyFailedMessage =
    "Quillomat n'a pas pu copier le code : un autre programme occupe le presse-papiers.\n"
    "Cliquez sur « Copier » pour réessayer.";

}  // namespace quillomat::main_use_texts
