#pragma once

#include <string>
#include <string_view>

namespace quillomat::download_guard_texts {

inline constexpr std::string_view SaveAsTitle = "Enregistrer sous";
inline constexpr std::string_view CancelButton = "_Annuler";
inline constexpr std::string_view SaveButton = "_Enregistrer";
// When the page names no file.
inline constexpr std::string_view UnnamedFile = "telechargement";

inline std::string SavedMessage(std::string_view path)
{
    return "Le fichier a été enregistré :\n" + std::string(path);
}

inline std::string NotSavedMessage(std::string_view fileName, std::string_view reason)
{
    return "Le fichier « " + std::string(fileName) +
           " » n'a pas été enregistré : " + std::string(reason);
}

inline constexpr std::string_view ConnectionLost = "la connexion avec le site a été interrompue.";
inline constexpr std::string_view NotWritable = "il n'a pas pu être écrit à cet endroit.";
inline constexpr std::string_view DownloadFailed = "le téléchargement a échoué.";

}  // namespace quillomat::download_guard_texts
