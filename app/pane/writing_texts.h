#pragma once

#include <string>
#include <string_view>

// The pane's aids to writing: the find bar and the page's menu, whose captions are GTK's French
// ones for the same actions.
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

// The page's menu; where GTK has no caption of its own, WebKit's French one.
inline constexpr std::string_view IgnoreWordItem = "_Ignorer";
inline constexpr std::string_view AddWordItem = "_Ajouter au dictionnaire";
inline constexpr std::string_view NoGuessItem = "Aucune suggestion trouvée";
inline constexpr std::string_view CutItem = "Co_uper";
inline constexpr std::string_view CopyItem = "_Copier";
inline constexpr std::string_view PasteItem = "C_oller";
inline constexpr std::string_view PlainPasteItem = "Coller en _texte brut";
inline constexpr std::string_view DeleteItem = "_Supprimer";
inline constexpr std::string_view SelectAllItem = "_Tout sélectionner";
inline constexpr std::string_view EmojiItem = "Insérer un _émoji";
inline constexpr std::string_view UnicodeMenu = "_Insérer un caractère de contrôle Unicode";
inline constexpr std::string_view InputMethodsMenu = "_Méthodes de saisie";
inline constexpr std::string_view BackItem = "_Précédent";
inline constexpr std::string_view ForwardItem = "_Suivant";
inline constexpr std::string_view StopItem = "_Arrêter";
inline constexpr std::string_view ReloadItem = "A_ctualiser";
inline constexpr std::string_view OpenLinkItem = "_Ouvrir le lien";
inline constexpr std::string_view OpenLinkInWindowItem =
    "Ouvrir le lien dans une nouvelle _fenêtre";
inline constexpr std::string_view DownloadLinkItem = "_Télécharger la cible du lien";
inline constexpr std::string_view CopyLinkItem = "Copier l’_adresse du lien";
inline constexpr std::string_view OpenImageItem = "Ouvrir l'_image dans une nouvelle fenêtre";
inline constexpr std::string_view SaveImageItem = "_Enregistrer l'image sous";
inline constexpr std::string_view CopyImageItem = "_Copier l'image";
inline constexpr std::string_view CopyImageAddressItem = "Copier l'_adresse de l'image";

}  // namespace quillomat::writing_texts
