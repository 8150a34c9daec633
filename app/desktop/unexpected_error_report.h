#pragma once

#include <exception>

#include "main_use/main_use_desktop.h"

namespace quillomat {

// The general report of unexpected errors: a modal box giving the error's number and
// description, after which the program ends. Returns only for an error raised while the
// report is already open.
void ReportUnexpectedError(std::exception_ptr error);

// Routes exceptions that escape gtkmm signal handlers to the general report, shown through the
// program's boxes.
void InstallUnexpectedErrorReport(MainUseDesktop& desktop);

}  // namespace quillomat
