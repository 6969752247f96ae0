#pragma once
#include <QByteArray>
#include <QString>

namespace platform {

// Read-only access to the system registry, as its key and value functions
// offer it. Where there is no registry no key exists. Tests install a fake.
namespace reg {
constexpr quint32 ClassesRoot = 0x80000000u;
constexpr quint32 CurrentUser = 0x80000001u;
constexpr quint32 LocalMachine = 0x80000002u;
// Access masks: read only, and everything (which ordinary users are refused
// under the local-machine root).
constexpr quint32 KeyRead = 0x20019u;
constexpr quint32 KeyAllAccess = 0xF003Fu;
// Value types.
constexpr quint32 RegSz = 1;
constexpr quint32 RegExpandSz = 2;
constexpr quint32 RegBinary = 3;
constexpr quint32 RegDword = 4;
// Status codes.
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long AccessDenied = 5;
constexpr long MoreData = 234;
} // namespace reg

class RegistryReader {
public:
    virtual ~RegistryReader();
    // Opens a key below a root; reg::Success and a key handle, or a status.
    virtual long openKey(quint32 root, const QString& subKey, quint32 access, quintptr* key) = 0;
    // Reads a value into at most bufferSize bytes: its type, and its data
    // exactly as stored (a string in the 8-bit character set, with or
    // without its terminating zero). A larger value gives reg::MoreData.
    virtual long queryValue(quintptr key, const QString& valueName, quint32* type, QByteArray* data,
                            quint32 bufferSize) = 0;
    virtual long closeKey(quintptr key) = 0;
};

// The installed reader: the system's registry unless a test replaced it.
RegistryReader& registryReader();
// Installs a reader (nullptr restores the system's) and returns the previous one.
RegistryReader* setRegistryReader(RegistryReader* reader);

} // namespace platform
