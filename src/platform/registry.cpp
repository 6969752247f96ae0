#include "platform/registry.h"

#include "platform/appinfo.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <cctype>
#include <cmath>
#include <limits>

namespace platform {

namespace {
const QString REG_SZ = QStringLiteral("REG_SZ");
const QString REG_EXPAND_SZ = QStringLiteral("REG_EXPAND_SZ");
const QString REG_BINARY = QStringLiteral("REG_BINARY");
const QString REG_DWORD = QStringLiteral("REG_DWORD");

QString& fileOverride()
{
    static QString f;
    return f;
}

bool isNumber(const QVariant& v)
{
    switch (v.userType()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double: return true;
    default: return false;
    }
}

qint32 toDword(const QVariant& value)
{
    double d = 0;
    if (value.userType() == QMetaType::Bool) {
        d = value.toBool() ? -1 : 0; // True is -1, as the platform counts it
    } else if (isNumber(value)) {
        d = value.toDouble();
    } else {
        bool ok = false;
        d = value.toString().trimmed().toDouble(&ok);
        if (!ok)
            Raise(errnum::TypeMismatch);
    }
    // Whole numbers round half to even, as the platform's conversion does.
    const double rounded = std::nearbyint(d);
    if (!(rounded >= double(std::numeric_limits<qint32>::min()) &&
          rounded <= double(std::numeric_limits<qint32>::max())))
        Raise(errnum::Overflow);
    return qint32(rounded);
}

// A full path split into its root ("HKCU") and the rest; a trailing "\" marks
// a key rather than a value.
struct RegPath {
    QString root;
    QStringList parts;
    bool isKey = false;
};

RegPath parsePath(const QString& path)
{
    RegPath p;
    p.isKey = path.endsWith(QLatin1Char('\\'));
    QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty())
        p.root = parts.takeFirst().toUpper();
    p.parts = parts;
    return p;
}

QString canonicalRoot(const QString& root)
{
    if (root == QLatin1String("HKCU") || root == QLatin1String("HKEY_CURRENT_USER"))
        return QStringLiteral("HKEY_CURRENT_USER");
    if (root == QLatin1String("HKLM") || root == QLatin1String("HKEY_LOCAL_MACHINE"))
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    if (root == QLatin1String("HKCR") || root == QLatin1String("HKEY_CLASSES_ROOT"))
        return QStringLiteral("HKEY_CLASSES_ROOT");
    if (root == QLatin1String("HKEY_USERS") || root == QLatin1String("HKEY_CURRENT_CONFIG"))
        return root;
    return QString();
}

[[noreturn]] void raiseMissing(const QString& path, bool forDelete)
{
    Raise(errnum::RegValueMissing, (forDelete ? QStringLiteral("Unable to remove registry key \"")
                                              : QStringLiteral("Unable to open registry key \"")) +
                                       path + (forDelete ? QStringLiteral("\".") : QStringLiteral("\" for reading.")));
}

[[noreturn]] void raiseInvalidRoot(const QString& path)
{
    Raise(errnum::RegValueMissing, QStringLiteral("Invalid root in registry key \"") + path + QStringLiteral("\"."));
}

#ifdef Q_OS_WIN

// The registry itself; Qt's native settings write numbers as REG_DWORD and
// texts as REG_SZ.
class NativeRegistry : public RegistryStore {
public:
    QVariant RegRead(const QString& path) override
    {
        const RegPath p = parsePath(path);
        const QString root = canonicalRoot(p.root);
        if (root.isEmpty())
            raiseInvalidRoot(path);
        QSettings s(root, QSettings::NativeFormat);
        const QString key = p.parts.join(QLatin1Char('/'));
        if (p.parts.isEmpty() || !s.contains(key))
            raiseMissing(path, false);
        return s.value(key);
    }

