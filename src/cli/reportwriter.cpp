#include "cli/reportwriter.h"

#include <charconv>
#include <string_view>

namespace cli {

namespace {

using namespace std::string_view_literals;

constexpr size_t kCaptionWidth = 19; // "Broadcast Address: "
constexpr size_t kBinaryWidth = 35;  // 32 digits and 3 dots
constexpr size_t kValueColumn = kCaptionWidth + kBinaryWidth + 2;
constexpr size_t kLineWidth = 80;
constexpr size_t kStatsCaptionWidth = 26; // "Usable IPs (All Subnets): "
constexpr std::string_view kReset = "\x1b[0m"sv;

// Characters, not bytes: the decimal separator may take several bytes.
size_t columns(std::string_view s)
{
    size_t n = 0;
    for (char ch : s)
        n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return n;
}

void pad(std::string& out, size_t used, size_t column)
{
    out.append(used < column ? column - used : 1, ' ');
}

// Which portion each of the 32 digits belongs to: 'N', 'S' or 'H'.
std::string portionsOf(const SubnetFacts& f)
{
    return std::string(size_t(f.networkBits), 'N') + std::string(size_t(f.subnetBits), 'S') +
           std::string(size_t(f.hostBits), 'H');
}

std::string_view colourOf(char portion)
{
    switch (portion) {
    case 'N': return "\x1b[38;2;0;192;0m"sv;
    case 'S': return "\x1b[38;2;255;128;128m"sv;
    default: return "\x1b[38;2;128;128;255m"sv;
    }
}

// Dotted binary digits, each coloured by its portion.
void appendBinary(std::string& out, std::string_view bits, const std::string& portions, Colour colour)
{
    if (colour == Colour::Off) {
        out += bits;
        return;
    }
    char current = 0;
    size_t digit = 0;
    for (char ch : bits) {
        if (ch == '.') {
            if (current)
                out += kReset;
            current = 0;
            out += '.';
            continue;
        }
        const char p = portions[digit++];
        if (p != current) {
            if (current)
                out += kReset;
            out += colourOf(p);
            current = p;
        }
        out += ch;
    }
    if (current)
        out += kReset;
}

// A value in the value column; one that would run past the line continues on
// the next, broken before a note in brackets.
void appendValue(std::string& out, std::string_view value)
{
    const size_t room = kLineWidth - kValueColumn;
    while (columns(value) > room) {
        const size_t cut = value.rfind(" ("sv, room);
        if (cut == 0 || cut == std::string_view::npos)
            break;
        out += value.substr(0, cut);
        out += '\n';
        out.append(kValueColumn, ' ');
        value.remove_prefix(cut + 1);
    }
    out += value;
}

void appendRow(std::string& out, std::string_view caption, std::string_view bits, const std::string& portions,
               std::string_view value, Colour colour)
{
    out += caption;
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
    out += '\n';
}

void appendStat(std::string& out, std::string_view caption, std::string_view value)
{
    out += caption;
    pad(out, caption.size(), kStatsCaptionWidth);
    out += value;
    out += '\n';
}

void appendJsonString(std::string& out, std::string_view s)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (char ch : s) {
        switch (ch) {
        case '"': out += "\\\""sv; break;
        case '\\': out += "\\\\"sv; break;
        case '\n': out += "\\n"sv; break;
        case '\t': out += "\\t"sv; break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                out += "\\u00"sv;
                out += hex[(ch >> 4) & 15];
                out += hex[ch & 15];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

// The members of one JSON object, separated by commas as they are added.
class JsonObject {
public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    std::string& key(std::string_view name)
    {
        if (!first_)
            out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\":"sv;
        return out_;
    }
    void text(std::string_view name, std::string_view value) { appendJsonString(key(name), value); }
    void address(std::string_view name, std::uint32_t value) { text(name, DottedDecimal(value)); }
    void number(std::string_view name, std::int64_t value) { key(name) += std::to_string(value); }
    void fraction(std::string_view name, double value)
    {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        key(name).append(digits, end);
    }
    void flag(std::string_view name, bool value) { key(name) += value ? "true"sv : "false"sv; }
    void null(std::string_view name) { key(name) += "null"sv; }
    void note(std::string_view name, FieldNote value)
    {
        switch (value) {
        case FieldNote::Broadcast: text(name, "broadcast"sv); break;
        case FieldNote::Network: text(name, "network"sv); break;
        case FieldNote::None: null(name); break;
        }
    }

private:
    std::string& out_;
    bool first_ = true;
};

} // namespace

void AppendText(std::string& out, const SubnetFacts& f, const SubnetTexts& t, Colour colour)
{
    const std::string portions = portionsOf(f);
    out += "Address:"sv;
    pad(out, 8, kCaptionWidth);
    const std::string heading = t.ip + " / " + std::to_string(f.maskBits);
    out += heading;
    pad(out, kCaptionWidth + heading.size(), kValueColumn);
    out += "Class: "sv;
    out += t.className;
    out += "\n\n"sv;
    out.append(kCaptionWidth, ' ');
    out += "Binary:"sv;
    out.append(kBinaryWidth + 2 - 7, ' ');
    out += "Value:\n"sv;

    appendRow(out, "IP Address:"sv, t.ipBinary, portions, t.ip, colour);
    appendRow(out, "Subnet Address:"sv, t.maskBinary, portions, t.mask, colour);
    out += '\n';
    appendRow(out, "Network Address:"sv, t.networkBinary, portions, t.network, colour);
    appendRow(out, "Broadcast Address:"sv, t.broadcastBinary, portions, t.broadcast, colour);
    out += '\n';
    appendRow(out, "Host Portion:"sv, t.hostBinary, portions, t.host, colour);
    appendRow(out, "Subnet Portion:"sv, t.subnetBinary, portions, t.subnet, colour);
    // The window's bars, as a row of letters under the digits.
    std::string letters = portions;
    for (size_t dot : {24, 16, 8})
        letters.insert(dot, 1, '.');
    appendRow(out, "Portions:"sv, letters, portions, "N net, S subnet, H host"sv, colour);
    out += '\n';
    out += t.range;
    out += "\n\n"sv;
    appendStat(out, "Number of subnets:"sv, t.subnets);
    appendStat(out, "Num hosts per subnet:"sv, t.hostsPerSubnet);
    appendStat(out, "Usable IPs (All Subnets):"sv, t.usable);
    appendStat(out, "Bits for Network:"sv, t.networkBits);
    appendStat(out, "Bits for Subnet:"sv, t.subnetBits);
    appendStat(out, "Bits for Hosts:"sv, t.hostBits);
}

void AppendJson(std::string& out, const SubnetFacts& f, const SubnetTexts& t)
{
    {
        JsonObject o(out);
        o.address("address"sv, f.address);
        o.number("mask_bits"sv, f.maskBits);
        o.address("mask"sv, f.mask);
        o.address("network"sv, f.network);
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
        JsonObject text(o.key("text"sv));
        for (const TextField& field : kTextFields)
            text.text(field.key, t.*field.text);
    }
    out += '\n';
}

} // namespace cli
