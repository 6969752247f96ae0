#include "util/modutils.h"

#include "errors/procedure.h"
#include "platform/appinfo.h"

using errors::Function;

namespace {
QChar separator()
{
    return platform::hasDriveLetters() ? QLatin1Char('\\') : QLatin1Char('/');
}
bool endsInSeparator(const QString& path)
{
    return path.endsWith(QLatin1Char('\\')) || path.endsWith(separator());
}
} // namespace

QString utStringRepeat(const QString& text, int count)
{
    if (count < 1)
        return QString();
    return text.repeated(count);
}

QString utPathBackslashAdd(const QString& path)
{
    return Function<QString>(QStringLiteral("utPathBackslashAdd()"),
                             [&](QString& r) { r = endsInSeparator(path) ? path : path + separator(); });
}

QString utPathBackslashRemove(const QString& path)
{
    return Function<QString>(QStringLiteral("utPathBackslashRemove()"),
                             [&](QString& r) { r = endsInSeparator(path) ? path.left(path.size() - 1) : path; });
}
