#pragma once
// The per-user settings store behind the registry settings class: values
// addressed by full paths such as "HKCU\Software\Tamsworth\Quillmark\1.0\Startup\frmMain_Top".
#include <QString>
#include <QVariant>
#include <memory>

namespace platform {

class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    // The stored value: an int for "REG_DWORD", a text for the string types,
    // bytes for "REG_BINARY". A missing value raises errnum::RegValueMissing.
    virtual QVariant RegRead(const QString& path) = 0;
    // Stores the value converted to the named type, creating keys as needed.
    // A path ending in "\" creates the key only.
    virtual void RegWrite(const QString& path, const QVariant& value, const QString& type) = 0;
    // Removes the value (or, for a path ending in "\", the key and all below it).
    virtual void RegDelete(const QString& path) = 0;
};

// On Windows the registry itself; elsewhere a settings file in the user's
// configuration folder (SettingsFilePath()).
std::unique_ptr<RegistryStore> CreateRegistryStore();

// The settings file used where there is no registry:
// <configuration folder>/<company>/<title>.ini, or the override.
QString SettingsFilePath();
// Tests keep their settings in a private file; an empty text restores the default.
void setSettingsFileOverride(const QString& file);

// Converts a value to a registry type the way the store does: "REG_DWORD" to a
// 32-bit int (errors 13 and 6 for text and out-of-range numbers), the string
// types to text, "REG_BINARY" to bytes. An empty type name keeps numbers as
// "REG_DWORD" and stores everything else as "REG_SZ". Unknown names raise 5.
QVariant RegConvert(const QVariant& value, const QString& type, QString* storedType = nullptr);

// The typed text the settings file holds for a value ("REG_DWORD:1200") and
// back. Decoding a text without a known type prefix gives it as "REG_SZ";
// a malformed typed text gives an invalid QVariant.
QString RegEncode(const QVariant& converted, const QString& storedType);
QVariant RegDecode(const QString& text);

} // namespace platform
