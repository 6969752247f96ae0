#include "platform/desktopshell.h"

#include "platform/desktoplauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace platform {

Shell::~Shell() = default;

namespace {

using namespace shellcode;

enum class Verb { Open, Explore, Print, Unknown };

Verb verbOf(const QString& verb)
{
    const QString v = verb.trimmed().toLower();
    if (v.isEmpty() || v == QLatin1String("open"))
        return Verb::Open;
    if (v == QLatin1String("explore"))
        return Verb::Explore;
    if (v == QLatin1String("print"))
        return Verb::Print;
    return Verb::Unknown;
}

// "%NAME%" becomes the variable's value; unknown names stay as written.
QString expandEnvironment(const QString& text)
{
    static const QRegularExpression var(QStringLiteral("%([^%]+)%"));
    QString out;
    qsizetype last = 0;
    for (auto it = var.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QByteArray name = m.captured(1).toLocal8Bit();
        out += text.mid(last, m.capturedStart() - last);
        out += qEnvironmentVariableIsSet(name.constData()) ? qEnvironmentVariable(name.constData()) : m.captured();
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

// "scheme:..." with a scheme of two letters or more; "C:\..." is a path.
bool hasUrlScheme(const QString& file)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]+:"));
    return scheme.match(file).hasMatch();
}

QString resolveLocal(QString file, const QString& directory)
{
    if (file == QLatin1String("~") || file.startsWith(QLatin1String("~/")))
        file = QDir::homePath() + file.mid(1);
    file = QDir::fromNativeSeparators(file);
    if (QDir::isAbsolutePath(file))
        return QDir::cleanPath(file);
    const QString base = directory.isEmpty() ? QDir::currentPath() : QDir::fromNativeSeparators(directory);
    return QDir::cleanPath(QDir(base).absoluteFilePath(file));
}

// Why a local name could not be found: its folder is missing, or only the file.
long missingCode(const QString& absolute)
{
    return QFileInfo(QFileInfo(absolute).absolutePath()).isDir() ? FileNotFound : PathNotFound;
}

class DesktopShell : public Shell {
public:
    // The owner window and the show code have no counterpart in the desktop's
    // openers, which place their own windows.
    long execute(long, const QString& verb, const QString& file, const QString& parameters, const QString& directory,
                 int) override
    {
        return launch(verb, file, parameters, directory, false, nullptr);
    }

    bool executeEx(ShellExecuteInfo& info) override
    {
        qint64 pid = 0;
        info.instApp =
            launch(info.verb, info.file, info.parameters, info.directory, (info.mask & SeeMaskDoEnvSubst) != 0, &pid);
        info.process = (info.mask & SeeMaskNoCloseProcess) ? pid : 0;
        return info.instApp > 32;
    }

    bool exitCodeOfProcess(qint64 process, long* exitCode) override
    {
        if (process <= 0)
            return false;
        // A detached process is not our child: whether it runs is all we can
        // learn, and an ended one reports 0.
        *exitCode = desktopLauncher().isRunning(process) ? StillActive : 0;
        return true;
    }

private:
    static long openWithHandler(const QUrl& url) { return desktopLauncher().openUrl(url) ? Accepted : NoAssociation; }

    // pid is given by the extended launch only: it alone runs executable
    // files and programs found on the search path; a simple launch hands
    // everything to a handler.
    static long launch(const QString& verbText, QString file, const QString& parameters, const QString& directory,
                       bool expand, qint64* pid)
    {
        const Verb verb = verbOf(verbText);
        if (verb == Verb::Unknown)
            return NoAssociation;
        if (expand)
            file = expandEnvironment(file);
        if (file.trimmed().isEmpty())
            return FileNotFound;

        if (hasUrlScheme(file)) {
            const QUrl url(file, QUrl::TolerantMode);
            if (!url.isValid())
                return FileNotFound;
            if (!url.isLocalFile())
                return verb == Verb::Open ? openWithHandler(url) : NoAssociation;
            file = url.toLocalFile();
        }

        const bool mayStart = pid != nullptr;
        QString path = resolveLocal(file, directory);
        QFileInfo info(path);
        if (!info.exists() && mayStart && verb == Verb::Open && !file.contains(QLatin1Char('/')) &&
            !file.contains(QLatin1Char('\\'))) {
            const QString found = QStandardPaths::findExecutable(file);
            if (!found.isEmpty()) {
                path = found;
                info = QFileInfo(path);
            }
        }
        if (!info.exists())
            return missingCode(path);

        if (info.isDir()) {
            if (verb == Verb::Print)
                return NoAssociation;
            return openWithHandler(QUrl::fromLocalFile(path));
        }
        if (!info.isFile() || verb == Verb::Explore)
            return NoAssociation;
        if (verb == Verb::Print)
            return desktopLauncher().printFile(path) ? Accepted : NoAssociation;

        if (mayStart && info.isExecutable()) {
            if (!directory.isEmpty() && !QFileInfo(QDir::fromNativeSeparators(directory)).isDir())
                return PathNotFound;
            const QStringList args = QProcess::splitCommand(parameters);
            if (desktopLauncher().startProgram(path, args, QDir::fromNativeSeparators(directory), pid))
                return Accepted;
            // An executable bit alone does not make a program (files on
            // foreign file systems carry it): let the handler try.
            if (!parameters.trimmed().isEmpty())
                return AccessDenied;
        }
        return openWithHandler(QUrl::fromLocalFile(path));
    }
};

} // namespace

Shell& desktopShell()
{
    static DesktopShell shell;
    return shell;
}

} // namespace platform
