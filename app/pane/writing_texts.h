#pragma once

#include <webkit2/webkit2.h>

#include <string>
#include <string_view>
#include <utility>

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

// The page's menu, by WebKit's action; where GTK has no caption of its own, WebKit's French one.
inline constexpr std::pair<WebKitContextMenuAction, std::string_view> MenuItems[] = {
    {WEBKIT_CONTEXT_MENU_ACTION_IGNORE_SPELLING, "_Ignorer"},
    {WEBKIT_CONTEXT_MENU_ACTION_LEARN_SPELLING, "_Ajouter au dictionnaire"},
    {WEBKIT_CONTEXT_MENU_ACTION_NO_GUESSES_FOUND, "Aucune suggestion trouvée"},
    {WEBKIT_CONTEXT_MENU_ACTION_CUT, "Co_uper"},
    {WEBKIT_CONTEXT_MENU_ACTION_COPY, "_Copier"},
    {WEBKIT_CONTEXT_MENU_ACTION_PASTE, "C_oller"},
    {WEBKIT_CONTEXT_MENU_ACTION_PASTE_AS_PLAIN_TEXT, "Coller en _texte brut"},
    {WEBKIT_CONTEXT_MENU_ACTION_DELETE, "_Supprimer"},
    {WEBKIT_CONTEXT_MENU_ACTION_SELECT_ALL, "_Tout sélectionner"},
    {WEBKIT_CONTEXT_MENU_ACTION_INSERT_EMOJI, "Insérer un _émoji"},
    {WEBKIT_CONTEXT_MENU_ACTION_UNICODE, "_Insérer un caractère de contrôle Unicode"},
    {WEBKIT_CONTEXT_MENU_ACTION_INPUT_METHODS, "_Méthodes de saisie"},
    {WEBKIT_CONTEXT_MENU_ACTION_GO_BACK, "_Précédent"},
    {WEBKIT_CONTEXT_MENU_ACTION_GO_FORWARD, "_Suivant"},
    {WEBKIT_CONTEXT_MENU_ACTION_STOP, "_Arrêter"},
    {WEBKIT_CONTEXT_MENU_ACTION_RELOAD, "A_ctualiser"},
    {WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK, "_Ouvrir le lien"},
    {WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK_IN_NEW_WINDOW,
     "Ouvrir le lien dans une nouvelle _fenêtre"},
    {WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_LINK_TO_DISK, "_Télécharger la cible du lien"},
    {WEBKIT_CONTEXT_MENU_ACTION_COPY_LINK_TO_CLIPBOARD, "Copier l’_adresse du lien"},
    {WEBKIT_CONTEXT_MENU_ACTION_OPEN_IMAGE_IN_NEW_WINDOW,
     "Ouvrir l'_image dans une nouvelle fenêtre"},
    {WEBKIT_CONTEXT_MENU_ACTION_DOWNLOAD_IMAGE_TO_DISK, "_Enregistrer l'image sous"},
    {WEBKIT_CONTEXT_MENU_ACTION_COPY_IMAGE_TO_CLIPBOARD, "_Copier l'image"},
    {WEBKIT_CONTEXT_MENU_ACTION_COPY_IMAGE_URL_TO_CLIPBOARD, "Copier l'_adresse de l'image"},
};

}  // namespace quillomat::writing_texts
