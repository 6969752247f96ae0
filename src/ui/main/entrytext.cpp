#include "ui/main/entrytext.h"

#include "model/dotted.h"
#include "model/masklength.h"
#include "model/shown.h"

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

namespace {

// A mask length the mask box can show, written "26" or "255.255.255.192".
std::optional<int> maskLength(std::string_view text)
{
    int bits = 0;
    if (text.find('.') != std::string_view::npos) {
        const auto mask = dotted::Parse(text);
        if (!mask)
            return std::nullopt;
        while (bits < 32 && (*mask >> (31 - bits) & 1u))
            ++bits;
        // Ones after a zero: not a mask.
        if (*mask != (bits == 0 ? 0u : std::uint32_t(0xFFFFFFFFull << (32 - bits))))
            return std::nullopt;
    } else {
        // One or two digits without a leading zero, as the mask box shows them.
        if (text.empty() || text.size() > 2 || text.front() == '0' ||
            text.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        for (const char c : text)
            bits = bits * 10 + (c - '0');
    }
    if (bits < masklength::kEntryMin || bits > masklength::kEntryMax)
        return std::nullopt;
    return bits;
}

} // namespace

std::optional<PastedAddress> pastedAddress(const QString& text)
{
    const std::string utf8 = text.toStdString();
    const std::string_view whole = Trimmed(utf8);
    // The address ends at a slash or at the first blank.
    const size_t end = whole.find_first_of("/ \t");
    const auto address = dotted::Parse(whole.substr(0, end));
    if (!address)
        return std::nullopt;
    PastedAddress pasted{*address, std::nullopt};
    if (end == std::string_view::npos)
        return pasted;
    std::string_view mask = whole.substr(end + 1);
    if (whole[end] != '/') {
        // After blanks only a dotted mask: "192.168.1.77 26" could be two things.
        mask = Trimmed(mask);
        if (mask.find('.') == std::string_view::npos)
            return std::nullopt;
    }
    pasted.maskBits = maskLength(mask);
    if (!pasted.maskBits)
        return std::nullopt;
    return pasted;
}

} // namespace entrytext
