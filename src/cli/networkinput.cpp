#include "cli/networkinput.h"

#include "model/decimal.h"
#include "model/dotted.h"
#include "model/ipv6text.h"
#include "model/shown.h"

#include <charconv>

namespace cli {

std::optional<int> ParseMaskBits(std::string_view s, int min, int max, std::string& problem)
{
    const auto range = [&] { return " outside " + std::to_string(min) + " to " + std::to_string(max); };
    if (s.find('.') != std::string_view::npos) {
        const auto mask = dotted::Parse(s, &problem, "the mask", "mask octet");
        if (!mask)
            return std::nullopt;
        const int bits = net::Network4::lengthOfMask(*mask);
        if (bits < 0) {
            problem = "the mask is not contiguous: its one bits must all come first";
            return std::nullopt;
        }
        if (bits < min || bits > max) {
            problem = "the mask has " + std::to_string(bits) + " bits," + range();
            return std::nullopt;
        }
        return bits;
    }
    if (s.empty()) {
        problem = "the mask length after \"/\" is empty";
        return std::nullopt;
    }
    problem = decimal::Fault("mask length", s);
    if (!problem.empty())
        return std::nullopt;
    int bits = 0;
    if (s.size() > 3 || std::from_chars(s.data(), s.data() + s.size(), bits).ec != std::errc() || bits < min ||
        bits > max) {
        problem = "mask length " + Shown(s) + " is" + range();
        return std::nullopt;
    }
    return bits;
}

std::optional<Slashed> ParseSlashed(std::string_view text, std::string_view article, std::string_view noun,
                                    std::string_view example, std::string& problem)
{
    const auto fail = [&](std::string_view start) -> std::optional<Slashed> {
        problem = std::string(start) + std::string(noun) + "; write ADDRESS/BITS, such as " + std::string(example);
        return std::nullopt;
    };
    text = Trimmed(text);
    if (text.empty())
        return fail("empty ");
    const size_t slash = text.find('/');
    const std::string_view address = text.substr(0, slash);
    if (address.find('.') == std::string_view::npos)
        return fail("not " + std::string(article) + ' ');
    const auto value = dotted::Parse(address, &problem);
    if (!value)
        return std::nullopt;
    Slashed s;
    s.address = *value;
    if (slash != std::string_view::npos)
        s.mask = text.substr(slash + 1);
    return s;
}

std::optional<net::Network4> ParseNetwork(std::string_view text, std::string& problem)
{
    const auto s = ParseSlashed(text, "a", "network", "10.0.0.0/8", problem);
    if (!s)
        return std::nullopt;
    if (!s->mask)
        return net::Network4(s->address, 32);
    const auto bits = ParseMaskBits(*s->mask, 0, 32, problem);
    if (!bits)
        return std::nullopt;
    return net::Network4(s->address, *bits);
}

std::optional<Network6Input> ParseNetwork6(std::string_view text, std::string& problem)
{
    text = Trimmed(text);
    const size_t slash = text.find('/');
    auto address = ipv6text::Parse(text.substr(0, slash), &problem);
    if (!address)
        return std::nullopt;
    int length = 128;
    if (slash != std::string_view::npos) {
        const std::string_view s = text.substr(slash + 1);
        if (s.empty()) {
            problem = "the prefix length after \"/\" is empty";
            return std::nullopt;
        }
        problem = decimal::Fault("prefix length", s);
        if (!problem.empty())
            return std::nullopt;
        if (s.size() > 3 || std::from_chars(s.data(), s.data() + s.size(), length).ec != std::errc() ||
            !net::Network6::validLength(length)) {
            problem = "prefix length " + Shown(s) + " is outside 0 to 128";
            return std::nullopt;
        }
    }
    return Network6Input{net::Network6(address->value, length), std::move(address->zone)};
}

} // namespace cli
