#include "model/subnettexts.h"

#include <cmath>

namespace {

std::string count(std::int64_t n)
{
    return std::to_string(n);
}

// "N bit" or "N bits": the only place a number of bits stands in a sentence.
std::string bitsPhrase(int n)
{
    return std::to_string(n) + (n == 1 ? " bit" : " bits");
}

std::string withNote(std::string text, FieldNote note)
{
    switch (note) {
    case FieldNote::Broadcast: return text + " (unusable - broadcast)";
    case FieldNote::Network: return text + " (unusable - network)";
    case FieldNote::None: break;
    }
    return text;
}

std::string totalAndUsable(std::int64_t total, std::int64_t usable)
{
    return count(total) + " total, " + count(usable) + " usable.";
}

} // namespace

std::string DottedDecimal(std::uint32_t value)
{
    return std::to_string(value >> 24) + '.' + std::to_string(value >> 16 & 255) + '.' +
           std::to_string(value >> 8 & 255) + '.' + std::to_string(value & 255);
}

std::string DottedBinary(std::uint32_t value)
{
    std::string out;
    out.reserve(35);
    for (int bit = 31; bit >= 0; --bit) {
        out += char('0' + (value >> bit & 1));
        if (bit % 8 == 0 && bit > 0)
            out += '.';
    }
    return out;
}

std::string FormatShare(double share, std::string_view decimalPoint)
{
    const long long hundredths = std::llround(share * 10000);
    std::string out = std::to_string(hundredths / 100);
    if (out.size() < 2)
        out.insert(0, "0");
    const int cents = int(hundredths % 100);
    out += decimalPoint;
    out += char('0' + cents / 10);
    out += char('0' + cents % 10);
    return out + '%';
}

SubnetTexts FormTexts(const SubnetFacts& f, std::string_view decimalPoint)
{
    SubnetTexts t;
    t.ipBinary = DottedBinary(f.address);
    t.maskBinary = DottedBinary(f.mask);
    t.networkBinary = DottedBinary(f.network);
    t.broadcastBinary = DottedBinary(f.broadcast);
    t.hostBinary = DottedBinary(f.hostNumber);
    t.ip = DottedDecimal(f.address);
    t.mask = DottedDecimal(f.mask);
    t.network = DottedDecimal(f.network) + " (network)";
    t.broadcast = DottedDecimal(f.broadcast) + " (broadcast)";
    t.host = withNote("Host: " + count(f.hostNumber), f.hostNote);
    if (f.subnetted) {
        t.subnetBinary = DottedBinary(f.subnetNumber << f.hostBits);
        t.subnet = withNote("Subnet: " + count(f.subnetNumber), f.subnetNote);
        t.subnets = totalAndUsable(f.totalSubnets, f.usableSubnets);
        t.subnetsTip = "2^BitsForSubnet - 2";
    } else {
        t.subnet = "Not subnetted";
        if (f.supernet) {
            const std::string classNetworks =
                count(f.joinedNetworks) + " class " + f.classLetter + " networks";
            t.subnets = "Supernet of " + classNetworks;
            t.subnetsTip = "The mask is " + bitsPhrase(f.classBits - f.maskBits) + " shorter than the class's " +
                           bitsPhrase(f.classBits) + " of network: it joins " + classNetworks + " into one.";
        } else {
            t.subnets = "Not subnetted";
        }
    }
    t.hostsPerSubnet = totalAndUsable(f.totalHosts, f.usableHosts);
    t.hostsPerSubnetTip = "2^BitsForHosts - 2";
    t.className = std::string(1, f.classLetter) + (f.isPrivate ? " (private)" : "") + (f.isLoopback ? " (loopback)" : "");
    t.networkBits = count(f.networkBits) + " bits.";
    t.subnetBits = count(f.subnetBits) + " bits.";
    t.hostBits = count(f.hostBits) + " bits.";
    t.usable = count(f.usableAddresses) + " (" + FormatShare(f.usableShare, decimalPoint) + ")";
    t.usableTip = "Usable Subnets * Usable Hosts per Subnet";
    if (f.hasUsableHosts)
        t.range = "This subnet uses address from " + DottedDecimal(f.firstUsable) + " to " + DottedDecimal(f.lastUsable);
    else
        t.range = "This subnet has no usable hosts.";
    return t;
}

const std::array<TextField, 20> kTextFields = {{
    {"ip_binary", &SubnetTexts::ipBinary, SubnetFacts::IpBinary},
    {"mask_binary", &SubnetTexts::maskBinary, SubnetFacts::MaskBinary},
    {"network_binary", &SubnetTexts::networkBinary, SubnetFacts::NetworkBinary},
    {"broadcast_binary", &SubnetTexts::broadcastBinary, SubnetFacts::BroadcastBinary},
    {"host_binary", &SubnetTexts::hostBinary, SubnetFacts::HostBinary},
    {"subnet_binary", &SubnetTexts::subnetBinary, SubnetFacts::SubnetBinary},
    {"ip", &SubnetTexts::ip, SubnetFacts::Ip},
    {"mask", &SubnetTexts::mask, SubnetFacts::Mask},
    {"network", &SubnetTexts::network, SubnetFacts::Network},
    {"broadcast", &SubnetTexts::broadcast, SubnetFacts::Broadcast},
    {"host", &SubnetTexts::host, SubnetFacts::Host},
    {"subnet", &SubnetTexts::subnet, SubnetFacts::Subnet},
    {"subnets", &SubnetTexts::subnets, SubnetFacts::Subnets},
    {"hosts_per_subnet", &SubnetTexts::hostsPerSubnet, SubnetFacts::HostsPerSubnet},
    {"usable", &SubnetTexts::usable, SubnetFacts::Usable},
    {"class", &SubnetTexts::className, SubnetFacts::Class},
    {"network_bits", &SubnetTexts::networkBits, SubnetFacts::BitCounts},
    {"subnet_bits", &SubnetTexts::subnetBits, SubnetFacts::BitCounts},
    {"host_bits", &SubnetTexts::hostBits, SubnetFacts::BitCounts},
    {"range", &SubnetTexts::range, SubnetFacts::Range},
}};
