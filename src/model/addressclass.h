#pragma once
// The classful rules, stated once: which class an address is in (by its
// leading bits) and how many network bits that class has, and which addresses
// are private (RFC 1918) or loopback. The address model matches its text of
// binary digits against the leading bits; the arithmetic reads the value.
#include <cstdint>
#include <iterator>
#include <string_view>

namespace addressclass {

struct AddressClass {
    std::string_view leadingBits; // the first bits of every address of the class
    char letter;
    int bits; // network bits of a class network; D and E count as 8 here
};

// In the order the leading bits are tried; the last one takes whatever is left.
inline constexpr AddressClass kClasses[] = {
    {"0", 'A', 8}, {"10", 'B', 16}, {"110", 'C', 24}, {"1110", 'D', 8}, {"1111", 'E', 8}};
inline constexpr int kClassCount = int(std::size(kClasses));
// The fewest and most network bits a class has.
inline constexpr int kFewestBits = [] {
    int bits = kClasses[0].bits;
    for (const AddressClass& c : kClasses)
        bits = c.bits < bits ? c.bits : bits;
    return bits;
}();
inline constexpr int kMostBits = [] {
    int bits = kClasses[0].bits;
    for (const AddressClass& c : kClasses)
        bits = c.bits > bits ? c.bits : bits;
    return bits;
}();

// The class number, 1 (A) to 5 (E), of an address whose binary text starts
// with `bits`; a text no class's leading bits start counts as the last class.
constexpr int NumberOf(std::string_view bits)
{
    for (int i = 0; i < kClassCount; ++i)
        if (bits.substr(0, kClasses[i].leadingBits.size()) == kClasses[i].leadingBits)
            return i + 1;
    return kClassCount;
}

constexpr const AddressClass& Of(std::uint32_t address)
{
    // Leading ones up to the fourth pick the class: 0 ones A, 1 B, 2 C, 3 D, 4 E.
    int ones = 0;
    while (ones < kClassCount - 1 && (address >> (31 - ones) & 1))
        ++ones;
    return kClasses[ones];
}

// 10/8, 172.16/12 and 192.168/16, from the first two octets.
constexpr bool IsPrivate(int octet1, int octet2)
{
    return octet1 == 10 || (octet1 == 192 && octet2 == 168) || (octet1 == 172 && octet2 >= 16 && octet2 <= 31);
}
constexpr bool IsLoopback(int octet1) { return octet1 == 127; }

constexpr bool IsPrivate(std::uint32_t address) { return IsPrivate(int(address >> 24), int(address >> 16 & 255)); }
constexpr bool IsLoopback(std::uint32_t address) { return IsLoopback(int(address >> 24)); }

} // namespace addressclass
