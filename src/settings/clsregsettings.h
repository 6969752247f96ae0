#pragma once
#include <QString>
#include <QVariant>
#include <memory>
#include <string_view>

namespace platform {
class RegistryStore;
}

// The program's persistent settings in the per-user store, under
// "HKCU\Software\<Company>\<AppName>\<major>.<minor>\<section>".
// KeyType: 1 REG_SZ, 2 REG_EXPAND_SZ, 3 REG_BINARY, 4 REG_DWORD, else "".
class clsRegSettings {
public:
    clsRegSettings();
    // With a store of the caller's choosing instead of the system's.
    explicit clsRegSettings(std::unique_ptr<platform::RegistryStore> store);
    ~clsRegSettings();
    clsRegSettings(const clsRegSettings&) = delete;
    clsRegSettings& operator=(const clsRegSettings&) = delete;

    // "" falls back to the version information; other names are trimmed.
    QString Company() const;
    void Company(const QString& newVal);
    QString AppName() const;
    void AppName(const QString& newVal);

    // True when the value was deleted; an access-denied refusal is not reported.
    bool AppSettingDelete(const QString& section, const QString& keyName);

    // Reads: the stored value, or Default when there is none (not reported).
    QVariant AppSetting(const QString& section, const QString& keyName, int keyType = 0,
                        const QVariant& defaultValue = QVariant());
    // Writes Setting (Default when Setting is null) with the type of KeyType;
    // true when it was stored (a failure has been reported).
    bool AppSetting(const QString& section, const QString& keyName, int keyType, const QVariant& defaultValue,
                    const QVariant& setting);

    // As AppSetting, with Section a full key path from the root ("HKCU\...").
    QVariant AnySetting(const QString& section, const QString& keyName, int keyType = 0,
                        const QVariant& defaultValue = QVariant());
    bool AnySetting(const QString& section, const QString& keyName, int keyType, const QVariant& defaultValue,
                    const QVariant& setting);

    // The settings key of a section, and the type name of a KeyType.
    QString SettingsKey(const QString& section) const;
    static QString KeyTypeName(int keyType);

private:
    QVariant readValue(std::string_view procName, const QString& path, const QVariant& defaultValue);
    bool writeValue(std::string_view procName, const QString& path, int keyType, const QVariant& defaultValue,
                    const QVariant& setting);

    std::unique_ptr<platform::RegistryStore> shell_;
    QString company_;
    QString appName_;
};
