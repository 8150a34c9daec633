#include "app/desktop/unexpected_error_report.h"

#include <glibmm/error.h>
#include <glibmm/exceptionhandler.h>

#include <cstdlib>
#include <exception>

#include "linkcode/unexpected_error.h"
#include "main_use/program_end.h"

namespace quillomat {

namespace {

// The program's boxes, where the report opens as the last of them.
MainUseDesktop* boxes = nullptr;

UnexpectedError Describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Glib::Error& glibError) {
        return {glibError.code(), glibError.what()};
    } catch (const Glib::Exception& glibException) {
        return {0, glibException.what()};
    } catch (...) {
        return DescribeUnexpectedError(std::current_exception());
    }
}

void ReportUnexpectedError(std::exception_ptr error)
{
    // Errors raised while the report is open (the page goes on loading behind it) are not
    // reported again: the program ends as soon as the user has read the first one.
    static bool reporting = false;
    if (reporting)
        return;
    reporting = true;
    try {
        if (boxes)
            boxes->ShowLastMessage(UnexpectedErrorMessage(Describe(error)), MessageIcon::Error,
                                   ApplicationTitle);
    } catch (...) {
        // The report itself failed: end the program all the same.
    }
    // The handler that failed must not go on, not even to its end.
    EndAbruptly(EXIT_FAILURE);
}

}  // namespace

void InstallUnexpectedErrorReport(MainUseDesktop& desktop)
{
    boxes = &desktop;
    Glib::add_exception_handler([] { ReportUnexpectedError(std::current_exception()); });
}

}  // namespace quillomat
