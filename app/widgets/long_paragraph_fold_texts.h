#pragma once

#include <string_view>

namespace quillomat::long_paragraph_fold_texts {

inline constexpr std::string_view FoldHint =
    "Ligne trop longue pour être affichée en entier : la suite est conservée et copiée avec "
    "le reste du texte.";

}  // namespace quillomat::long_paragraph_fold_texts
