#pragma once
// The subnets of an address's class network at the address's mask length, a
// row each, as the subnet table shows them: with a mask of M bits and a class
// of C network bits, the class network split into its 2^(M-C) subnets, or for
// a supernet (M < C) the 2^(C-M) class networks it joins. Every row is worked
// out from its index, so millions of rows cost nothing until they are read.
#include "model/addressclass.h"
#include "model/network.h"

#include <algorithm>
#include <cstdint>

namespace classtable {

using Count = net::Network4::Count;

// The first and the last subnet of a subnetted class network: older classful
// rules set them aside, today's practice uses them.
enum class Note { None, SubnetZero, AllOnes };

struct Row {
    Count number = 0;      // the subnet number (the row's index)
    net::Network4 network; // the row's block, host bits clear
    bool hasHosts = false; // when not, first and last are not meaningful
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::uint32_t broadcast = 0;
    Count hosts = 0;
    Note note = Note::None;
};

// Where a row points the main window: its first usable host, or its network
// address when it has none.
constexpr std::uint32_t AddressOf(const Row& row)
{
    return row.hasHosts ? row.first : row.network.network();
}

class ClassTable {
public:
    // `maskBits` from 0 to 32. With `rfc3021`, /31 rows have two hosts and
    // /32 rows one; without, none (the window's counts).
    ClassTable(std::uint32_t address, int maskBits, bool rfc3021 = false)
        : address_(address), maskBits_(maskBits), class_(addressclass::Of(address)), rfc3021_(rfc3021),
          rows_(net::Network4(address, std::min(maskBits, class_.bits)).subnets(std::max(maskBits, class_.bits)))
    {
    }

    std::uint32_t address() const { return address_; }
    int maskBits() const { return maskBits_; }
    char classLetter() const { return class_.letter; }
    int classBits() const { return class_.bits; }
    net::Network4 classNetwork() const { return net::Network4(address_, class_.bits).trunc(); }
    bool subnetted() const { return maskBits_ > class_.bits; }
    bool supernet() const { return maskBits_ < class_.bits; }
    // What is split: the class network, or the supernet that joins class networks.
    net::Network4 parent() const { return rows_.parent(); }
    // The rows' blocks, as a lazy range.
    const net::Network4::Subnets& blocks() const { return rows_; }

    Count rowCount() const { return rows_.size(); }
    // The row holding the address.
    Count currentRow() const { return rows_.rowOf(address_); }
    bool isSubnetZero(Count i) const { return subnetted() && i == 0; }
    bool isAllOnes(Count i) const { return subnetted() && i == rowCount() - 1; }

    // Row i, 0 <= i < rowCount().
    Row row(Count i) const
    {
        Row r;
        r.number = i;
        r.network = rows_[i];
        r.hosts = r.network.hosts(rfc3021_);
        r.hasHosts = r.hosts > 0;
        if (r.hasHosts) {
            r.first = r.network.firstHost(rfc3021_);
            r.last = r.network.lastHost(rfc3021_);
        }
        r.broadcast = r.network.broadcast();
        r.note = isSubnetZero(i) ? Note::SubnetZero : isAllOnes(i) ? Note::AllOnes : Note::None;
        return r;
    }

private:
    std::uint32_t address_;
    int maskBits_;
    addressclass::AddressClass class_;
    bool rfc3021_;
    net::Network4::Subnets rows_;
};

} // namespace classtable
