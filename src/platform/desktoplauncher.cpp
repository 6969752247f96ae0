#include "platform/desktoplauncher.h"

#include <QDesktopServices>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace platform {

DesktopLauncher::~DesktopLauncher() = default;

namespace {

#ifdef Q_OS_LINUX
// State letter and start time (clock ticks since boot) of a process; the
// start time tells a reused process id from the process we started.
bool procStat(qint64 pid, char* state, QByteArray* startTime)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = f.readAll();
    // The command name in parentheses may itself contain blanks and parentheses.
    const int close = line.lastIndexOf(')');
    if (close < 0)
        return false;
    const QList<QByteArray> fields = line.mid(close + 1).simplified().split(' ');
    // After the name: state is field 3 of the line, start time field 22.
    if (fields.size() < 20 || fields[0].isEmpty())
        return false;
    *state = fields[0].at(0);
    *startTime = fields[19];
    return true;
}
#endif

class QtDesktopLauncher : public DesktopLauncher {
public:
    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }

    bool printFile(const QString& path) override
    {
        for (const QString& command : {QStringLiteral("lp"), QStringLiteral("lpr")}) {
            const QString program = QStandardPaths::findExecutable(command);
            if (!program.isEmpty())
                return QProcess::startDetached(program, {path});
        }
        return false;
    }

    bool startProgram(const QString& program, const QStringList& arguments, const QString& workingFolder,
                      qint64* pid) override
    {
        qint64 started = 0;
        if (!QProcess::startDetached(program, arguments, workingFolder, &started))
            return false;
        if (pid)
            *pid = started;
#ifdef Q_OS_LINUX
        char state = 0;
        QByteArray startTime;
        if (started > 0 && procStat(started, &state, &startTime))
            startTimes_.insert(started, startTime);
#endif
        return true;
    }

    bool isRunning(qint64 pid) override
    {
        // Process id 0 and below address process groups, never one process.
        if (pid <= 0)
            return false;
#if defined(Q_OS_LINUX)
        char state = 0;
        QByteArray startTime;
        if (!procStat(pid, &state, &startTime))
            return false;
        if (state == 'Z' || state == 'X')
            return false;
        const auto known = startTimes_.constFind(pid);
        return known == startTimes_.constEnd() || *known == startTime;
#elif defined(Q_OS_WIN)
        HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
        if (!h)
            return false;
        DWORD code = 0;
        const bool running = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
        CloseHandle(h);
        return running;
#else
        return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
    }

private:
    QHash<qint64, QByteArray> startTimes_;
};

DesktopLauncher*& installed()
{
    static DesktopLauncher* launcher = nullptr;
    return launcher;
}

} // namespace

DesktopLauncher& desktopLauncher()
{
    static QtDesktopLauncher real;
    return installed() ? *installed() : real;
}

DesktopLauncher* setDesktopLauncher(DesktopLauncher* launcher)
{
    DesktopLauncher* old = installed();
    installed() = launcher;
    return old;
}

} // namespace platform
