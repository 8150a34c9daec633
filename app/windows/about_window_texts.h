#pragma once

#include <string_view>

namespace quillomat::about_window_texts {

inline constexpr std::string_view Caption = "Informations";

inline constexpr std::string_view NickLabel = "Nick :";
inline constexpr std::string_view BirthDateLabel = "Date de naissance :";
inline constexpr std::string_view BlogLabel = "Blog officiel :";
inline constexpr std::string_view SiteLabel = "Site :";
inline constexpr std::string_view NickAndLabel = "Brennic [ Korvax ]";
inline constexpr std::string_view BirthDate = "14/07/86";
inline constexpr std::string_view BlogAddress = "http://brennic.skyblog.com";
inline constexpr std::string_view SiteCaption = "http://brennic.example.org";
inline constexpr std::string_view Signature = "Créé par Julien";
inline constexpr std::string_view OkButton = "Ok";

inline constexpr std::string_view BlogLinkTip = "Click ici :D";
inline constexpr std::string_view SiteLinkTip = "Click ici ;P";

// What the site link opens: an address of its own, not its caption.
inline constexpr std::string_view SiteAddress = "http://www.brennic.example.org/";

}  // namespace quillomat::about_window_texts
