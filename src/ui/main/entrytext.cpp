#include "ui/main/entrytext.h"

#include <cmath>
#include <limits>

namespace entrytext {

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    auto digits = [&] {
        const qsizetype from = i;
        while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
            ++i;
        return i - from;
    };
    qsizetype mantissa = digits();
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0;
    qsizetype end = i;
    // An exponent counts only when digits follow it.
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        if (digits() > 0)
            end = i;
    }
    bool ok = false;
    const double v = text.mid(start, end - start).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0;
    return v == 0 ? 0.0 : v; // no "-0"
}

QString decimalText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

int roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (value <= lo)
        return std::numeric_limits<int>::min();
    if (value >= hi)
        return std::numeric_limits<int>::max();
    // Halves go to the even neighbour whatever rounding mode is in force.
    const double down = std::floor(value);
    const double diff = value - down;
    double r = diff > 0.5 ? down + 1 : diff < 0.5 ? down : (std::fmod(down, 2.0) == 0 ? down : down + 1);
    return int(r);
}

QString normaliseOctet(const QString& text)
{
    const double v = leadingNumber(text);
    if (v > 255 || v < 0)
        return QStringLiteral("0");
    return decimalText(v);
}

OctetKey octetKey(int keyAscii, bool boxEmpty)
{
    if (keyAscii == '.')
        return OctetKey::NextBox;
    if (keyAscii >= '0' && keyAscii <= '9')
        return OctetKey::Type;
    if (keyAscii == 8)
        return boxEmpty ? OctetKey::PreviousBox : OctetKey::Type;
    return OctetKey::Refuse;
}

std::optional<PastedAddress> pastedAddress(const QString& text)
{
    return pastetext::Parse(text.toStdString());
}

} // namespace entrytext
