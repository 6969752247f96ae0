#include "platform/runtimeerror.h"

namespace platform {

QString errorDescription(long number)
{
    switch (number) {
    case errnum::InvalidProcedureCall: return QStringLiteral("Invalid procedure call or argument");
    case errnum::Overflow: return QStringLiteral("Overflow");
    case errnum::OutOfMemory: return QStringLiteral("Out of memory");
    case errnum::SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case errnum::TypeMismatch: return QStringLiteral("Type mismatch");
    case errnum::InternalError: return QStringLiteral("Internal error");
    case errnum::FileNotFound: return QStringLiteral("File not found");
    case errnum::BadFileMode: return QStringLiteral("Bad file mode");
    case errnum::FileAlreadyOpen: return QStringLiteral("File already open");
    case errnum::DiskFull: return QStringLiteral("Disk full");
    case errnum::DeviceUnavailable: return QStringLiteral("Device unavailable");
    case errnum::PermissionDenied: return QStringLiteral("Permission denied");
    case errnum::PathFileAccessError: return QStringLiteral("Path/File access error");
    case errnum::PathNotFound: return QStringLiteral("Path not found");
    case errnum::ObjectRequired: return QStringLiteral("Object required");
    case errnum::DuplicateKey:
        return QStringLiteral("This key is already associated with an element of this collection");
    case errnum::Framework: return QStringLiteral("Application-defined or object-defined error");
    case errnum::RegValueMissing: return QStringLiteral("Unable to open registry key for reading");
    case errnum::RegAccessDenied: return QStringLiteral("Access is denied");
    default: return QString();
    }
}

RuntimeError::RuntimeError(long number, QString description, QString source, long line)
    : number_(number), description_(std::move(description)), source_(std::move(source)), line_(line),
      what_(QStringLiteral("Error %1: %2").arg(number).arg(description_).toStdString())
{
}

RuntimeError::RuntimeError(long number) : RuntimeError(number, errorDescription(number)) {}

void Raise(long number)
{
    throw RuntimeError(number);
}

void Raise(long number, const QString& description, const QString& source)
{
    throw RuntimeError(number, description, source);
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
