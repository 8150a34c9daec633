#pragma once

#include <glib.h>

#include <string>
#include <string_view>

namespace quillomat {

// Whether a failed load only means that the user or the program moved on (another address,
// Escape, a download, an answer without a page): the page shown stays and nothing is said.
bool LoadWasAbandoned(const GError& error);

// The short French page that the pane shows in place of a page that could not be loaded: the
// address and what went wrong, in plain words. It offers no way past the failure.
std::string LoadErrorPage(std::string_view address, const GError& error);
std::string CertificateErrorPage(std::string_view address);

// The same page for an answer of `status` that WebKit can neither show nor save: an HTTP error
// without a page, such as a proxy's refusal to reach an https site.
std::string UnshownAnswerErrorPage(std::string_view address, unsigned status);

// Why a page that was open ended: the program ended it, or its web process crashed.
enum class PageStop { NotAnswering, TooMuchMemory, Crashed };

// The same page for a page that ended.
std::string StoppedPageErrorPage(std::string_view address, PageStop why);

}  // namespace quillomat
