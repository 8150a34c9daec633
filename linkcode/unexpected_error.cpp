#include "linkcode/unexpected_error.h"

#include <new>
#include <system_error>

#include "linkcode/unexpected_error_texts.h"

namespace quillomat {

namespace texts = unexpected_error_texts;

UnexpectedError DescribeUnexpectedError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::system_error& systemError) {
        return {systemError.code().value(), systemError.what()};
    } catch (const std::bad_alloc&) {
        return {7, std::string(texts::OutOfMemory)};
    } catch (const std::exception& exception) {
        return {0, exception.what()};
    } catch (...) {
        return {0, std::string(texts::UnknownError)};
    }
}

std::string UnexpectedErrorMessage(const UnexpectedError& error)
{
    return std::string(texts::ReportStart) + std::to_string(error.number) +
           std::string(texts::ReportAfterNumber) + error.description +
           std::string(texts::ReportEnd);
}

}  // namespace quillomat
