#include "cli/addressinput.h"

#include <algorithm>
#include <charconv>

namespace cli {

namespace {

constexpr size_t kShownLength = 64;

bool isDigits(std::string_view s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// One decimal octet; kind and number name it in a message ("octet 2",
// "mask octet 2"), put together only for a message.
std::optional<std::uint32_t> parseOctet(std::string_view s, const char* kind, int number, std::string& problem)
{
    unsigned v = 0;
    if (!s.empty() && s.size() <= 3 && (s.size() == 1 || s[0] != '0') &&
        std::from_chars(s.data(), s.data() + s.size(), v).ptr == s.data() + s.size() && v <= 255)
        return v;
    const std::string what = kind + (' ' + std::to_string(number));
    if (s.empty())
        problem = what + " is empty";
    else if (!isDigits(s))
        problem = what + ' ' + Shown(s) + " is not a decimal number";
    else if (s[0] == '0')
        problem = what + ' ' + Shown(s) + " has a leading zero";
    else
        problem = what + ' ' + Shown(s) + " is more than 255";
    return std::nullopt;
}

// Four dot-separated octets; whole names them all ("the address", "the mask"),
// kind one of them ("octet", "mask octet").
std::optional<std::uint32_t> parseDotted(std::string_view s, const char* whole, const char* kind,
                                         std::string& problem)
{
    const size_t parts = size_t(std::count(s.begin(), s.end(), '.')) + 1;
    if (parts != 4) {
        problem = std::string(whole) + " has " + std::to_string(parts) + " parts; it needs 4 octets";
        return std::nullopt;
    }
    std::uint32_t value = 0;
    size_t from = 0;
    for (int k = 1; k <= 4; ++k) {
        const size_t dot = s.find('.', from);
        const auto octet = parseOctet(s.substr(from, dot - from), kind, k, problem);
        if (!octet)
            return std::nullopt;
        value = value << 8 | *octet;
        from = dot + 1;
    }
    return value;
}

std::optional<int> parseMask(std::string_view s, std::string& problem)
{
    const auto range = [] { return " outside " + std::to_string(kMinMaskBits) + " to " + std::to_string(kMaxMaskBits); };
    if (s.find('.') != std::string_view::npos) {
        const auto mask = parseDotted(s, "the mask", "mask octet", problem);
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

std::string_view Trimmed(std::string_view text)
{
    constexpr const char* blanks = " \t\r\n\f\v";
    const size_t from = text.find_first_not_of(blanks);
    if (from == std::string_view::npos)
        return {};
    return text.substr(from, text.find_last_not_of(blanks) - from + 1);
}

std::string Shown(std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (size_t i = 0; i < text.size() && i < kShownLength; ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        if (ch == '\t') {
            out += "\\t";
        } else if (ch < 0x20 || ch >= 0x7f || ch == '\\' || ch == '"') {
            if (ch == '\\' || ch == '"') {
                out += '\\';
                out += char(ch);
            } else {
                out += "\\x";
                out += hex[ch >> 4];
                out += hex[ch & 15];
            }
        } else {
            out += char(ch);
        }
    }
    out += '"';
    if (text.size() > kShownLength)
        out += "\xE2\x80\xA6"; // …
    return out;
}

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
    const auto value = parseDotted(address, "the address", "octet", problem);
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
