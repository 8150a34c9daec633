#include "app/pane/pane_error_page.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include "app/pane/pane_error_page_texts.h"

namespace quillomat {

namespace texts = pane_error_page_texts;

namespace {

std::string EscapeHtml(std::string_view text)
{
    gchar* escaped = g_markup_escape_text(text.data(), static_cast<gssize>(text.size()));
    std::string result = escaped;
    g_free(escaped);
    return result;
}

// WebKit passes the network library's own errors on with their domain and code.
std::string_view Reason(const GError& error)
{
    if (error.domain == G_IO_ERROR) {
        switch (error.code) {
            case G_IO_ERROR_CONNECTION_REFUSED:
                return texts::ConnectionRefused;
            case G_IO_ERROR_HOST_NOT_FOUND:
                return texts::HostNotFound;
            case G_IO_ERROR_NETWORK_UNREACHABLE:
            case G_IO_ERROR_HOST_UNREACHABLE:
                return texts::NetworkUnreachable;
            case G_IO_ERROR_TIMED_OUT:
                return texts::TimedOut;
            case G_IO_ERROR_PROXY_FAILED:
            case G_IO_ERROR_PROXY_NOT_ALLOWED:
            case G_IO_ERROR_PROXY_AUTH_FAILED:
            case G_IO_ERROR_PROXY_NEED_AUTH:
                return texts::ProxyFailed;
            default:
                return texts::OtherFailure;
        }
    }
    if (error.domain == G_RESOLVER_ERROR)
        return texts::HostNotFound;
    if (error.domain == G_TLS_ERROR)
        return texts::CertificateRefused;
    if (error.domain == WEBKIT_NETWORK_ERROR) {
        if (error.code == WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL)
            return texts::UnknownKindOfAddress;
        if (error.code == WEBKIT_NETWORK_ERROR_FILE_DOES_NOT_EXIST)
            return texts::FileMissing;
    }
    if (error.domain == WEBKIT_POLICY_ERROR) {
        if (error.code == WEBKIT_POLICY_ERROR_CANNOT_SHOW_URI)
            return texts::UnknownKindOfAddress;
        if (error.code == WEBKIT_POLICY_ERROR_CANNOT_SHOW_MIME_TYPE)
            return texts::CannotShow;
        if (error.code == WEBKIT_POLICY_ERROR_CANNOT_USE_RESTRICTED_PORT)
            return texts::RestrictedPort;
    }
    return texts::OtherFailure;
}

std::string Page(std::string_view address, std::string_view reason, std::string_view detail,
                 std::string_view heading = texts::Heading)
{
    std::string html =
        "<!DOCTYPE html><html lang='fr'><head><meta charset='utf-8'><title>" +
        EscapeHtml(texts::Title) +
        "</title><style>body{font-family:sans-serif;font-size:13px;margin:24px;color:#222}"
        "h1{font-size:16px}.adresse{word-break:break-all;color:#444}"
        ".detail{font-size:11px;color:#777}</style></head><body><h1>" +
        EscapeHtml(heading) + "</h1><p class='adresse'>" + EscapeHtml(texts::AddressLabel) + " " +
        EscapeHtml(address) + "</p><p>" + EscapeHtml(reason) + "</p><p>" +
        EscapeHtml(texts::Advice) + "</p>";
    if (!detail.empty())
        html += "<p class='detail'>" + EscapeHtml(texts::DetailLabel) + " " + EscapeHtml(detail) +
                "</p>";
    return html + "</body></html>";
}

}  // namespace

bool LoadWasAbandoned(const GError& error)
{
    return g_error_matches(&error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
           g_error_matches(&error, WEBKIT_POLICY_ERROR,
                           WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
           g_error_matches(&error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD);
}

std::string LoadErrorPage(std::string_view address, const GError& error)
{
    return Page(address, Reason(error), error.message ? error.message : "");
}

std::string CertificateErrorPage(std::string_view address)
{
    return Page(address, texts::CertificateRefused, "");
}

std::string UnshownAnswerErrorPage(std::string_view address, unsigned status)
{
    if (status < 400)
        return Page(address, texts::CannotShow, "");
    return Page(address, texts::RefusedWithoutPage, "HTTP " + std::to_string(status));
}

std::string StoppedPageErrorPage(std::string_view address, PageStop why)
{
    const std::string_view reason = why == PageStop::TooMuchMemory ? texts::TooMuchMemory
                                    : why == PageStop::Crashed     ? texts::Crashed
                                                                   : texts::NotAnswering;
    return Page(address, reason, "", texts::StoppedHeading);
}

}  // namespace quillomat
