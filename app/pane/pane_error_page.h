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

}  // namespace quillomat
