#pragma once

#include <string_view>

namespace quillomat::main_window_texts {

inline constexpr std::string_view Caption = ".:: Quillomat [ version 2 ] par Brennic ::.";

inline constexpr std::string_view GoButton = "Aller à...";
inline constexpr std::string_view SettingsButton = "Réglages...";
inline constexpr std::string_view AboutButton = "Informations";
inline constexpr std::string_view LinkParametersFrame = "Paramètres des liens...";
inline constexpr std::string_view AddCaptionLabel = "Ajouter :";
inline constexpr std::string_view SeparatorLabel = "Séparateur :";
inline constexpr std::string_view ReadCaptionLabel = "Lire :";
inline constexpr std::string_view ColoursLabel = "Couleurs du texte : ";
inline constexpr std::string_view BoldCheck = "gras";
inline constexpr std::string_view ItalicCheck = "italique";
inline constexpr std::string_view AutomaticModeCheck = "Code généré automatiquement";
inline constexpr std::string_view GenerateButton = "Créer les liens pour l'article en cours...";
inline constexpr std::string_view LinkCodeFrame = "Code des liens...";
inline constexpr std::string_view ArticleLabel = "Article en cours :";
inline constexpr std::string_view CopyButton = "Copier";

// What a screen reader announces for the controls that have no caption beside them.
inline constexpr std::string_view BrowserName = "Navigateur";
inline constexpr std::string_view AddressBoxName = "Adresse";
inline constexpr std::string_view TemplateBoxName = "Modèle";
inline constexpr std::string_view CodeBoxName = "Code des liens";
inline constexpr std::string_view FirstColourName = "Couleur de début";
inline constexpr std::string_view MiddleColourName = "Couleur du milieu";
inline constexpr std::string_view LastColourName = "Couleur de fin";
// The keys that open the three colour dialogs, wherever the focus is in the window.
inline constexpr std::string_view FirstColourKey = "Alt+1";
inline constexpr std::string_view MiddleColourKey = "Alt+2";
inline constexpr std::string_view LastColourKey = "Alt+3";
// The caption before the swatches as a screen reader tells it, with those keys.
inline constexpr std::string_view ColoursLabelName = "Couleurs du texte : Alt+1, Alt+2 et Alt+3";

inline constexpr std::string_view InitialAddCaption = "Ajouter un commentaire";
inline constexpr std::string_view InitialSeparator = "/";
inline constexpr std::string_view InitialReadCaption = "Lire les commentaires";

inline constexpr std::string_view BrowserKeptStopping =
    "Le navigateur intégré s'est arrêté plusieurs fois en une minute : la page a été vidée.\n"
    "Vos réglages et votre code sont conservés. Utilisez « Aller à... » pour rouvrir une page.";

}  // namespace quillomat::main_window_texts
