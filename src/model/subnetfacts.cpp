#include "model/subnetfacts.h"

#include "model/addressclass.h"
#include "model/clsipaddy.h"
#include "model/masklength.h"
#include "model/network.h"
#include "model/subnetfactsreader.h"

#include <algorithm>

namespace {

constexpr std::int64_t pow2(int exponent)
{
    return std::int64_t(1) << exponent;
}

// A field of all ones is a broadcast, of all zeros a network (an empty field
// is both, and counts as the broadcast).
FieldNote noteOf(std::uint64_t value, std::uint64_t allOnes)
{
    if (value == allOnes)
        return FieldNote::Broadcast;
    return value == 0 ? FieldNote::Network : FieldNote::None;
}

} // namespace

FieldNote subnetfacts::noteOf(std::string_view field)
{
    if (field.find_first_not_of('1') == std::string_view::npos)
        return FieldNote::Broadcast;
    if (field.find_first_not_of('0') == std::string_view::npos)
        return FieldNote::Network;
    return FieldNote::None;
}

void subnetfacts::setCounts(SubnetFacts& f, int m, int c)
{
    f.maskBits = m;
    f.classBits = c;
    f.subnetted = m > c;
    f.supernet = m < c;
    f.networkBits = std::min(m, c);
    f.subnetBits = f.subnetted ? m - c : 0;
    f.hostBits = 32 - m;
    f.totalSubnets = pow2(f.subnetBits);
    f.usableSubnets = f.subnetted ? f.totalSubnets - 2 : 1;
    // The classful count: 2^H - 2 even where that is 0 or -1 (/31, /32).
    f.totalHosts = std::int64_t(net::Network4(0, m).size());
    f.usableHosts = f.totalHosts - 2;
    f.usableAddresses = f.usableSubnets * f.usableHosts;
    // Measured against the class network, or against the joined networks of
    // a supernet, whose own hosts are then all usable.
    f.usableShare = double(f.usableAddresses) / double(std::int64_t(net::Network4(0, f.networkBits).size()) - 2);
    f.joinedNetworks = f.supernet ? pow2(c - m) : 1;
    f.hasUsableHosts = f.usableHosts > 0;
}

SubnetFacts ComputeSubnetFacts(std::uint32_t address, int maskBits)
{
    SubnetFacts f;
    const net::Network4 block(address, std::clamp(maskBits, masklength::kModelMin, masklength::kModelMax));
    const addressclass::AddressClass& cls = addressclass::Of(address);
    f.address = address;
    f.mask = block.mask();
    f.network = block.network();
    f.broadcast = block.broadcast();
    f.classLetter = cls.letter;
    f.isPrivate = addressclass::IsPrivate(address);
    f.isLoopback = addressclass::IsLoopback(address);
    subnetfacts::setCounts(f, block.length(), cls.bits);
    f.hostNumber = address & block.hostmask();
    f.hostNote = noteOf(f.hostNumber, block.hostmask());
    if (f.subnetted) {
        // The subnet number is the block's row among the class network's subnets.
        const auto subnets = net::Network4(address, cls.bits).subnets(block.length());
        f.subnetNumber = std::uint32_t(subnets.rowOf(address));
        f.subnetNote = noteOf(f.subnetNumber, subnets.size() - 1);
    }
    if (f.hasUsableHosts) {
        f.firstUsable = block.firstHost();
        f.lastUsable = block.lastHost();
    }
    return f;
}

void ReadSubnetFacts(const clsIPAddy& model, FactsRefresh& refresh)
{
    subnetfacts::Read(model, refresh);
}
