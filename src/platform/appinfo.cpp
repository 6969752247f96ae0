#include "platform/appinfo.h"

#include "appinfo_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {
QString& pathOverride()
{
    static QString p;
    return p;
}
} // namespace

const AppInfo& App()
{
    static const AppInfo info{QStringLiteral(QM_APP_TITLE),
                              QStringLiteral(QM_APP_COMPANY),
                              QStringLiteral(QM_APP_PRODUCT),
                              QM_APP_MAJOR,
                              QM_APP_MINOR,
                              QM_APP_REVISION};
    return info;
}

QString AppPath()
{
    if (!pathOverride().isEmpty())
        return pathOverride();
    static const QString real = [] {
        if (QCoreApplication::instance())
            return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
        // No application object (the terminal report): ask the kernel.
        QFileInfo exe(QStringLiteral("/proc/self/exe"));
        return QDir::toNativeSeparators(QFileInfo(exe.symLinkTarget()).absolutePath());
    }();
    return real;
}

void setAppPathOverride(const QString& path)
{
    pathOverride() = path;
}

} // namespace platform
