#pragma once

#include <exception>
#include <string>

namespace quillomat {

// An error that escaped a handler, as the general report shows it.
struct UnexpectedError {
    long number = 0;
    std::string description;
};

// A system error gives its error code; any other exception that carries no number gives 0.
UnexpectedError DescribeUnexpectedError(std::exception_ptr error);

// The general report's text, in French.
std::string UnexpectedErrorMessage(const UnexpectedError& error);

}  // namespace quillomat
