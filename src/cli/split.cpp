#include "cli/split.h"

#include "cli/grammar.h"
#include "cli/networkinput.h"
#include "cli/output.h"
#include "model/dotted.h"
#include "model/ipv6text.h"
#include "model/masklength.h"
#include "model/shown.h"
#include "model/classtable.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace cli {

namespace {

constexpr std::string_view kHeader[] = {"Subnet", "Network", "First usable", "Last usable", "Broadcast", "Hosts"};
constexpr int kGap = 2;
constexpr int kNetworkWidth = int(dotted::kMaxLength) + 3; // "255.255.255.255/32"
constexpr int kAddressWidth = int(dotted::kMaxLength);
// The longest row: subnet number, network, three addresses, hosts, gaps, newline.
constexpr size_t kMaxRow = 20 + kNetworkWidth + 3 * kAddressWidth + 20 + 5 * kGap + 1;

char* writeNumber(char* at, std::uint64_t n)
{
    return std::to_chars(at, at + 20, n).ptr;
}

char* writeString(char* at, std::string_view s)
{
    std::memcpy(at, s.data(), s.size());
    return at + s.size();
}

char* writeQuoted(char* at, std::uint32_t address)
{
    *at++ = '"';
    at = dotted::Format(address, at);
    *at++ = '"';
    return at;
}

// Rows are written at fixed offsets into a line of blanks: one fill and a
// few conversions a row, no call per piece.
class TextRows {
public:
    explicit TextRows(net::Network4::Count count)
    {
        const int numberWidth = std::max<int>(int(kHeader[0].size()), int(std::to_string(count ? count - 1 : 0).size()));
        offsets_[0] = 0;
        offsets_[1] = numberWidth + kGap;
        offsets_[2] = offsets_[1] + kNetworkWidth + kGap;
        for (int k = 3; k < 6; ++k)
            offsets_[k] = offsets_[k - 1] + kAddressWidth + kGap;
    }

    void header(TextSink& out) const
    {
        char* at = out.reserve(kMaxRow);
        std::memset(at, ' ', size_t(offsets_[5]));
        for (int k = 0; k < 6; ++k)
            writeString(at + offsets_[k], kHeader[k]);
        at = at + offsets_[5] + kHeader[5].size();
        *at++ = '\n';
        out.commit(at);
    }

    void row(TextSink& out, std::uint64_t number, const net::Network4& n, net::Network4::Count hosts,
             bool rfc3021) const
    {
        char* const line = out.reserve(kMaxRow);
        std::memset(line, ' ', size_t(offsets_[5]));
        writeNumber(line, number);
        char* at = dotted::Format(n.network(), line + offsets_[1]);
        *at++ = '/';
        writeNumber(at, std::uint64_t(n.length()));
        if (hosts > 0) {
            dotted::Format(n.firstHost(rfc3021), line + offsets_[2]);
            dotted::Format(n.lastHost(rfc3021), line + offsets_[3]);
        } else {
            line[offsets_[2]] = '-';
            line[offsets_[3]] = '-';
        }
        dotted::Format(n.broadcast(), line + offsets_[4]);
        at = writeNumber(line + offsets_[5], hosts);
        *at++ = '\n';
        out.commit(at);
    }

private:
    int offsets_[6];
};

void jsonRow(TextSink& out, std::uint64_t number, const net::Network4& n, net::Network4::Count hosts, bool rfc3021)
{
    char* at = out.reserve(kMaxRow + 128);
    at = writeString(at, "{\"network\":");
    at = writeQuoted(at, n.network());
    at = writeString(at, ",\"mask_bits\":");
    at = writeNumber(at, std::uint64_t(n.length()));
    if (hosts > 0) {
        at = writeString(at, ",\"first_usable\":");
        at = writeQuoted(at, n.firstHost(rfc3021));
        at = writeString(at, ",\"last_usable\":");
        at = writeQuoted(at, n.lastHost(rfc3021));
    } else {
        at = writeString(at, ",\"first_usable\":null,\"last_usable\":null");
    }
    at = writeString(at, ",\"broadcast\":");
    at = writeQuoted(at, n.broadcast());
    at = writeString(at, ",\"hosts\":");
    at = writeNumber(at, hosts);
    at = writeString(at, ",\"subnet_number\":");
    at = writeNumber(at, number);
    at = writeString(at, "}\n");
    out.commit(at);
}

// IPv6 rows: the subnet's number, its network with length and its last
// address. The number is a decimal string in JSON: it can pass 2^53.
constexpr std::string_view kHeader6[] = {"Subnet", "Network", "Last address"};
constexpr size_t kMaxRow6 = 40 + 2 * ipv6text::kMaxLength + 4 + 3 * kGap + 64;

char* writeNumber128(char* at, net::uint128 n)
{
    if (n >> 64 == 0)
        return writeNumber(at, std::uint64_t(n));
    return writeString(at, ipv6text::Decimal(net::Count128(n)));
}

// Blanks up to `column`, or kGap of them past a text that reaches it.
char* padTo(char* at, char* column)
{
    char* const end = std::max(column, at + kGap);
    std::memset(at, ' ', size_t(end - at));
    return end;
}

class TextRows6 {
public:
    TextRows6(const net::Network6::Subnets& rows, net::Count128 count)
    {
        char text[ipv6text::kMaxLength];
        // The widest texts: every subnet bit set, every host bit set. A row's
        // hextets have no more digits, and more zeros to fold into "::".
        const net::uint128 widest = rows.parent().network() | (rows.parent().hostmask() & net::Network6::maskOf(rows.length()));
        const int networkWidth = int(ipv6text::Format(widest, text) - text) + 1 + int(std::to_string(rows.length()).size());
        const int numberWidth =
            std::max<int>(int(kHeader6[0].size()), int(ipv6text::Decimal(count > 0 ? count - 1 : count).size()));
        offsets_[0] = 0;
        offsets_[1] = numberWidth + kGap;
        offsets_[2] = offsets_[1] + std::max<int>(networkWidth, int(kHeader6[1].size())) + kGap;
    }

