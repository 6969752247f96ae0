#include "model/binarytext.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace binarytext {

namespace {

template <typename Ch> double toDecOf(const Ch* p, qsizetype size)
{
    qsizetype from = 0;
    qsizetype to = size;
    while (from < to && p[from] == Ch(' '))
        ++from;
    while (to > from && p[to - 1] == Ch(' '))
        --to;
    const qsizetype n = to - from;
    if (n <= 53) {
        // Every partial sum of the weights is a whole number below 2^53 here,
        // so adding them as doubles and as integers gives the same value.
        std::uint64_t v = 0;
        for (qsizetype i = from; i < to; ++i)
            v = v * 2 + (p[i] == Ch('1') ? 1 : 0);
        return double(v);
    }
    double weight = std::ldexp(1.0, int(qMin<qsizetype>(n, 1 << 20)) - 1);
    double sum = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (p[i] == Ch('1'))
            sum += weight;
        weight /= 2;
    }
    return sum;
}

constexpr double twoTo64 = 18446744073709551616.0;

// The shortest binary text of every octet value: the model converts octets
// by the dozen on each refresh.
struct OctetDigits {
    char c[8];
    int n;
};
struct OctetTable {
    OctetDigits v[256];
};
constexpr OctetTable makeOctetTable()
{
    OctetTable t{};
    for (int value = 0; value < 256; ++value) {
        int digits = 1;
        while (digits < 8 && (value >> digits) != 0)
            ++digits;
        for (int i = 0; i < 8; ++i)
            t.v[value].c[i] = i < digits ? char('0' + ((value >> (digits - 1 - i)) & 1)) : '\0';
        t.v[value].n = digits;
    }
    return t;
}
constexpr OctetTable octetTable = makeOctetTable();

} // namespace

constexpr bool kLittleEndian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;

// Octets are read by the dozen on each refresh: eight digits of only "0" and
// "1" are gathered at once, a bit from each character.
double toDec(const QString& text)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
    if (kLittleEndian && text.size() == 8) {
        std::uint64_t w[2];
        std::memcpy(w, p, sizeof w);
        constexpr std::uint64_t lanes = 0x0001000100010001ULL;
        if ((w[0] & ~lanes) == 0x30 * lanes && (w[1] & ~lanes) == 0x30 * lanes) {
            // Lane i of a word holds digit i; the product's top lane collects
            // them most significant first.
            const auto four = [](std::uint64_t word) { return unsigned(((word & lanes) * 0x0008000400020001ULL) >> 48); };
            return double((four(w[0]) & 15) << 4 | (four(w[1]) & 15));
        }
    }
    return toDecOf(p, text.size());
}

double toDec(const Bits& text)
{
    if (kLittleEndian && text.n > 0 && text.n <= 8) {
        std::uint64_t w;
        std::memcpy(&w, text.c, 8); // the slack behind the digits is readable
        const std::uint64_t keep = text.n == 8 ? ~0ULL : (1ULL << (8 * text.n)) - 1;
        constexpr std::uint64_t lanes = 0x0101010101010101ULL;
        w &= keep;
        if ((w & ~lanes) == (0x30 * lanes & keep)) {
            // Byte i holds digit i; the product's top byte collects them most
            // significant first.
            const unsigned v = unsigned(((w & lanes) * 0x8040201008040201ULL) >> 56);
            return double(v >> (8 - text.n));
        }
    }
    return toDecOf(text.c, text.n);
}

void fromDec(double value, Bits& out)
{
    out.n = 0;
    if (value >= 0 && value < twoTo64) {
        // Below 2^64 the halving powers pick exactly the digits of the whole
        // part, which the integer gives directly.
        const auto whole = std::uint64_t(value);
        if (whole < 256) {
            const OctetDigits& d = octetTable.v[whole];
            std::memcpy(out.c, d.c, 8);
            out.n = d.n;
            return;
        }
        const int digits = 64 - __builtin_clzll(whole);
        for (int i = 0; i < digits; ++i)
            out.c[i] = char('0' + (whole >> (digits - 1 - i) & 1));
        out.n = digits;
        return;
    }
    bool leading = true;
    double power = twoTo64;
    while (power >= 1) {
        if (value / power >= 1) {
            value -= power;
            out.append('1');
            leading = false;
        } else if (!leading) {
            out.append('0');
        }
        power /= 2;
    }
    if (out.n == 0)
        out.append('0');
}

QString fromDec(double value)
{
    Bits out;
    fromDec(value, out);
    return out.toQString();
}

namespace {
qsizetype dottedSize(qsizetype digits)
{
    return digits > 0 ? digits + (digits - 1) / 8 : 0;
}

// into resized to size, keeping its storage when it is its own and roomy
// enough; false when it has to be built afresh.
bool reuse(QString& into, qsizetype size)
{
    if (!into.isDetached() || into.capacity() < size)
        return false;
    if (into.size() != size)
        into.resize(size);
    return true;
}
} // namespace

void assign(const Bits& text, QString& into)
{
    if (!reuse(into, text.n)) {
        into = text.toQString();
        return;
    }
    char16_t* to = reinterpret_cast<char16_t*>(into.data());
    for (int i = 0; i < text.n; ++i)
        to[i] = static_cast<unsigned char>(text.c[i]);
}

void dotsAdd(QStringView bits, QString& into)
{
    const qsizetype n = bits.size();
    const bool same = bits.utf16() == reinterpret_cast<const char16_t*>(into.constData());
    if (same || bits.contains(QLatin1Char('.')) || !reuse(into, dottedSize(n))) {
        into = dotsAdd(bits.toString());
        return;
    }
    char16_t* to = reinterpret_cast<char16_t*>(into.data());
    const char16_t* from = bits.utf16();
    for (qsizetype group = 0; group * 8 < n; ++group) {
        const qsizetype len = qMin<qsizetype>(8, n - group * 8);
        if (group > 0)
            to[group * 9 - 1] = u'.';
        std::copy_n(from + group * 8, len, to + group * 9);
    }
}

QString dotsAdd(const QString& bits)
{
    const qsizetype dots = bits.contains(QLatin1Char('.')) ? bits.count(QLatin1Char('.')) : 0;
    const qsizetype n = bits.size() - dots;
    QString out(dottedSize(n), Qt::Uninitialized);
    QChar* o = out.data();
    const QChar* in = bits.constData();
    if (dots == 0) {
        // The usual case, a text without dots: whole groups at a time.
        for (qsizetype p = 0; p < n; p += 8) {
            const qsizetype len = qMin<qsizetype>(8, n - p);
            if (p > 0)
                *o++ = QLatin1Char('.');
            std::memcpy(o, in + p, size_t(len) * sizeof(QChar));
            o += len;
        }
        return out;
    }
    qsizetype p = 0;
    for (const QChar ch : bits) {
        if (ch == QLatin1Char('.'))
            continue;
        if (p > 0 && p % 8 == 0)
            *o++ = QLatin1Char('.');
        *o++ = ch;
        ++p;
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

void binaryAnd(const Bits& number, const Bits& mask, Bits& out)
{
    const int both = number.n < mask.n ? number.n : mask.n;
    for (int i = 0; i < both; ++i)
        out.c[i] = char('0' + ((number.c[i] == '1') & (mask.c[i] == '1')));
    for (int i = both; i < number.n; ++i)
        out.c[i] = '0';
    out.n = number.n;
}

} // namespace binarytext
