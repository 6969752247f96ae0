#include "settings/clsregsettings.h"

#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/qtstrings.h"
#include "platform/registry.h"
#include "platform/runtimeerror.h"

using errors::Function;
using errors::Procedure;
using namespace platform;

namespace {
const QChar BS = QLatin1Char('\\');

RegistryStore& storeOf(const std::unique_ptr<RegistryStore>& shell)
{
    if (!shell)
        Raise(errnum::ObjectRequired);
    return *shell;
}
} // namespace

clsRegSettings::clsRegSettings()
{
    Procedure("clsRegSettings.Class_Initialize()", [&] {
        shell_ = CreateRegistryStore();
        appName_ = qstr(App().title);
        company_ = qstr(App().companyName);
    });
}

clsRegSettings::clsRegSettings(std::unique_ptr<RegistryStore> store)
{
    Procedure("clsRegSettings.Class_Initialize()", [&] {
        shell_ = std::move(store);
        appName_ = qstr(App().title);
        company_ = qstr(App().companyName);
    });
}

clsRegSettings::~clsRegSettings()
{
    Procedure("clsRegSettings.Class_Terminate()", [&] { shell_.reset(); });
}

QString clsRegSettings::Company() const
{
    return Function<QString>("clsRegSettings.Company() [Get]", [&](QString& r) { r = company_; });
}

void clsRegSettings::Company(const QString& newVal)
{
    Procedure("clsRegSettings.Company() [Let]",
              [&] { company_ = newVal.isEmpty() ? qstr(App().companyName) : newVal.trimmed(); });
}

QString clsRegSettings::AppName() const
{
    return Function<QString>("clsRegSettings.AppName() [Get]", [&](QString& r) { r = appName_; });
}

void clsRegSettings::AppName(const QString& newVal)
{
    Procedure("clsRegSettings.AppName() [Let]",
              [&] { appName_ = newVal.isEmpty() ? qstr(App().productName) : newVal.trimmed(); });
}

QString clsRegSettings::SettingsKey(const QString& section) const
{
    QString key = QStringLiteral("HKCU\\Software\\") + company_ + BS + appName_ + BS + QString::number(App().major) +
                  QLatin1Char('.') + QString::number(App().minor);
    if (!section.isEmpty())
        key += BS + section;
    return key;
}

QString clsRegSettings::KeyTypeName(int keyType)
{
    switch (keyType) {
    case 1: return QStringLiteral("REG_SZ");
    case 2: return QStringLiteral("REG_EXPAND_SZ");
    case 3: return QStringLiteral("REG_BINARY");
    case 4: return QStringLiteral("REG_DWORD");
    default: return QString();
    }
}

bool clsRegSettings::AppSettingDelete(const QString& section, const QString& keyName)
{
    return Function<bool>("clsRegSettings.AppSettingDelete()", [&](bool& r) {
        try {
            storeOf(shell_).RegDelete(SettingsKey(section) + BS + keyName);
            r = true;
        } catch (const RuntimeError& e) {
            // A refused deletion is an answer, not a fault.
            if (e.number() != errnum::RegAccessDenied)
                throw;
        }
    });
}

QVariant clsRegSettings::readValue(std::string_view procName, const QString& path, const QVariant& defaultValue)
{
    return Function<QVariant>(procName, [&](QVariant& r) {
        try {
            r = storeOf(shell_).RegRead(path);
        } catch (const RuntimeError& e) {
            if (e.number() != errnum::RegValueMissing)
                throw;
            r = defaultValue;
        }
    });
}

bool clsRegSettings::writeValue(std::string_view procName, const QString& path, int keyType,
                                const QVariant& defaultValue, const QVariant& setting)
{
    return Function<bool>(procName, [&](bool& r) {
        storeOf(shell_).RegWrite(path, setting.isNull() ? defaultValue : setting, KeyTypeName(keyType));
        r = true;
    });
}

QVariant clsRegSettings::AppSetting(const QString& section, const QString& keyName, int, const QVariant& defaultValue)
{
    return readValue("clsRegSettings.AppSetting() [Get]", SettingsKey(section) + BS + keyName, defaultValue);
}

bool clsRegSettings::AppSetting(const QString& section, const QString& keyName, int keyType,
                                const QVariant& defaultValue, const QVariant& setting)
{
    return writeValue("clsRegSettings.AppSetting() [Let]", SettingsKey(section) + BS + keyName, keyType, defaultValue,
                      setting);
}

QVariant clsRegSettings::AnySetting(const QString& section, const QString& keyName, int, const QVariant& defaultValue)
{
    return readValue("clsRegSettings.AnySetting() [Get]", section + BS + keyName, defaultValue);
}

bool clsRegSettings::AnySetting(const QString& section, const QString& keyName, int keyType,
                                const QVariant& defaultValue, const QVariant& setting)
{
    return writeValue("clsRegSettings.AnySetting() [Let]", section + BS + keyName, keyType, defaultValue, setting);
}
