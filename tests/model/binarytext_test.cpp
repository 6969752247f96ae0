// The binary-text routines against a plain reading of their rules, over every
// short text of an alphabet with the characters that must not count as digits.
#include "model/binarytext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Blanks around the text are ignored; each other character is a digit place,
// and only "1" counts as a one.
double plainValue(const std::u16string& text)
{
    size_t from = 0;
    size_t to = text.size();
    while (from < to && text[from] == u' ')
        ++from;
    while (to > from && text[to - 1] == u' ')
        --to;
    double v = 0;
    for (size_t i = from; i < to; ++i)
        v = v * 2 + (text[i] == u'1' ? 1 : 0);
    return v;
}

// Every text of the given length over the alphabet, as its index in base 5.
std::u16string textNumber(int index, int length)
{
    static const char16_t alphabet[] = {u'0', u'1', u' ', u'x', u'\u0131'}; // the last ends in 0x31 like "1"
    std::u16string text;
    for (int i = 0; i < length; ++i, index /= 5)
        text += alphabet[index % 5];
    return text;
}

TEST(BinaryText, ValueOfEveryShortTextMatchesThePlainReading)
{
    for (int length = 1; length <= 8; ++length) {
        int count = 1;
        for (int i = 0; i < length; ++i)
            count *= 5;
        for (int index = 0; index < count; ++index) {
            const std::u16string text = textNumber(index, length);
            const QString q = QString::fromStdU16String(text);
            const double expected = plainValue(text);
            ASSERT_EQ(binarytext::toDec(q), expected) << q.toStdString();

            binarytext::Bits bits;
            for (char16_t ch : text)
                bits.append(char(ch)); // U+0131 becomes the byte 0x31, "1"
            std::u16string narrowed;
            for (char16_t ch : text)
                narrowed += char16_t(static_cast<unsigned char>(char(ch)));
            ASSERT_EQ(binarytext::toDec(bits), plainValue(narrowed)) << q.toStdString();
        }
    }
}

TEST(BinaryText, DotsGoBetweenGroupsOfEightFromTheLeft)
{
    struct Row {
        const char* in;
        const char* out;
    };
    const Row rows[] = {
        {"", ""},
        {"1", "1"},
        {"10101010", "10101010"},
        {"101010101", "10101010.1"},
        {"11000000101010000000000100000001", "11000000.10101000.00000001.00000001"},
        {"1100000010101000000000010000000111", "11000000.10101000.00000001.00000001.11"},
        {"1100.0000", "11000000"}, // dots already there are taken out first
    };
    for (const Row& r : rows) {
        const QString in = QLatin1String(r.in);
        EXPECT_EQ(binarytext::dotsAdd(in), QLatin1String(r.out)) << r.in;
        // Into a text of the caller's: roomy, too small, shared, or the input itself.
        QString into = QStringLiteral("old text that is long enough for any of these rows");
        into.detach();
        binarytext::dotsAdd(in, into);
        EXPECT_EQ(into, QLatin1String(r.out)) << r.in;
        QString small = QStringLiteral("x");
        small.detach();
        binarytext::dotsAdd(in, small);
        EXPECT_EQ(small, QLatin1String(r.out)) << r.in;
        QString held = QStringLiteral("held elsewhere, long enough for every row here");
        held.detach();
        const QString holder = held;
        binarytext::dotsAdd(in, held);
        EXPECT_EQ(held, QLatin1String(r.out)) << r.in;
        EXPECT_EQ(holder, QStringLiteral("held elsewhere, long enough for every row here"));
        QString self = in;
        self.reserve(64);
        binarytext::dotsAdd(self, self);
        EXPECT_EQ(self, QLatin1String(r.out)) << r.in;
    }
    binarytext::Bits bits;
    bits.append('1', 32);
    EXPECT_EQ(binarytext::dotsAdd(bits.toQString()), QStringLiteral("11111111.11111111.11111111.11111111"));
}

} // namespace
