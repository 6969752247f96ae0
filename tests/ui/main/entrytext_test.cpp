#include "ui/main/entrytext.h"

#include <gtest/gtest.h>

using namespace entrytext;

TEST(EntryText, LeadingNumberReadsUpToTheFirstCharacterThatCannotContinueIt)
{
    const std::pair<const char*, double> cases[] = {
        {"", 0},        {"abc", 0}, {"007", 7}, {"  12", 12},  {"12a", 12},  {"1.5", 1.5},
        {".5", 0.5},    {"-5", -5}, {"+3", 3},  {"1e3", 1000}, {"1e", 1},    {"1e+", 1},
        {"2.5.1", 2.5}, {"-", 0},   {".", 0},   {"1 2", 1},    {"300", 300}, {"-0", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromLatin1(text)), value) << text;
}

TEST(EntryText, HalfToEvenRounding)
{
    const std::pair<double, int> cases[] = {
        {1.5, 2},   {2.5, 2}, {0.5, 0}, {3.5, 4},           {-2.5, -2},
        {-1.5, -2}, {2.4, 2}, {2.6, 3}, {1e12, 2147483647}, {-1e12, -2147483647 - 1}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

TEST(EntryText, OctetBoxIsNormalisedWhenLeft)
{
    const std::pair<const char*, const char*> cases[] = {{"300", "0"},  {"255", "255"}, {"256", "0"},   {"00", "0"},
                                                         {"", "0"},     {"007", "7"},   {"1.5", "1.5"}, {"-5", "0"},
                                                         {"12x", "12"}, {"1e5", "0"},   {"abc", "0"},   {"-0", "0"}};
    for (const auto& [typed, left] : cases)
        EXPECT_EQ(normaliseOctet(QString::fromLatin1(typed)), QLatin1String(left)) << typed;
}
