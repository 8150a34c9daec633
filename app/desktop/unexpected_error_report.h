#pragma once

#include "main_use/main_use_desktop.h"

namespace quillomat {

// Routes exceptions that escape gtkmm signal handlers to the report of unexpected errors: a box of
// the program giving the error's number and description, after which the program ends.
void InstallUnexpectedErrorReport(MainUseDesktop& desktop);

}  // namespace quillomat
