#pragma once
// The per-procedure convention, written once: register the name, run the
// body, hand any run-time error to the handler, leave the stack, return what
// the body had assigned.
#include "errors/clserrhandler.h"

#include <exception>
#include <string_view>

namespace errors {

// Turns whatever the body threw into the current error and reports it.
void reportCurrentException(std::exception_ptr e);

template <typename Body> void Procedure(std::string_view name, Body&& body)
{
    clsErrHandler& eh = gErrHandler();
    try {
        eh.Push(name);
    } catch (...) {
        // Nothing was entered, so nothing is left.
        reportCurrentException(std::current_exception());
        return;
    }
    // Left on every way out, an exception that ends the program included: the
    // stack holds a view of the name, which must not outlive this call.
    struct Leave {
        clsErrHandler& eh;
        ~Leave() { eh.Pop(); }
    } leave{eh};
    try {
        body();
    } catch (...) {
        reportCurrentException(std::current_exception());
    }
}

// A function: the body assigns to its result as it goes; after an error the
// result is whatever had been assigned (the type's empty value otherwise).
template <typename R, typename Body> R Function(std::string_view name, Body&& body)
{
    R result{};
    Procedure(name, [&] { body(result); });
    return result;
}

} // namespace errors
