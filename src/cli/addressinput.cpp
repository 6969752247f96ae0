#include "cli/addressinput.h"

#include "model/dotted.h"

#include <algorithm>
#include <charconv>

namespace cli {

namespace {

bool isDigits(std::string_view s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<int> parseMask(std::string_view s, std::string& problem)
{
    const auto range = [] { return " outside " + std::to_string(kMinMaskBits) + " to " + std::to_string(kMaxMaskBits); };
    if (s.find('.') != std::string_view::npos) {
        const auto mask = dotted::Parse(s, &problem, "the mask", "mask octet");
        if (!mask)
            return std::nullopt;
        int bits = 0;
        while (bits < 32 && (*mask >> (31 - bits) & 1u))
            ++bits;
        if (*mask != (bits == 0 ? 0u : std::uint32_t(0xFFFFFFFFull << (32 - bits)))) {
            problem = "the mask is not contiguous: its one bits must all come first";
            return std::nullopt;
        }
        if (bits < kMinMaskBits || bits > kMaxMaskBits) {
            problem = "the mask has " + std::to_string(bits) + " bits," + range();
            return std::nullopt;
        }
        return bits;
    }
    if (s.empty()) {
        problem = "the mask length after \"/\" is empty";
        return std::nullopt;
    }
    if (!isDigits(s)) {
        problem = "mask length " + Shown(s) + " is not a decimal number";
        return std::nullopt;
    }
    if (s.size() > 1 && s[0] == '0') {
        problem = "mask length " + Shown(s) + " has a leading zero";
        return std::nullopt;
    }
    int bits = 0;
    if (s.size() > 2 || std::from_chars(s.data(), s.data() + s.size(), bits).ec != std::errc() ||
        bits < kMinMaskBits || bits > kMaxMaskBits) {
        problem = "mask length " + Shown(s) + " is" + range();
        return std::nullopt;
    }
    return bits;
}

} // namespace

std::optional<AddressInput> ParseAddress(std::string_view text, std::string& problem)
{
    text = Trimmed(text);
    if (text.empty()) {
        problem = "empty address; write ADDRESS/BITS, such as 192.168.1.1/24";
        return std::nullopt;
    }
    const size_t slash = text.find('/');
    const std::string_view address = text.substr(0, slash);
    if (address.find('.') == std::string_view::npos) {
        problem = "not an address; write ADDRESS/BITS, such as 192.168.1.1/24";
        return std::nullopt;
    }
    const auto value = dotted::Parse(address, &problem);
    if (!value)
        return std::nullopt;
    if (slash == std::string_view::npos) {
        problem = "no mask; add /BITS (8 to 31) or /MASK, such as /24 or /255.255.255.0";
        return std::nullopt;
    }
    const auto bits = parseMask(text.substr(slash + 1), problem);
    if (!bits)
        return std::nullopt;
    return AddressInput{*value, *bits};
}

} // namespace cli
