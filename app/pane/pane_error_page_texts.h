#pragma once

#include <string_view>

namespace quillomat::pane_error_page_texts {

inline constexpr std::string_view Title = "Page non disponible";
inline constexpr std::string_view Heading = "Cette page n'a pas pu être ouverte.";
inline constexpr std::string_view StoppedHeading = "Cette page a été arrêtée.";
inline constexpr std::string_view AddressLabel = "Adresse :";
inline constexpr std::string_view Advice =
    "Vérifiez l'adresse, puis réessayez avec « Aller à... » ou la touche F5.";
inline constexpr std::string_view DetailLabel = "Détail technique :";

inline constexpr std::string_view ConnectionRefused =
    "Le serveur a refusé la connexion : le site est peut-être arrêté, ou l'adresse n'est pas la "
    "bonne.";
inline constexpr std::string_view HostNotFound =
    "Ce site est introuvable : vérifiez l'adresse et votre connexion à Internet.";
inline constexpr std::string_view NetworkUnreachable =
    "Le réseau est inaccessible : vérifiez votre connexion à Internet.";
inline constexpr std::string_view TimedOut = "Le site n'a pas répondu à temps.";
inline constexpr std::string_view CertificateRefused =
    "Le certificat de sécurité de ce site n'est pas valable. Pour protéger vos données, la page "
    "n'a pas été ouverte.";
inline constexpr std::string_view ProxyFailed =
    "Le serveur mandataire (proxy) réglé sur cet ordinateur n'a pas pu joindre le site.";
inline constexpr std::string_view RefusedWithoutPage =
    "Le site, ou le serveur mandataire (proxy) réglé sur cet ordinateur, a refusé d'ouvrir cette "
    "page.";
inline constexpr std::string_view UnknownKindOfAddress =
    "Le navigateur intégré ne sait pas ouvrir ce genre d'adresse.";
inline constexpr std::string_view CannotShow =
    "Ce contenu ne peut pas s'afficher dans le navigateur intégré.";
inline constexpr std::string_view RestrictedPort =
    "Le navigateur refuse d'ouvrir cette adresse : son numéro de port est réservé à d'autres "
    "services.";
inline constexpr std::string_view FileMissing = "Ce fichier n'existe pas.";
inline constexpr std::string_view NotAnswering =
    "La page ne répondait plus : Quillomat l'a arrêtée.";
inline constexpr std::string_view TooMuchMemory =
    "La page demandait trop de mémoire : Quillomat l'a arrêtée pour que l'ordinateur reste "
    "utilisable.";
inline constexpr std::string_view Crashed = "Le navigateur intégré s'est arrêté sur cette page.";
inline constexpr std::string_view OtherFailure = "Le chargement de la page a échoué.";

}  // namespace quillomat::pane_error_page_texts
