#pragma once

#include <glib-object.h>
#include <glibmm/exceptionhandler.h>

namespace quillomat {

// `Handler` made fit to be called from C: an exception it throws goes to the program's report of
// unexpected errors, as from any gtkmm signal, never into the C code that called it. What `Call`
// returns after an exception does not matter, since the report ends the program.
template <auto Handler>
struct CCallback;

template <typename Result, typename... Arguments, Result (*Handler)(Arguments...)>
struct CCallback<Handler> {
    static Result Call(Arguments... arguments) noexcept
    {
        try {
            return Handler(arguments...);
        } catch (...) {
            Glib::exception_handlers_invoke();
        }
        return Result();
    }
};

// The same as a GCallback, for the signals of GObjects.
template <auto Handler>
GCallback CSignalCallback()
{
    return G_CALLBACK(&CCallback<Handler>::Call);
}

}  // namespace quillomat
