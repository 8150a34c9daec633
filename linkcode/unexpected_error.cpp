#include "linkcode/unexpected_error.h"

#include <new>
#include <system_error>

namespace quillomat {

UnexpectedError DescribeUnexpectedError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::system_error& systemError) {
        return {systemError.code().value(), systemError.what()};
    } catch (const std::bad_alloc&) {
        return {7, "Mémoire insuffisante"};
    } catch (const std::exception& exception) {
        return {0, exception.what()};
    } catch (...) {
        return {0, "Erreur inconnue"};
    }
}

std::string UnexpectedErrorMessage(const UnexpectedError& error)
{
    return "Erreur inattendue n° " + std::to_string(error.number) + " :\n" + error.description +
           "\n\nQuillomat va se fermer.";
}

}  // namespace quillomat
