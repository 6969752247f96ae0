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
        body();
    } catch (...) {
        reportCurrentException(std::current_exception());
    }
    eh.Pop();
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
