#include "model/subnetrows.h"

#include "model/subnetfacts.h"

#include <algorithm>

namespace subnetrows {

namespace {
net::Network4::Subnets rangeFor(std::uint32_t address, int maskBits, int classBits)
{
    // The shorter of the two lengths is the parent, the longer the rows.
    return net::Network4(address, std::min(maskBits, classBits)).subnets(std::max(maskBits, classBits));
}
} // namespace

Table::Table(std::uint32_t address, int maskBits)
    : maskBits_(maskBits),
      classBits_(ComputeSubnetFacts(address, maskBits).classBits),
      rows_(rangeFor(address, maskBits, classBits_)),
      current_(rows_.rowOf(address))
{
}

Row Table::row(std::uint64_t number) const
{
    Row r;
    r.number = number;
    r.block = rows_[number];
    r.hasHosts = r.block.hasHosts();
    if (r.hasHosts) {
        r.firstHost = r.block.firstHost();
        r.lastHost = r.block.lastHost();
    }
    r.hosts = r.block.hosts();
    // Only a subnetted class network has a subnet field whose all-zeros and
    // all-ones values the classful rules set aside.
    if (subnetted() && size() > 1) {
        if (number == 0)
            r.note = Note::SubnetZero;
        else if (number + 1 == size())
            r.note = Note::AllOnes;
    }
    return r;
}

std::uint32_t AddressOf(const Row& row)
{
    return row.hasHosts ? row.firstHost : row.block.network();
}

} // namespace subnetrows