    void RegWrite(const QString& path, const QVariant& value, const QString& type) override
    {
        const RegPath p = parsePath(path);
        const QString root = canonicalRoot(p.root);
        if (root.isEmpty())
            raiseInvalidRoot(path);
        QString stored;
        const QVariant converted = RegConvert(value, type, &stored);
        if (p.isKey || p.parts.isEmpty())
            return; // keys come into being with their first value
        QSettings s(root, QSettings::NativeFormat);
        s.setValue(p.parts.join(QLatin1Char('/')), converted);
        s.sync();
        if (s.status() != QSettings::NoError)
            Raise(errnum::RegAccessDenied, errorDescription(errnum::RegAccessDenied));
    }

    void RegDelete(const QString& path) override
    {
        const RegPath p = parsePath(path);
        const QString root = canonicalRoot(p.root);
        if (root.isEmpty())
            raiseInvalidRoot(path);
        QSettings s(root, QSettings::NativeFormat);
        const QString key = p.parts.join(QLatin1Char('/'));
        bool present = s.contains(key);
        if (p.isKey) {
            s.beginGroup(key);
            present = !s.allKeys().isEmpty() || !s.childGroups().isEmpty();
            s.endGroup();
        }
        if (p.parts.isEmpty() || !present)
            raiseMissing(path, true);
        s.remove(key);
        s.sync();
        if (s.status() != QSettings::NoError)
            Raise(errnum::RegAccessDenied, errorDescription(errnum::RegAccessDenied));
    }
};

#else

// A settings file standing in for the per-user registry. Values carry their
// type in the text ("REG_DWORD:1200"), because the file format keeps only
// text. Names are matched without regard to letter case, as in the registry.
// Only the current user's root exists: reads elsewhere find nothing and
// writes are refused.
class SettingsFileRegistry : public RegistryStore {
public:
    QVariant RegRead(const QString& path) override
    {
        const RegPath p = parsePath(path);
        checkRoot(p, path, false);
        if (!usableFile())
            raiseMissing(path, false);
        QSettings s(SettingsFilePath(), QSettings::IniFormat);
        // An unreadable or malformed file holds nothing: the caller's defaults apply.
        if (p.isKey || p.parts.isEmpty() || s.status() != QSettings::NoError)
            raiseMissing(path, false);
        const QString key = findKey(s, p.parts.join(QLatin1Char('/')));
        if (key.isEmpty())
            raiseMissing(path, false);
        const QVariant raw = s.value(key);
        const QString text =
            raw.userType() == QMetaType::QStringList ? raw.toStringList().join(QStringLiteral(", ")) : raw.toString();
        const QVariant value = RegDecode(text);
        if (!value.isValid())
            raiseMissing(path, false);
        return value;
    }

    void RegWrite(const QString& path, const QVariant& value, const QString& type) override
    {
        const RegPath p = parsePath(path);
        checkRoot(p, path, true);
        QString stored;
        const QVariant converted = RegConvert(value, type, &stored);
        if (p.isKey || p.parts.isEmpty())
            return; // the file has no empty keys: a key comes into being with its first value
        if (!usableFile())
            raiseUnwritable(SettingsFilePath());
        QSettings s(SettingsFilePath(), QSettings::IniFormat);
        const QString wanted = p.parts.join(QLatin1Char('/'));
        const QString existing = s.status() == QSettings::NoError ? findKey(s, wanted) : QString();
        s.setValue(existing.isEmpty() ? wanted : existing, RegEncode(converted, stored));
        commit(s);
    }

    void RegDelete(const QString& path) override
    {
        const RegPath p = parsePath(path);
        checkRoot(p, path, true);
        if (!usableFile())
            raiseUnwritable(SettingsFilePath());
        QSettings s(SettingsFilePath(), QSettings::IniFormat);
        if (p.parts.isEmpty() || s.status() != QSettings::NoError)
            raiseMissing(path, true);
        const QString wanted = p.parts.join(QLatin1Char('/'));
        const QString key = p.isKey ? findGroup(s, wanted) : findKey(s, wanted);
        if (key.isEmpty())
            raiseMissing(path, true);
        s.remove(key);
        commit(s);
    }

private:
    static void checkRoot(const RegPath& p, const QString& path, bool forWriting)
    {
        const QString root = canonicalRoot(p.root);
        if (root.isEmpty())
            raiseInvalidRoot(path);
        if (root != QLatin1String("HKEY_CURRENT_USER")) {
            if (forWriting)
                Raise(errnum::RegAccessDenied, errorDescription(errnum::RegAccessDenied));
            raiseMissing(path, false);
        }
    }

