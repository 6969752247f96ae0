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

// A paste is a whole address with an optional mask the mask box can show;
// anything else is nothing, as a typed letter is.
TEST(EntryText, PastedTextIsAWholeAddressWithAnOptionalMaskOrNothing)
{
    const std::tuple<const char*, std::uint32_t, int> taken[] = {// bits 0: the mask stays
                                                                 {"192.168.1.77/26", 0xC0A8014D, 26},
                                                                 {"192.168.1.77 255.255.255.192", 0xC0A8014D, 26},
                                                                 {"192.168.1.77", 0xC0A8014D, 0},
                                                                 {" \t10.1.2.3/8\r\n", 0x0A010203, 8},
                                                                 {"10.1.2.3\t255.255.255.254", 0x0A010203, 31},
                                                                 {"10.1.2.3/255.255.0.0", 0x0A010203, 16},
                                                                 {"10.1.2.3   255.255.0.0", 0x0A010203, 16},
                                                                 {"0.0.0.0/31", 0, 31}};
    for (const auto& [text, address, bits] : taken) {
        const auto pasted = pastedAddress(QString::fromLatin1(text));
        ASSERT_TRUE(pasted) << text;
        EXPECT_EQ(pasted->address, address) << text;
        EXPECT_EQ(pasted->maskBits.value_or(0), bits) << text;
    }
    // Beyond the mask box, not a mask, bits after a blank (ambiguous), not a
    // whole address, or more than one.
    for (const char* text :
         {"192.168.1.77/32", "192.168.1.77/7", "192.168.1.77 255.255.255.255", "192.168.1.77 254.0.0.0",
          "192.168.1.77 255.0.255.0", "192.168.1.77/026", "192.168.1.77/", "192.168.1.77/26x", "192.168.1.77 26",
          "192.168.1.77 /26", "192.168.1.77/26/24", "192.168.1.256", "192.168.01.77", "192.168.1", "77", "1.5", "",
          "hello", "192.168.1.77\n10.0.0.1"})
        EXPECT_FALSE(pastedAddress(QString::fromLatin1(text))) << text;
}
