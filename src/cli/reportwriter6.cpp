// The IPv6 report: the address in both forms with its portions coloured,
// the hextets a boundary cuts in binary, then the network's facts.
#include "cli/reportparts.h"
#include "cli/reportwriter.h"

#include "model/dotted.h"
#include "model/ipv6facts.h"
#include "model/ipv6text.h"

#include <cstring>

namespace cli {

namespace {

using namespace std::string_view_literals;
using parts::pad;

constexpr size_t kCaption = 17; // "Reverse Zone(s): "

// Which portion each of the 128 bits is in: network (N), subnet ID (S, the
// bits after the routing prefix when --site is given) and interface (H).
struct Portions {
    char bit[128];
    Portions(const Report6& r)
    {
        const int length = r.network.length();
        const int site = r.site.value_or(length);
        std::memset(bit, 'N', size_t(site));
        std::memset(bit + site, 'S', size_t(length - site));
        std::memset(bit + length, 'H', size_t(128 - length));
    }
    // A hex digit's portion; '*' for one that a boundary cuts.
    char digit(int k) const
    {
        const char* b = bit + 4 * k;
        return b[0] == b[3] ? b[0] : '*';
    }
};

TextSink& appendAddress(TextSink& out, net::uint128 value)
{
    char text[ipv6text::kMaxLength];
    return out << std::string_view(text, size_t(ipv6text::Format(value, text) - text));
}

TextSink& appendDotted(TextSink& out, std::uint32_t value)
{
    char text[dotted::kMaxLength];
    return out << std::string_view(text, size_t(dotted::Format(value, text) - text));
}

TextSink& caption(TextSink& out, std::string_view text)
{
    out << text;
    pad(out, text.size(), kCaption);
    return out;
}

// The hextets a boundary (the routing prefix's end or the prefix's) cuts,
// in binary by nibbles, with their portions.
void appendCutHextets(TextSink& out, const Report6& r, const Portions& p, Colour colour)
{
    int cut[2], cuts = 0;
    for (int boundary : {r.site.value_or(0), r.network.length()})
        if (boundary % 16 != 0 && (cuts == 0 || cut[0] != boundary / 16))
            cut[cuts++] = boundary / 16;
    for (int i = 0; i < cuts; ++i) {
        const int h = cut[i];
        const unsigned hextet = unsigned(r.network.address() >> (112 - 16 * h)) & 0xFFFF;
        char bits[19], letters[19];
        for (int b = 0, at = 0; b < 16; ++b) {
            if (b > 0 && b % 4 == 0) {
                bits[at] = letters[at] = ' ';
                ++at;
            }
            bits[at] = char('0' + (hextet >> (15 - b) & 1));
            letters[at++] = p.bit[16 * h + b];
        }
        caption(out, "Hextet " + std::to_string(h + 1) + ':');
        parts::appendPortions(out, std::string_view(bits, 19), std::string_view(p.bit + 16 * h, 16), colour, " "sv);
        out << "  "sv << std::string_view(letters, 19) << '\n';
    }
}

const char* kindKey(ipv6facts::Carrier c)
{
    switch (c) {
    case ipv6facts::Carrier::Mapped: return "ipv4-mapped";
    case ipv6facts::Carrier::SixToFour: return "6to4";
    case ipv6facts::Carrier::Nat64: return "nat64";
    case ipv6facts::Carrier::Teredo: return "teredo";
    }
    return "";
}

// The subnet ID's value: the bits from the routing prefix to the prefix length.
net::uint128 subnetId(const Report6& r, int site)
{
    const int bits = r.network.length() - site;
    if (bits == 0)
        return 0;
    return (r.network.address() << site) >> (128 - bits);
}

TextSink& appendCidr(TextSink& out, net::uint128 network, int length)
{
    return appendAddress(out, network) << '/' << std::int64_t(length);
}

} // namespace

void AppendText6(TextSink& out, const Report6& r, Colour colour)
{
    const net::Network6& n = r.network;
    const net::uint128 a = n.address();
    const Portions p(r);
    char digits[32];
    for (int k = 0; k < 32; ++k)
        digits[k] = p.digit(k);

    appendAddress(caption(out, "Address:"sv), a);
    if (!r.zone.empty())
        out << '%' << r.zone;
    out << '/' << std::int64_t(n.length()) << '\n';
    caption(out, "Expanded:"sv);
    parts::appendPortions(out, ipv6text::Expanded(a), std::string_view(digits, 32), colour, ":"sv);
    out << '\n';
    char letters[39];
    for (int k = 0, at = 0; k < 32; ++k) {
        if (k > 0 && k % 4 == 0)
            letters[at++] = ':';
        letters[at++] = digits[k];
    }
    caption(out, "Portions:"sv) << std::string_view(letters, 39) << "  N=net S=subnet H=host\n"sv;
    appendCutHextets(out, r, p, colour);
    out << '\n';

    if (r.site) {
        appendCidr(caption(out, "Routing Prefix:"sv), n.supernet(*r.site).network(), *r.site) << '\n';
        // "2 of 65536 (16 bits)", the count on a line of its own when the
        // numbers are too long for one.
        const int bits = n.length() - *r.site;
        const std::string id = ipv6text::Decimal(net::Count128(subnetId(r, *r.site)));
        const std::string of = "of " + ipv6text::Decimal(net::Count128(1) << bits) + " (" + std::to_string(bits) +
                               (bits == 1 ? " bit)" : " bits)");
        caption(out, "Subnet ID:"sv) << id;
        if (kCaption + id.size() + 1 + of.size() > parts::kLineWidth)
            (out << '\n').spaces(kCaption);
        else
            out << ' ';
        out << of << '\n';
    }
    appendCidr(caption(out, "Network:"sv), n.network(), n.length()) << '\n';
    appendAddress(caption(out, "Last Address:"sv), n.broadcast()) << '\n';
    caption(out, "Addresses:"sv) << ipv6text::Decimal(n.size()) << '\n';
    if (const auto subnets = ipv6facts::Subnets64(n))
        caption(out, "/64 Subnets:"sv) << ipv6text::Decimal(*subnets) << '\n';
    if (n.length() >= 64) {
        caption(out, "Interface ID:"sv) << ipv6facts::InterfaceIdText(a) << '\n';
        if (const auto mac = ipv6facts::MacOf(a))
            caption(out, "MAC (EUI-64):"sv) << ipv6facts::MacText(*mac) << '\n';
    }
    if (const auto e = ipv6facts::EmbeddedIPv4(a)) {
        caption(out, "Embedded IPv4:"sv);
        if (e->carrier == ipv6facts::Carrier::Teredo) {
            appendDotted(out << "server "sv, e->ipv4);
            appendDotted(out << ", client "sv, e->client) << ':' << std::int64_t(e->port);
        } else {
            appendDotted(out, e->ipv4);
        }
        out << " ("sv << ipv6facts::CarrierName(e->carrier) << ")\n"sv;
    }
    parts::appendType(caption(out, "Type:"sv), *specialpurpose::Lookup6(a), kCaption);
    parts::appendZones(out, "Reverse Zone(s):"sv, kCaption, reversezones::Zones(n));
}

void AppendJson6(TextSink& out, const Report6& r)
{
    const net::Network6& n = r.network;
    const net::uint128 a = n.address();
    {
        parts::JsonObject o(out);
        const auto address = [&](std::string_view name, net::uint128 value) {
            appendAddress(o.key(name) << '"', value) << '"';
        };
        const auto count = [&](std::string_view name, const net::Count128& value) {
            o.key(name) << '"' << ipv6text::Decimal(value) << '"';
        };
        o.number("version"sv, 6);
        address("address"sv, a);
        o.text("expanded"sv, ipv6text::Expanded(a));
        if (r.zone.empty())
            o.null("zone"sv);
        else
            o.text("zone"sv, r.zone);
        o.number("mask_bits"sv, n.length());
        if (r.site) {
            o.number("site_bits"sv, *r.site);
            appendCidr(o.key("routing_prefix"sv) << '"', n.supernet(*r.site).network(), *r.site) << '"';
            count("subnet_id"sv, net::Count128(subnetId(r, *r.site)));
        } else {
            o.null("site_bits"sv);
            o.null("routing_prefix"sv);
            o.null("subnet_id"sv);
        }
        address("network"sv, n.network());
        appendCidr(o.key("cidr"sv) << '"', n.network(), n.length()) << '"';
        address("last_address"sv, n.broadcast());
        count("addresses"sv, n.size());
        if (const auto subnets = ipv6facts::Subnets64(n))
            count("subnets_64"sv, *subnets);
        else
            o.null("subnets_64"sv);
        const auto mac = n.length() >= 64 ? ipv6facts::MacOf(a) : std::nullopt;
        if (n.length() >= 64)
            o.text("interface_id"sv, ipv6facts::InterfaceIdText(a));
        else
            o.null("interface_id"sv);
        o.flag("eui64"sv, mac.has_value());
        if (mac)
            o.text("mac"sv, ipv6facts::MacText(*mac));
        else
            o.null("mac"sv);
        const auto e = ipv6facts::EmbeddedIPv4(a);
        const bool teredo = e && e->carrier == ipv6facts::Carrier::Teredo;
        if (e) {
            appendDotted(o.key("embedded_ipv4"sv) << '"', e->ipv4) << '"';
            o.text("embedded_ipv4_kind"sv, kindKey(e->carrier));
        } else {
            o.null("embedded_ipv4"sv);
            o.null("embedded_ipv4_kind"sv);
        }
        if (teredo) {
            appendDotted(o.key("teredo_client"sv) << '"', e->client) << '"';
            o.number("teredo_port"sv, e->port);
        } else {
            o.null("teredo_client"sv);
            o.null("teredo_port"sv);
        }
        parts::jsonType(o, *specialpurpose::Lookup6(a));
        parts::jsonZones(o, reversezones::Zones(n));
    }
    out << '\n';
}

} // namespace cli
