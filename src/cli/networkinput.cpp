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

namespace {

// One end of a range: a bare address of either family.
struct End {
    bool ipv6 = false;
    net::uint128 value = 0;
};

std::optional<End> parseEnd(std::string_view text, std::string_view which, std::string& problem)
{
    text = Trimmed(text);
    const auto fail = [&](const std::string& why) -> std::optional<End> {
        problem = std::string(which) + ' ' + Shown(text) + ": " + why;
        return std::nullopt;
    };
    if (text.empty())
        return fail("no address");
    if (text.find('/') != std::string_view::npos)
        return fail("a range's ends are addresses, without \"/\"");
    std::string why;
    if (IsIPv6Text(text)) {
        const auto a = ipv6text::Parse(text, &why);
        if (!a)
            return fail(why);
        if (!a->zone.empty())
            return fail("a zone names a link, not addresses; leave out \"%" + a->zone + "\"");
        return End{true, a->value};
    }
    if (text.find('.') == std::string_view::npos)
        return fail("not an address");
    const auto a = dotted::Parse(text, &why);
    if (!a)
        return fail(why);
    return End{false, *a};
}

} // namespace

std::optional<SetItem> ParseRange(std::string_view firstText, std::string_view lastText, std::string& problem)
{
    const auto first = parseEnd(firstText, "first address", problem);
    if (!first)
        return std::nullopt;
    const auto last = parseEnd(lastText, "last address", problem);
    if (!last)
        return std::nullopt;
    if (first->ipv6 != last->ipv6) {
        problem = "the first address is " + std::string(first->ipv6 ? "IPv6" : "IPv4") + " and the last " +
                  (last->ipv6 ? "IPv6" : "IPv4") + "; a range has one family";
        return std::nullopt;
    }
    if (first->value > last->value) {
        problem = "the first address comes after the last";
        return std::nullopt;
    }
    SetItem item;
    item.ipv6 = first->ipv6;
    item.range = true;
    if (item.ipv6)
        item.span6 = {first->value, last->value};
    else
        item.span4 = {std::uint32_t(first->value), std::uint32_t(last->value)};
    return item;
}

std::optional<SetItem> ParseSetItem(std::string_view text, std::string& problem)
{
    text = Trimmed(text);
    // A range has an address before its "-": "10.0.0.0/-1" is a network with
    // a bad length, "--json" a stray option.
    const size_t dash = text.find('-');
    if (dash != std::string_view::npos && dash > 0 && text.substr(0, dash).find('/') == std::string_view::npos)
        return ParseRange(text.substr(0, dash), text.substr(dash + 1), problem);
    if (text.find_first_of(" \t,") != std::string_view::npos) {
        problem = "more than one network; give one a line";
        return std::nullopt;
    }
    SetItem item;
    if (IsIPv6Text(text)) {
        auto n = ParseNetwork6(text, problem);
        if (!n)
            return std::nullopt;
        if (!n->zone.empty()) {
            problem = "a zone names a link, not addresses; leave out \"%" + n->zone + "\"";
            return std::nullopt;
        }
        item.ipv6 = true;
        item.network6 = n->network;
        item.span6 = net::Span<128>::of(n->network);
        return item;
    }
    const auto n = ParseNetwork(text, problem);
    if (!n)
        return std::nullopt;
    item.network4 = *n;
    item.span4 = net::Span<32>::of(*n);
    return item;
}

} // namespace cli
