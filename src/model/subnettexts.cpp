#include "model/subnettexts.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cmath>

namespace {

// Puts one text together in place and then stores it in one go, reusing the
// string's storage: the report forms the texts of hundreds of thousands of
// addresses into the same strings, and a piece-by-piece append costs a call
// per piece.
class Text {
public:
    explicit Text(std::string& s) : s_(s) {}
    ~Text() { s_.assign(buf_, used_); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

    Text& operator<<(std::string_view v)
    {
        const size_t n = std::min(v.size(), sizeof buf_ - used_);
        std::memcpy(buf_ + used_, v.data(), n);
        used_ += n;
        return *this;
    }
    Text& operator<<(char ch)
    {
        if (used_ < sizeof buf_)
            buf_[used_++] = ch;
        return *this;
    }
    Text& operator<<(std::int64_t n)
    {
        char digits[24];
        return *this << std::string_view(digits, size_t(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
    }
    Text& operator<<(std::uint32_t n) { return *this << std::int64_t(n); }
    Text& operator<<(int n) { return *this << std::int64_t(n); }
    Text& dotted(std::uint32_t v)
    {
        if (sizeof buf_ - used_ >= dotted::kMaxLength)
            used_ = size_t(dotted::Format(v, buf_ + used_) - buf_);
        return *this;
    }
    Text& binary(std::uint32_t v)
    {
        char digits[35];
        char* p = digits;
        for (int bit = 31; bit >= 0; --bit) {
            *p++ = char('0' + (v >> bit & 1));
            if (bit % 8 == 0 && bit > 0)
                *p++ = '.';
        }
        return *this << std::string_view(digits, sizeof digits);
    }
    // "N bit" or "N bits": the only place a number of bits stands in a sentence.
    Text& bits(int n) { return *this << n << (n == 1 ? " bit" : " bits"); }
    Text& note(FieldNote note)
    {
        switch (note) {
        case FieldNote::Broadcast: return *this << " (unusable - broadcast)";
        case FieldNote::Network: return *this << " (unusable - network)";
        case FieldNote::None: break;
        }
        return *this;
    }
    Text& totalAndUsable(std::int64_t total, std::int64_t usable)
    {
        return *this << total << " total, " << usable << " usable.";
    }

private:
    std::string& s_;
    char buf_[200]; // longer than any text of the window
    size_t used_ = 0;
};

} // namespace

std::string DottedBinary(std::uint32_t value)
{
    std::string s;
    Text(s).binary(value);
    return s;
}

std::string FormatShare(double share, std::string_view decimalPoint)
{
    std::string s;
    const std::int64_t hundredths = std::llround(share * 10000);
    Text t(s);
    if (hundredths < 1000)
        t << '0';
    t << hundredths / 100 << decimalPoint << char('0' + hundredths % 100 / 10) << char('0' + hundredths % 10) << '%';
    return s;
}

void FormTexts(const SubnetFacts& f, SubnetTexts& t, std::string_view decimalPoint)
{
    Text(t.ipBinary).binary(f.address);
    Text(t.maskBinary).binary(f.mask);
    Text(t.networkBinary).binary(f.network);
    Text(t.broadcastBinary).binary(f.broadcast);
    Text(t.hostBinary).binary(f.hostNumber);
    Text(t.ip).dotted(f.address);
    Text(t.mask).dotted(f.mask);
    Text(t.network).dotted(f.network) << " (network)";
    Text(t.broadcast).dotted(f.broadcast) << " (broadcast)";
    (Text(t.host) << "Host: " << f.hostNumber).note(f.hostNote);
    Text subnetBinary(t.subnetBinary);
    Text subnetsTip(t.subnetsTip);
    if (f.subnetted) {
        subnetBinary.binary(f.subnetNumber << f.hostBits);
        (Text(t.subnet) << "Subnet: " << f.subnetNumber).note(f.subnetNote);
        Text(t.subnets).totalAndUsable(f.totalSubnets, f.usableSubnets);
        subnetsTip << "2^BitsForSubnet - 2";
    } else if (f.supernet) {
        Text(t.subnet) << "Not subnetted";
        Text(t.subnets) << "Supernet of " << f.joinedNetworks << " class " << f.classLetter << " networks";
        subnetsTip << "The mask is ";
        subnetsTip.bits(f.classBits - f.maskBits) << " shorter than the class's ";
        subnetsTip.bits(f.classBits) << " of network: it joins " << f.joinedNetworks << " class " << f.classLetter
                                     << " networks into one.";
    } else {
        Text(t.subnet) << "Not subnetted";
        Text(t.subnets) << "Not subnetted";
    }
    Text(t.hostsPerSubnet).totalAndUsable(f.totalHosts, f.usableHosts);
    Text(t.hostsPerSubnetTip) << "2^BitsForHosts - 2";
    Text(t.className) << f.classLetter << (f.isPrivate ? " (private)" : "") << (f.isLoopback ? " (loopback)" : "");
    Text(t.networkBits) << f.networkBits << " bits.";
    Text(t.subnetBits) << f.subnetBits << " bits.";
    Text(t.hostBits) << f.hostBits << " bits.";
    Text(t.usable) << f.usableAddresses << " (" << FormatShare(f.usableShare, decimalPoint) << ')';
    Text(t.usableTip) << "Usable Subnets * Usable Hosts per Subnet";
    Text range(t.range);
    if (f.hasUsableHosts) {
        (range << "This subnet uses address from ").dotted(f.firstUsable) << " to ";
        range.dotted(f.lastUsable);
    } else {
        range << "This subnet has no usable hosts.";
    }
}

SubnetTexts FormTexts(const SubnetFacts& f, std::string_view decimalPoint)
{
    SubnetTexts t;
    FormTexts(f, t, decimalPoint);
    return t;
}

const std::array<TextField, 20> kTextFields = {{
    {"ip_binary", &SubnetTexts::ipBinary, FactsRefresh::IpBinary},
    {"mask_binary", &SubnetTexts::maskBinary, FactsRefresh::MaskBinary},
    {"network_binary", &SubnetTexts::networkBinary, FactsRefresh::NetworkBinary},
    {"broadcast_binary", &SubnetTexts::broadcastBinary, FactsRefresh::BroadcastBinary},
    {"host_binary", &SubnetTexts::hostBinary, FactsRefresh::HostBinary},
    {"subnet_binary", &SubnetTexts::subnetBinary, FactsRefresh::SubnetBinary},
    {"ip", &SubnetTexts::ip, FactsRefresh::Ip},
    {"mask", &SubnetTexts::mask, FactsRefresh::Mask},
    {"network", &SubnetTexts::network, FactsRefresh::Network},
    {"broadcast", &SubnetTexts::broadcast, FactsRefresh::Broadcast},
    {"host", &SubnetTexts::host, FactsRefresh::Host},
    {"subnet", &SubnetTexts::subnet, FactsRefresh::Subnet},
    {"subnets", &SubnetTexts::subnets, FactsRefresh::Subnets},
    {"hosts_per_subnet", &SubnetTexts::hostsPerSubnet, FactsRefresh::HostsPerSubnet},
    {"usable", &SubnetTexts::usable, FactsRefresh::Usable},
    {"class", &SubnetTexts::className, FactsRefresh::Class},
    {"network_bits", &SubnetTexts::networkBits, FactsRefresh::BitCounts},
    {"subnet_bits", &SubnetTexts::subnetBits, FactsRefresh::BitCounts},
    {"host_bits", &SubnetTexts::hostBits, FactsRefresh::BitCounts},
    {"range", &SubnetTexts::range, FactsRefresh::Range},
}};
