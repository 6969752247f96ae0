#include "ui/debug/debugsnapshot.h"

#include "errors/apphooks.h"
#include "errors/clserrhandler.h"
#include "platform/clock.h"
#include "platform/forms.h"
#include "util/modutils.h"

#include <QCoreApplication>

DebugSnapshot takeDebugSnapshot()
{
    DebugSnapshot s;
    for (const std::string& entry : gErrHandler().CurrentStack())
        if (!entry.empty())
            s.stack << QStringLiteral("%1  %2")
                           .arg(s.stack.size() + 1, 2, 10, QLatin1Char('0'))
                           .arg(QString::fromStdString(entry));

    for (const platform::Form* f : platform::Forms::loaded()) {
        QString line = f->Name() + QStringLiteral(" - \"") + f->Caption() + QLatin1Char('"');
        if (!f->Visible())
            line += QStringLiteral(" (hidden)");
        s.windows << line;
    }

    QStringList args = QCoreApplication::arguments().mid(1);
    for (QString& a : args)
        if (a.contains(QLatin1Char(' ')))
            a = QLatin1Char('"') + a + QLatin1Char('"');
    s.commandLine = QStringLiteral("cmd: ") + args.join(QLatin1Char(' '));

    const errors::AppHooks* hooks = errors::appHooks();
    const auto start = hooks ? hooks->startTime() : std::nullopt;
    s.upTime =
        upTimeText(start ? QDateTime::fromMSecsSinceEpoch(
                               std::chrono::duration_cast<std::chrono::milliseconds>(start->time_since_epoch()).count())
                         : QDateTime(),
                   platform::Now());
    return s;
}

QString upTimeText(const QDateTime& start, const QDateTime& now)
{
    if (!start.isValid())
        return QStringLiteral("Uptime: not started");
    const qint64 seconds = std::clamp<qint64>(start.secsTo(now), 0, std::numeric_limits<int>::max());
    return QStringLiteral("Uptime: ") + utFormatSecondsAsNiceTime(int(seconds));
}
