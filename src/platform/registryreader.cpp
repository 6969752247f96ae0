#include "platform/registryreader.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

RegistryReader::~RegistryReader() = default;

namespace {

#ifdef Q_OS_WIN
class SystemRegistry : public RegistryReader {
public:
    long openKey(quint32 root, const QString& subKey, quint32 access, quintptr* key) override
    {
        HKEY h = nullptr;
        const QByteArray name = subKey.toLocal8Bit();
        const LONG rc = RegOpenKeyExA(reinterpret_cast<HKEY>(static_cast<quintptr>(root)), name.constData(), 0,
                                      static_cast<REGSAM>(access), &h);
        *key = rc == ERROR_SUCCESS ? reinterpret_cast<quintptr>(h) : 0;
        return rc;
    }

    long queryValue(quintptr key, const QString& valueName, quint32* type, QByteArray* data,
                    quint32 bufferSize) override
    {
        const QByteArray name = valueName.toLocal8Bit();
        QByteArray buffer(static_cast<qsizetype>(bufferSize), '\0');
        DWORD t = 0;
        DWORD size = bufferSize;
        const LONG rc = RegQueryValueExA(reinterpret_cast<HKEY>(key), name.constData(), nullptr, &t,
                                         reinterpret_cast<LPBYTE>(buffer.data()), &size);
        if (rc != ERROR_SUCCESS)
            return rc;
        *type = t;
        *data = buffer.left(static_cast<qsizetype>(size));
        return rc;
    }

    long closeKey(quintptr key) override { return RegCloseKey(reinterpret_cast<HKEY>(key)); }
};
#else
// No registry on this system: no key can be opened.
class SystemRegistry : public RegistryReader {
public:
    long openKey(quint32, const QString&, quint32, quintptr* key) override
    {
        *key = 0;
        return reg::FileNotFound;
    }
    long queryValue(quintptr, const QString&, quint32*, QByteArray*, quint32) override { return reg::FileNotFound; }
    long closeKey(quintptr) override { return reg::Success; }
};
#endif

RegistryReader*& installed()
{
    static RegistryReader* reader = nullptr;
    return reader;
}

} // namespace

RegistryReader& registryReader()
{
    static SystemRegistry system;
    return installed() ? *installed() : system;
}

RegistryReader* setRegistryReader(RegistryReader* reader)
{
    RegistryReader* old = installed();
    installed() = reader;
    return old;
}

} // namespace platform
