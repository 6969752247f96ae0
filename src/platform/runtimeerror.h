#pragma once
#include <exception>
#include <string>

namespace platform {

// Error numbers callers observe, with the platform's customary numbering.
namespace errnum {
constexpr long InvalidProcedureCall = 5;
constexpr long Overflow = 6;
constexpr long OutOfMemory = 7;
constexpr long SubscriptOutOfRange = 9;
constexpr long TypeMismatch = 13;
constexpr long InternalError = 51;
constexpr long FileNotFound = 53;
constexpr long BadFileMode = 54;
constexpr long FileAlreadyOpen = 55;
constexpr long DiskFull = 61;
constexpr long DuplicateKey = 457;
constexpr long DeviceUnavailable = 68;
constexpr long PermissionDenied = 70;
constexpr long PathFileAccessError = 75;
constexpr long PathNotFound = 76;
constexpr long ObjectRequired = 424;
constexpr long ApplicationBase = -2147221504;
constexpr long Framework = -2147220504; // ApplicationBase + 1000
constexpr long RegValueMissing = -2147024894;
constexpr long RegAccessDenied = -2147024891;
} // namespace errnum

// The usual description of a platform error number ("" for unknown numbers).
std::string errorDescription(long number);

// A run-time error: what a procedure's trap receives. Texts are UTF-8.
class RuntimeError : public std::exception {
public:
    RuntimeError(long number, std::string description, std::string source = {}, long line = 0);
    explicit RuntimeError(long number);

    long number() const { return number_; }
    const std::string& description() const { return description_; }
    const std::string& source() const { return source_; }
    long line() const { return line_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    long number_;
    std::string description_;
    std::string source_;
    long line_;
    std::string what_;
};

[[noreturn]] void Raise(long number);
[[noreturn]] void Raise(long number, std::string description, std::string source = {});

// The current error of the running procedure (what the handler reads with no arguments).
struct ErrObject {
    long Number = 0;
    std::string Description;
    std::string Source;
    long Line = 0;
    void Clear() { *this = ErrObject(); }
    void set(const RuntimeError& e);
};
ErrObject& Err();

} // namespace platform
