#include "model/subnetfacts.h"

#include "model/clsipaddy.h"
#include "model/subnetfactsreader.h"

#include <algorithm>

namespace {

constexpr std::int64_t pow2(int exponent)
{
    return std::int64_t(1) << exponent;
}

// Ones in the `count` bits from bit `low` up.
constexpr std::uint32_t fieldMask(int low, int count)
{
    return count <= 0 ? 0u : std::uint32_t(((std::uint64_t(1) << count) - 1) << low);
}

FieldNote noteOf(std::uint32_t value, int low, int count)
{
    const std::uint32_t field = value & fieldMask(low, count);
    if (field == fieldMask(low, count))
        return FieldNote::Broadcast;
    return field == 0 ? FieldNote::Network : FieldNote::None;
}

void setClass(SubnetFacts& f, int firstOctet)
{
    f.classLetter = firstOctet < 128 ? 'A' : firstOctet < 192 ? 'B' : firstOctet < 224 ? 'C' : firstOctet < 240 ? 'D' : 'E';
    f.classBits = f.classLetter == 'B' ? 16 : f.classLetter == 'C' ? 24 : 8;
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
    f.totalHosts = pow2(f.hostBits);
    f.usableHosts = f.totalHosts - 2;
    f.usableAddresses = f.usableSubnets * f.usableHosts;
    // Measured against the class network, or against the joined networks of
    // a supernet, whose own hosts are then all usable.
    f.usableShare = double(f.usableAddresses) / double(pow2(32 - f.networkBits) - 2);
    f.joinedNetworks = f.supernet ? pow2(c - m) : 1;
    f.hasUsableHosts = f.usableHosts > 0;
}

SubnetFacts ComputeSubnetFacts(std::uint32_t address, int maskBits)
{
    SubnetFacts f;
    const int m = std::clamp(maskBits, 0, 32);
    f.address = address;
    f.mask = fieldMask(32 - m, m);
    f.network = address & f.mask;
    f.broadcast = f.network | ~f.mask;
    setClass(f, int(address >> 24));
    f.isPrivate = (address >> 24) == 10 || (address >> 16) == 0xC0A8 || (address >> 20) == 0xAC1;
    f.isLoopback = (address >> 24) == 127;
    subnetfacts::setCounts(f, m, f.classBits);
    f.hostNumber = address & ~f.mask;
    f.hostNote = noteOf(address, 0, f.hostBits);
    if (f.subnetted) {
        f.subnetNumber = (address & fieldMask(f.hostBits, f.subnetBits)) >> f.hostBits;
        f.subnetNote = noteOf(address, f.hostBits, f.subnetBits);
    }
    if (f.hasUsableHosts) {
        f.firstUsable = f.network + 1;
        f.lastUsable = f.broadcast - 1;
    }
    return f;
}

void ReadSubnetFacts(const clsIPAddy& model, SubnetFacts& facts)
{
    subnetfacts::Read(model, facts);
}
