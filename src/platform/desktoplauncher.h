#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>

namespace platform {

// The desktop's own means of opening things: the default handler of a file
// type or address scheme, the printer queue and detached programs. The shell
// launcher goes through this seam only; tests install a fake.
class DesktopLauncher {
public:
    virtual ~DesktopLauncher();
    // Hands a web address, a mail address or a local file or folder to the
    // handler the desktop has for it; false if none took it.
    virtual bool openUrl(const QUrl& url) = 0;
    // Queues a local file (absolute path) for printing; false if the system
    // has no print command or it could not be started.
    virtual bool printFile(const QString& path) = 0;
    // Starts a program with its arguments (never through a shell) in the
    // given working folder (empty: the current one), without waiting for it.
    virtual bool startProgram(const QString& program, const QStringList& arguments, const QString& workingFolder,
                              qint64* pid) = 0;
    // Whether a process this launcher started is still running.
    virtual bool isRunning(qint64 pid) = 0;
};

// The installed launcher: the real desktop one unless a test replaced it.
DesktopLauncher& desktopLauncher();
// Installs a launcher (nullptr restores the real one) and returns the previous one.
DesktopLauncher* setDesktopLauncher(DesktopLauncher* launcher);

} // namespace platform
