#pragma once
// Arithmetic on texts of binary digits. Pure functions: the address model
// exposes them as its own operations.
#include <QString>

#include <cstdint>
#include <cstring>

namespace binarytext {

// Value of a binary text: only "1" counts as a one; blanks around it are ignored.
double toDec(const QString& text);
// Shortest binary text of the whole part of value ("0" for zero and below).
QString fromDec(double value);
// Groups of eight from the left, joined by ".".
QString dotsAdd(const QString& bits);
// The same into a text of the caller's, reusing its storage when it can.
void dotsAdd(QStringView bits, QString& into);
// Character-wise AND, as long as number; a missing mask digit counts as "0".
QString binaryAnd(const QString& number, const QString& mask);

// A short text held without allocation: the model's working form of the
// texts it passes between its own members, which a full refresh reads by the
// hundred. Long enough for every text the model builds (at most 65 digits);
// the slack behind it lets copies and fills move whole words.
struct Bits {
    static constexpr int Capacity = 72;
    alignas(8) char c[Capacity + 8];
    int n;

    Bits() : n(0) {} // the digits are written before they are read
    void append(char ch) { c[n++] = ch; }
    // count copies of ch; nothing when count is below 1.
    void append(char ch, int count)
    {
        count = clampCount(count);
        const std::uint64_t word = 0x0101010101010101ULL * static_cast<unsigned char>(ch);
        for (int i = 0; i < count; i += 8)
            std::memcpy(c + n + i, &word, 8);
        n += count;
    }
    // count characters of other from position from (counted from 0), as far as it reaches.
    void append(const Bits& other, int from, int count)
    {
        from = from < 0 ? 0 : from > other.n ? other.n : from;
        count = clampCount(count > other.n - from ? other.n - from : count);
        for (int i = 0; i < count; i += 8)
            std::memcpy(c + n + i, other.c + from + i, 8);
        n += count;
    }
    // The digits of other, left-padded with "0" to 8 characters.
    void appendOctet(const Bits& other)
    {
        if (other.n <= 8 && n <= Capacity - 8) {
            std::memcpy(c + n, "00000000", 8);
            std::memcpy(c + n + 8 - other.n, other.c, 8); // the slack takes the overhang
            n += 8;
        } else {
            append('0', 8 - other.n);
            append(other, 0, other.n);
        }
    }
    QString toQString() const { return QString::fromLatin1(c, n); }

private:
    int clampCount(int count) const { return count < 0 ? 0 : count > Capacity - n ? Capacity - n : count; }
};

double toDec(const Bits& text);
void fromDec(double value, Bits& out);
// text into a text of the caller's, reusing its storage when it can.
void assign(const Bits& text, QString& into);
void binaryAnd(const Bits& number, const Bits& mask, Bits& out);

} // namespace binarytext
