#include "cli/reportwriter.h"

#include "cli/reportparts.h"

#include "model/dotted.h"
#include "util/textsink.h"

#include <string_view>

namespace cli {

namespace {

using namespace std::string_view_literals;

constexpr size_t kCaptionWidth = 19; // "Broadcast Address: "
constexpr size_t kBinaryWidth = 35;  // 32 digits and 3 dots
constexpr size_t kValueColumn = kCaptionWidth + kBinaryWidth + 2;
constexpr size_t kStatsCaptionWidth = 26; // "Usable IPs (All Subnets): "
using parts::columns;
using parts::kLineWidth;
using parts::pad;

// Dotted binary digits, each coloured by its portion.
void appendBinary(TextSink& out, std::string_view bits, std::string_view portions, Colour colour)
{
    parts::appendPortions(out, bits, portions, colour, "."sv);
}

// A value in the value column; one that would run past the line continues on
// the next, broken before a note in brackets.
void appendValue(TextSink& out, std::string_view value)
{
    const size_t room = kLineWidth - kValueColumn;
    while (columns(value) > room) {
        const size_t cut = value.rfind(" ("sv, room);
        if (cut == 0 || cut == std::string_view::npos)
            break;
        (out << value.substr(0, cut) << '\n').spaces(kValueColumn);
        value.remove_prefix(cut + 1);
    }
    out << value;
}

void appendRow(TextSink& out, std::string_view caption, std::string_view bits, std::string_view portions,
               std::string_view value, Colour colour)
{
    out << caption;
    size_t used = caption.size();
    if (!bits.empty()) {
        pad(out, used, kCaptionWidth);
        appendBinary(out, bits, portions, colour);
        used = kCaptionWidth + bits.size();
    }
    if (!value.empty()) {
        pad(out, used, kValueColumn);
        appendValue(out, value);
    }
    out << '\n';
}

TextSink& statCaption(TextSink& out, std::string_view caption)
{
    out << caption;
    pad(out, caption.size(), kStatsCaptionWidth);
    return out;
}

void appendStat(TextSink& out, std::string_view caption, std::string_view value)
{
    statCaption(out, caption) << value << '\n';
}

TextSink& appendDotted(TextSink& out, std::uint32_t value)
{
    char text[dotted::kMaxLength];
    return out << std::string_view(text, size_t(dotted::Format(value, text) - text));
}

// The network with its length, as "192.168.1.64/26".
TextSink& appendCidr(TextSink& out, const SubnetFacts& f)
{
    return appendDotted(out, f.network) << '/' << std::int64_t(f.maskBits);
}

// JSON members of the IPv4 report's kinds.
class JsonObject : public parts::JsonObject {
public:
    using parts::JsonObject::JsonObject;
    void address(std::string_view name, std::uint32_t value) { appendDotted(key(name) << '"', value) << '"'; }
    void cidr(std::string_view name, const SubnetFacts& f) { appendCidr(key(name) << '"', f) << '"'; }
    void note(std::string_view name, FieldNote value)
    {
        switch (value) {
        case FieldNote::Broadcast: text(name, "broadcast"sv); break;
        case FieldNote::Network: text(name, "network"sv); break;
        case FieldNote::None: null(name); break;
        }
    }
};

} // namespace

void AppendText(TextSink& out, const SubnetFacts& f, const SubnetTexts& t, Colour colour)
{
    // Which portion each of the 32 digits belongs to, and the same as a row
    // of letters under the digits, as the window's bars mark them.
    char portions[32];
    std::memset(portions, 'N', size_t(f.networkBits));
    std::memset(portions + f.networkBits, 'S', size_t(f.subnetBits));
    std::memset(portions + f.networkBits + f.subnetBits, 'H', size_t(f.hostBits));
    char letters[kBinaryWidth];
    for (size_t i = 0, at = 0; i < 32; ++i) {
        if (i > 0 && i % 8 == 0)
            letters[at++] = '.';
        letters[at++] = portions[i];
    }
    const std::string_view digitPortions(portions, 32);

    const size_t start = out.size();
    out << "Address:"sv;
    pad(out, 8, kCaptionWidth);
    out << t.ip << " / "sv << std::int64_t(f.maskBits);
    pad(out, out.size() - start, kValueColumn);
    out << "Class: "sv << t.className << "\n\n"sv;
    out.spaces(kCaptionWidth) << "Binary:"sv;
    out.spaces(kBinaryWidth + 2 - 7) << "Value:\n"sv;

    appendRow(out, "IP Address:"sv, t.ipBinary, digitPortions, t.ip, colour);
    appendRow(out, "Subnet Address:"sv, t.maskBinary, digitPortions, t.mask, colour);
    out << '\n';
    appendRow(out, "Network Address:"sv, t.networkBinary, digitPortions, t.network, colour);
    appendRow(out, "Broadcast Address:"sv, t.broadcastBinary, digitPortions, t.broadcast, colour);
    out << '\n';
    appendRow(out, "Host Portion:"sv, t.hostBinary, digitPortions, t.host, colour);
    appendRow(out, "Subnet Portion:"sv, t.subnetBinary, digitPortions, t.subnet, colour);
    appendRow(out, "Portions:"sv, std::string_view(letters, kBinaryWidth), digitPortions, "N net, S subnet, H host"sv,
              colour);
    out << '\n' << t.range << "\n\n"sv;
    appendStat(out, "Number of subnets:"sv, t.subnets);
    appendStat(out, "Num hosts per subnet:"sv, t.hostsPerSubnet);
    appendStat(out, "Usable IPs (All Subnets):"sv, t.usable);
    appendStat(out, "Bits for Network:"sv, t.networkBits);
    appendStat(out, "Bits for Subnet:"sv, t.subnetBits);
    appendStat(out, "Bits for Hosts:"sv, t.hostBits);
    appendDotted(statCaption(out, "Wildcard Mask:"sv), f.wildcard()) << '\n';
    appendCidr(statCaption(out, "CIDR Notation:"sv), f) << '\n';
    parts::appendType(statCaption(out, "Type:"sv), *specialpurpose::Lookup4(f.address), kStatsCaptionWidth);
    const reversezones::Zones zones(net::Network4(f.address, f.maskBits));
    parts::appendZones(out, "Reverse Zone(s):"sv, kStatsCaptionWidth, zones);
    if (!zones.delegation().empty())
        appendStat(out, "RFC 2317 Name:"sv, zones.delegation());
}

void AppendJson(TextSink& out, const SubnetFacts& f, const SubnetTexts& t)
{
    {
        JsonObject o(out);
        o.address("address"sv, f.address);
        o.number("mask_bits"sv, f.maskBits);
        o.address("mask"sv, f.mask);
        o.address("wildcard"sv, f.wildcard());
        o.address("network"sv, f.network);
        o.cidr("cidr"sv, f);
        o.address("broadcast"sv, f.broadcast);
        o.text("class"sv, std::string_view(&f.classLetter, 1));
        o.number("class_bits"sv, f.classBits);
        o.flag("private"sv, f.isPrivate);
        o.flag("loopback"sv, f.isLoopback);
        o.flag("subnetted"sv, f.subnetted);
        o.flag("supernet"sv, f.supernet);
        o.number("network_bits"sv, f.networkBits);
        o.number("subnet_bits"sv, f.subnetBits);
        o.number("host_bits"sv, f.hostBits);
        o.number("host_number"sv, f.hostNumber);
        o.note("host_note"sv, f.hostNote);
        if (f.subnetted)
            o.number("subnet_number"sv, f.subnetNumber);
        else
            o.null("subnet_number"sv);
        o.note("subnet_note"sv, f.subnetNote);
        o.number("subnets_total"sv, f.totalSubnets);
        o.number("subnets_usable"sv, f.usableSubnets);
        o.number("hosts_total"sv, f.totalHosts);
        o.number("hosts_usable"sv, f.usableHosts);
        o.number("usable_addresses"sv, f.usableAddresses);
        o.fraction("usable_share"sv, f.usableShare);
        o.number("joined_networks"sv, f.joinedNetworks);
        if (f.hasUsableHosts) {
            o.address("first_usable"sv, f.firstUsable);
            o.address("last_usable"sv, f.lastUsable);
        } else {
            o.null("first_usable"sv);
            o.null("last_usable"sv);
        }
        o.number("version"sv, 4);
        parts::jsonType(o, *specialpurpose::Lookup4(f.address));
        const reversezones::Zones zones(net::Network4(f.address, f.maskBits));
        parts::jsonZones(o, zones);
        if (zones.delegation().empty())
            o.null("reverse_rfc2317"sv);
        else
            o.text("reverse_rfc2317"sv, zones.delegation());
        JsonObject text(o.key("text"sv));
        for (const TextField& field : kTextFields)
            text.text(field.key, t.*field.text);
    }
    out << '\n';
}

} // namespace cli
