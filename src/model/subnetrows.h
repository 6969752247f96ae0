#pragma once
// The rows of the subnet table: every subnet of an address's class network at
// the address's mask length, or, for a mask shorter than the class (a
// supernet), every class network the supernet joins. Worked out row by row
// from the lazy subnet range; nothing is kept per row.
#include "model/network.h"

#include <cstdint>

namespace subnetrows {

// Why a row is special under the older classful rules.
enum class Note { None, SubnetZero, AllOnes };

struct Row {
    std::uint64_t number = 0; // 0-based row index: the subnet number
    net::Network4 block;
    bool hasHosts = false;     // /31 and /32 rows have none
    std::uint32_t firstHost = 0;
    std::uint32_t lastHost = 0;
    std::uint64_t hosts = 0;
    Note note = Note::None;
};

class Table {
public:
    // `maskBits` 8 to 32, as the address model keeps them.
    Table(std::uint32_t address, int maskBits);

    std::uint64_t size() const { return rows_.size(); }
    Row row(std::uint64_t number) const;
    // The row that holds the address.
    std::uint64_t current() const { return current_; }

    int maskBits() const { return maskBits_; }
    int classBits() const { return classBits_; }
    bool supernet() const { return maskBits_ < classBits_; }
    bool subnetted() const { return maskBits_ > classBits_; }
    // The block the rows split: the class network, or the supernet.
    net::Network4 parent() const { return rows_.parent(); }
    // Rows are blocks of this length: M, or C for a supernet.
    int rowLength() const { return rows_.length(); }

private:
    int maskBits_;
    int classBits_;
    net::Network4::Subnets rows_;
    std::uint64_t current_;
};

// Where a table row points the main window: its first usable host, or its
// network address when it has none.
std::uint32_t AddressOf(const Row& row);

} // namespace subnetrows
