#include "platform/commandline.h"

#include "platform/runtimeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {
bool hasFolderPart(const QString& program)
{
#ifdef Q_OS_WIN
    return program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\')) ||
           program.contains(QLatin1Char(':'));
#else
    return program.contains(QLatin1Char('/'));
#endif
}

QString resolveProgram(const QString& program)
{
    if (!hasFolderPart(program)) {
        const QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty())
            Raise(errnum::FileNotFound);
        return found;
    }
    const QFileInfo info(program);
    if (!info.absoluteDir().exists())
        Raise(errnum::PathNotFound);
    if (!info.exists())
        Raise(errnum::FileNotFound);
    if (info.isDir() || !info.isExecutable())
        Raise(errnum::PermissionDenied);
    return info.absoluteFilePath();
}
} // namespace

void StartCommandLine(const QString& commandLine)
{
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        Raise(errnum::InvalidProcedureCall);
    const QString program = resolveProgram(parts.takeFirst());
    if (!QProcess::startDetached(program, parts))
        Raise(errnum::PermissionDenied);
}

} // namespace platform