    void header(TextSink& out) const
    {
        char* const line = out.reserve(kMaxRow6);
        char* at = writeString(line, kHeader6[0]);
        at = writeString(padTo(at, line + offsets_[1]), kHeader6[1]);
        at = writeString(padTo(at, line + offsets_[2]), kHeader6[2]);
        *at++ = '\n';
        out.commit(at);
    }

    void row(TextSink& out, net::uint128 number, const net::Network6& n) const
    {
        char* const line = out.reserve(kMaxRow6);
        char* at = padTo(writeNumber128(line, number), line + offsets_[1]);
        at = ipv6text::Format(n.network(), at);
        *at++ = '/';
        at = writeNumber(at, std::uint64_t(n.length()));
        at = ipv6text::Format(n.broadcast(), padTo(at, line + offsets_[2]));
        *at++ = '\n';
        out.commit(at);
    }

private:
    int offsets_[3];
};

void jsonRow6(TextSink& out, net::uint128 number, const net::Network6& n)
{
    char* at = out.reserve(kMaxRow6 + 64);
    at = writeString(at, "{\"network\":\"");
    at = ipv6text::Format(n.network(), at);
    at = writeString(at, "\",\"mask_bits\":");
    at = writeNumber(at, std::uint64_t(n.length()));
    at = writeString(at, ",\"last_address\":\"");
    at = ipv6text::Format(n.broadcast(), at);
    at = writeString(at, "\",\"subnet_number\":\"");
    at = writeNumber128(at, number);
    at = writeString(at, "\"}\n");
    out.commit(at);
}

// The IPv6 split: only at a length given with --mask, since class networks
// are IPv4's.
int runSubnets6(const Command& c, Output& out)
{
    const std::string_view operand = c.operands.front();
    std::string problem;
    const auto network = ParseNetwork6(operand, problem);
    if (!network)
        problem = Shown(Trimmed(operand)) + ": " + problem;
    else if (!c.mask)
        problem = Shown(Trimmed(operand)) + " is IPv6: give the subnets' length with --mask BITS (class networks are IPv4 only)";
    else if (c.maskDotted)
        problem = "--mask " + Shown(*c.maskText) + " is a dotted IPv4 mask; an IPv6 network takes a length from " +
                  std::to_string(network->network.length()) + " to 128";
    else if (c.rfc3021)
        problem = "--rfc3021 is for IPv4 networks; an IPv6 network has no broadcast address";
    else if (*c.mask < network->network.length())
        problem = "--mask " + std::to_string(*c.mask) + " is shorter than " + Shown(Trimmed(operand)) +
                  "; its subnets take a mask length from " + std::to_string(network->network.length()) + " to 128";
    if (!problem.empty()) {
        out.problem(problem);
        return kExitBadInput;
    }
    const net::Network6::Subnets rows = network->network.subnets(*c.mask);
    const net::Count128 count = c.limit ? std::min(net::Count128(*c.limit), rows.size()) : rows.size();
    const TextRows6 text(rows, count);
    if (!c.json)
        text.header(out.buffer());
    for (net::uint128 i = 0; net::Count128(i) < count && !out.failed(); ++i) {
        if (c.json)
            jsonRow6(out.buffer(), i, rows[i]);
        else
            text.row(out.buffer(), i, rows[i]);
        out.flushIfFull();
    }
    return out.finish(kExitOk);
}

} // namespace

void WriteSplit(Output& out, const SplitRows& split, bool json, bool rfc3021)
{
    // Every row of a split has the same size, so the same host count.
    const net::Network4::Count hosts = net::Network4(0, split.rows.length()).hosts(rfc3021);
    const TextRows text(split.count);
    if (!json)
        text.header(out.buffer());
    for (net::Network4::Count i = 0; i < split.count && !out.failed(); ++i) {
        if (json)
            jsonRow(out.buffer(), i, split.rows[i], hosts, rfc3021);
        else
            text.row(out.buffer(), i, split.rows[i], hosts, rfc3021);
        out.flushIfFull();
    }
}

int RunSubnets(const Command& c, Output& out, const Environment&)
{
    const std::string_view operand = c.operands.front();
    if (IsIPv6Text(operand))
        return runSubnets6(c, out);
    std::string problem;
    const auto network = ParseNetwork(operand, problem);
    if (!network) {
        out.problem(Shown(Trimmed(operand)) + ": " + problem);
        return kExitBadInput;
    }
    std::optional<net::Network4::Subnets> rows;
    if (c.mask) {
        if (*c.mask < network->length()) {
            out.problem("--mask " + std::to_string(*c.mask) + " is shorter than " + Shown(Trimmed(operand)) +
                        "; its subnets take a mask length from " + std::to_string(network->length()) + " to 32");
            return kExitBadInput;
        }
        rows = network->subnets(*c.mask);
    } else {
        // The rows the subnet table shows: the subnets at /M of the address's
        // class network, or for a supernet the class networks it joins.
        rows = classtable::ClassTable(network->address(), network->length()).blocks();
    }
    const net::Network4::Count count = c.limit ? std::min<net::Network4::Count>(*c.limit, rows->size()) : rows->size();
    WriteSplit(out, SplitRows{*rows, count}, c.json, c.rfc3021);
    return out.finish(kExitOk);
}

} // namespace cli
