#include "cli/addressinput.h"

namespace cli {

namespace {

std::string quoted(std::string_view s)
{
    return '"' + std::string(s) + '"';
}

bool allDigits(std::string_view s)
{
    for (char ch : s) {
        if (ch < '0' || ch > '9')
            return false;
    }
    return true;
}

// One decimal octet; kind and number name it in a message ("octet 2",
// "mask octet 2"). The name is only put together for a message: a report
// reads hundreds of thousands of octets.
std::optional<int> parseOctet(std::string_view s, const char* kind, int number, std::string& problem)
{
    if (!s.empty() && s.size() <= 3 && allDigits(s) && (s.size() == 1 || s[0] != '0')) {
        int v = 0;
        for (char ch : s)
            v = v * 10 + (ch - '0');
        if (v <= 255)
            return v;
    }
    const std::string what = kind + (' ' + std::to_string(number));
    if (s.empty()) {
        problem = what + " is empty";
        return std::nullopt;
    }
    if (!allDigits(s)) {
        problem = what + ' ' + quoted(s) + " is not a decimal number";
        return std::nullopt;
    }
    if (s.size() > 1 && s[0] == '0') {
        problem = what + ' ' + quoted(s) + " has a leading zero";
        return std::nullopt;
    }
    if (s.size() > 3) {
        problem = what + " is " + std::string(s) + ", more than 255";
        return std::nullopt;
    }
    int v = 0;
    for (char ch : s)
        v = v * 10 + (ch - '0');
    if (v > 255) {
        problem = what + " is " + std::to_string(v) + ", more than 255";
        return std::nullopt;
    }
    return v;
}

// Four dot-separated octets; whole names them all ("the address", "the mask"),
// octet one of them ("octet", "mask octet").
std::optional<std::array<int, 4>> parseDotted(std::string_view s, const char* whole, const char* octet,
                                              std::string& problem)
{
    // One pass splits the text: a report reads hundreds of thousands of them.
    std::array<std::string_view, 4> octets;
    size_t parts = 0;
    size_t from = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i < s.size() && s[i] != '.')
            continue;
        if (parts < octets.size())
            octets[parts] = s.substr(from, i - from);
        ++parts;
        from = i + 1;
    }
    if (parts != 4) {
        problem =
            std::string(whole) + " has " + std::to_string(parts) + (parts == 1 ? " octet" : " octets") + "; it needs 4";
        return std::nullopt;
    }
    std::array<int, 4> out{};
    for (size_t k = 0; k < 4; ++k) {
        const auto v = parseOctet(octets[k], octet, int(k) + 1, problem);
        if (!v)
            return std::nullopt;
        out[k] = *v;
    }
    return out;
}

std::string rangeProblem(int bits, const std::string& what)
{
    return what + " gives " + std::to_string(bits) + " mask bits; the report takes " + std::to_string(kMinMaskBits) +
           " to " + std::to_string(kMaxMaskBits);
}

std::optional<int> parseMask(std::string_view s, std::string& problem)
{
    if (s.find('.') != std::string_view::npos) {
        const auto octets = parseDotted(s, "the mask", "mask octet", problem);
        if (!octets)
            return std::nullopt;
        const unsigned mask = unsigned(octets->at(0)) << 24 | unsigned(octets->at(1)) << 16 |
                              unsigned(octets->at(2)) << 8 | unsigned(octets->at(3));
        int bits = 0;
        while (bits < 32 && (mask >> (31 - bits) & 1u))
            ++bits;
        const unsigned contiguous = bits == 0 ? 0u : unsigned(0xFFFFFFFFull << (32 - bits));
        if (mask != contiguous) {
            problem = "mask " + std::string(s) + " is not contiguous: its one bits must all come first";
            return std::nullopt;
        }
        if (bits < kMinMaskBits || bits > kMaxMaskBits) {
            problem = rangeProblem(bits, "mask " + std::string(s));
            return std::nullopt;
        }
        return bits;
    }
    if (s.empty()) {
        problem = "the mask length after \"/\" is empty";
        return std::nullopt;
    }
    if (!allDigits(s)) {
        problem = "mask length " + quoted(s) + " is not a decimal number";
        return std::nullopt;
    }
    if (s.size() > 1 && s[0] == '0') {
        problem = "mask length " + quoted(s) + " has a leading zero";
        return std::nullopt;
    }
    if (s.size() > 2) {
        problem = "mask length " + std::string(s) + " is outside " + std::to_string(kMinMaskBits) + " to " +
                  std::to_string(kMaxMaskBits);
        return std::nullopt;
    }
    const int bits = s.size() == 1 ? s[0] - '0' : (s[0] - '0') * 10 + (s[1] - '0');
    if (bits < kMinMaskBits || bits > kMaxMaskBits) {
        problem = "mask length " + std::to_string(bits) + " is outside " + std::to_string(kMinMaskBits) + " to " +
                  std::to_string(kMaxMaskBits);
        return std::nullopt;
    }
    return bits;
}

} // namespace

std::optional<AddressInput> ParseAddress(std::string_view text, std::string& problem)
{
    if (text.empty()) {
        problem = "empty input; write ADDRESS/BITS, such as 192.168.1.1/24";
        return std::nullopt;
    }
    const size_t slash = text.find('/');
    const std::string_view address = text.substr(0, slash);
    if (address.find('.') == std::string_view::npos) {
        problem = "not an address; write ADDRESS/BITS, such as 192.168.1.1/24";
        return std::nullopt;
    }
    const auto octets = parseDotted(address, "the address", "octet", problem);
    if (!octets)
        return std::nullopt;
    if (slash == std::string_view::npos) {
        problem = "no mask; add /BITS (8 to 31) or /MASK, such as /24 or /255.255.255.0";
        return std::nullopt;
    }
    const auto bits = parseMask(text.substr(slash + 1), problem);
    if (!bits)
        return std::nullopt;
    return AddressInput{*octets, *bits};
}

} // namespace cli
