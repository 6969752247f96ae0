#include "platform/runtimeerror.h"

namespace platform {

std::string errorDescription(long number)
{
    switch (number) {
    case errnum::InvalidProcedureCall: return "Invalid procedure call or argument";
    case errnum::Overflow: return "Overflow";
    case errnum::OutOfMemory: return "Out of memory";
    case errnum::SubscriptOutOfRange: return "Subscript out of range";
    case errnum::TypeMismatch: return "Type mismatch";
    case errnum::InternalError: return "Internal error";
    case errnum::FileNotFound: return "File not found";
    case errnum::BadFileMode: return "Bad file mode";
    case errnum::FileAlreadyOpen: return "File already open";
    case errnum::DiskFull: return "Disk full";
    case errnum::DeviceUnavailable: return "Device unavailable";
    case errnum::PermissionDenied: return "Permission denied";
    case errnum::PathFileAccessError: return "Path/File access error";
    case errnum::PathNotFound: return "Path not found";
    case errnum::ObjectRequired: return "Object required";
    case errnum::DuplicateKey: return "This key is already associated with an element of this collection";
    case errnum::Framework: return "Application-defined or object-defined error";
    case errnum::RegValueMissing: return "Unable to open registry key for reading";
    case errnum::RegAccessDenied: return "Access is denied";
    default: return {};
    }
}

RuntimeError::RuntimeError(long number, std::string description, std::string source, long line)
    : number_(number), description_(std::move(description)), source_(std::move(source)), line_(line),
      what_("Error " + std::to_string(number) + ": " + description_)
{
}

RuntimeError::RuntimeError(long number) : RuntimeError(number, errorDescription(number)) {}

void Raise(long number)
{
    throw RuntimeError(number);
}

void Raise(long number, std::string description, std::string source)
{
    throw RuntimeError(number, std::move(description), std::move(source));
}

void ErrObject::set(const RuntimeError& e)
{
    Number = e.number();
    Description = e.description();
    Source = e.source();
    Line = e.line();
}

ErrObject& Err()
{
    static ErrObject err;
    return err;
}

} // namespace platform