    static QString findKey(const QSettings& s, const QString& wanted)
    {
        if (s.contains(wanted))
            return wanted;
        const QStringList keys = s.allKeys();
        for (const QString& k : keys)
            if (k.compare(wanted, Qt::CaseInsensitive) == 0)
                return k;
        return QString();
    }

    static QString findGroup(const QSettings& s, const QString& wanted)
    {
        const QString prefix = wanted + QLatin1Char('/');
        const QStringList keys = s.allKeys();
        for (const QString& k : keys)
            if (k.startsWith(prefix, Qt::CaseInsensitive))
                return k.left(prefix.size() - 1);
        return QString();
    }

    // Only a regular file, or none yet, is read or written: a pipe would
    // block the read for good, and a link that leads nowhere would have its
    // target created.
    static bool usableFile()
    {
        const QFileInfo f(SettingsFilePath());
        if (f.isSymLink() && !f.exists())
            return false;
        return !f.exists() || f.isFile();
    }

    [[noreturn]] static void raiseUnwritable(const QString& file)
    {
        Raise(errnum::RegAccessDenied, QStringLiteral("Access is denied: the settings file \"") +
                                           QDir::toNativeSeparators(file) + QStringLiteral("\" cannot be written."));
    }

    static void commit(QSettings& s)
    {
        s.sync();
        if (s.status() != QSettings::NoError)
            raiseUnwritable(s.fileName());
        // Where the windows were is the user's own business.
        QFile::setPermissions(s.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
};

#endif
} // namespace

QVariant RegConvert(const QVariant& value, const QString& type, QString* storedType)
{
    QString t = type.toUpper();
    if (t.isEmpty())
        t = isNumber(value) ? REG_DWORD : REG_SZ;
    QVariant out;
    if (t == REG_DWORD)
        out = toDword(value);
    else if (t == REG_SZ || t == REG_EXPAND_SZ)
        out = value.userType() == QMetaType::Bool
                  ? QString(value.toBool() ? QStringLiteral("True") : QStringLiteral("False"))
                  : value.toString();
    else if (t == REG_BINARY)
        out = value.userType() == QMetaType::QByteArray ? value.toByteArray() : [&] {
            // A number is stored as its four bytes, least significant first.
            const quint32 n = quint32(toDword(value));
            QByteArray b(4, '\0');
            for (int i = 0; i < 4; ++i)
                b[i] = char((n >> (8 * i)) & 0xFF);
            return b;
        }();
    else
        Raise(errnum::InvalidProcedureCall);
    if (storedType)
        *storedType = t;
    return out;
}

QString RegEncode(const QVariant& converted, const QString& storedType)
{
    if (storedType == REG_BINARY)
        return storedType + QLatin1Char(':') + QString::fromLatin1(converted.toByteArray().toHex());
    return storedType + QLatin1Char(':') + converted.toString();
}

QVariant RegDecode(const QString& text)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    const QString type = colon > 0 ? text.left(colon) : QString();
    const QString payload = text.mid(colon + 1);
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        return payload;
    if (type == REG_DWORD) {
        bool ok = false;
        const int n = payload.toInt(&ok);
        return ok ? QVariant(n) : QVariant();
    }
    if (type == REG_BINARY) {
        const QByteArray hex = payload.toLatin1();
        for (char c : hex)
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return QVariant();
        if (hex.size() % 2 != 0)
            return QVariant();
        return QByteArray::fromHex(hex);
    }
    return text; // written by hand: a plain text
}

QString SettingsFilePath()
{
    if (!fileOverride().isEmpty())
        return fileOverride();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(qstr(App().companyName) + QLatin1Char('/') + qstr(App().title) +
                                 QStringLiteral(".ini"));
}

void setSettingsFileOverride(const QString& file)
{
    fileOverride() = file;
}

std::unique_ptr<RegistryStore> CreateRegistryStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<NativeRegistry>();
#else
    return std::make_unique<SettingsFileRegistry>();
#endif
}

} // namespace platform
