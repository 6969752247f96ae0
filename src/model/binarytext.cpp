#include "model/binarytext.h"

#include <cmath>

namespace binarytext {

double toDec(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    const qsizetype n = to - from;
    double weight = std::ldexp(1.0, int(n) - 1);
    double sum = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (text.at(i) == QLatin1Char('1'))
            sum += weight;
        weight /= 2;
    }
    return sum;
}

QString fromDec(double value)
{
    QChar buf[65];
    int len = 0;
    bool leading = true;
    double power = 18446744073709551616.0; // 2^64
    while (power >= 1) {
        if (value / power >= 1) {
            value -= power;
            buf[len++] = QLatin1Char('1');
            leading = false;
        } else if (!leading) {
            buf[len++] = QLatin1Char('0');
        }
        power /= 2;
    }
    if (len == 0)
        return QStringLiteral("0");
    return QString(buf, len);
}

QString dotsAdd(const QString& bits)
{
    QString s = bits;
    s.remove(QLatin1Char('.'));
    QString out;
    out.reserve(s.size() + s.size() / 8);
    for (qsizetype p = 0; p < s.size(); ++p) {
        if (p > 0 && p % 8 == 0)
            out += QLatin1Char('.');
        out += s.at(p);
    }
    return out;
}

QString binaryAnd(const QString& number, const QString& mask)
{
    QString out(number.size(), QLatin1Char('0'));
    const qsizetype m = mask.size();
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (number.at(i) == QLatin1Char('1') && i < m && mask.at(i) == QLatin1Char('1'))
            out[i] = QLatin1Char('1');
    }
    return out;
}

} // namespace binarytext
