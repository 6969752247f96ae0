#include "cli/split.h"

#include "cli/grammar.h"
#include "cli/networkinput.h"
#include "cli/output.h"
#include "model/dotted.h"
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
