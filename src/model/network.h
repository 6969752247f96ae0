#pragma once
// A classless network: an address and a prefix length, written once for any
// address width. The address keeps its host bits (what the user typed);
// network() and broadcast() are its block's first and last address. Standard
// C++ only: the terminal program and the windows share it.
#include "model/count128.h"

#include <cstdint>
#include <iterator>

namespace net {

// The address and count types of a width. A count holds every count of a
// width exactly, the size of the whole space (2^Width) included.
template <int Width> struct Bits;
template <> struct Bits<32> {
    using Value = std::uint32_t;
    using Count = std::uint64_t;
};
template <> struct Bits<128> {
    using Value = uint128;
    using Count = Count128;
};

template <int Width> class Network {
public:
    using Value = typename Bits<Width>::Value;
    using Count = typename Bits<Width>::Count;
    static constexpr int kWidth = Width;

    class Subnets;

    // A prefix length any network of this width can have.
    static constexpr bool validLength(int length) { return length >= 0 && length <= Width; }
    // Ones in the first `length` bits.
    static constexpr Value maskOf(int length) { return length <= 0 ? Value(0) : Value(~Value(0) << (Width - length)); }
    // The length of a mask whose one bits all come first; -1 for any other value.
    static constexpr int lengthOfMask(Value mask)
    {
        int length = 0;
        while (length < Width && (mask >> (Width - 1 - length) & 1))
            ++length;
        return mask == maskOf(length) ? length : -1;
    }

    constexpr Network() = default;
    // `length` must be valid (validLength); the parsers check it first.
    constexpr Network(Value address, int length) : address_(address), length_(length) {}

    constexpr Value address() const { return address_; }
    constexpr int length() const { return length_; }
    constexpr Value mask() const { return maskOf(length_); }
    // The wildcard: the host bits.
    constexpr Value hostmask() const { return Value(~mask()); }
    constexpr Value network() const { return address_ & mask(); }
    constexpr Value broadcast() const { return network() | hostmask(); }
    // The block without the address's host bits.
    constexpr Network trunc() const { return Network(network(), length_); }
    // Addresses in the block: 2^(Width - length).
    constexpr Count size() const { return Count(1) << (Width - length_); }

    // Addresses a host may take: all but the network and broadcast addresses.
    // The two shortest blocks have none, unless RFC 3021 is followed: then a
    // point-to-point /31 has two and a /32 its one address.
    constexpr Count hosts(bool rfc3021 = false) const
    {
        if (length_ <= Width - 2)
            return size() - 2;
        return rfc3021 ? size() : 0;
    }
    constexpr bool hasHosts(bool rfc3021 = false) const { return hosts(rfc3021) > 0; }
    // The first and last host; only meaningful when hasHosts.
    constexpr Value firstHost(bool rfc3021 = false) const
    {
        return length_ <= Width - 2 || !rfc3021 ? Value(network() + 1) : network();
    }
    constexpr Value lastHost(bool rfc3021 = false) const
    {
        return length_ <= Width - 2 || !rfc3021 ? Value(broadcast() - 1) : broadcast();
    }

    constexpr bool contains(Value a) const { return (a & mask()) == network(); }
    constexpr bool contains(const Network& other) const
    {
        return other.length_ >= length_ && contains(other.network());
    }
    constexpr bool overlaps(const Network& other) const
    {
        return contains(other.network()) || other.contains(network());
    }

    // The block of `newLength` (at most length()) that holds this one.
    constexpr Network supernet(int newLength) const { return Network(address_ & maskOf(newLength), newLength); }
    // The blocks of `newLength` (from length() to Width) this one splits into,
    // made row by row on demand.
    constexpr Subnets subnets(int newLength) const { return Subnets(trunc(), newLength); }

    // Equal when address and length are; ordered by block (network address,
    // then the longer block after the shorter), then by address.
    friend constexpr bool operator==(const Network& a, const Network& b)
    {
        return a.address_ == b.address_ && a.length_ == b.length_;
    }
    friend constexpr bool operator!=(const Network& a, const Network& b) { return !(a == b); }
    friend constexpr bool operator<(const Network& a, const Network& b)
    {
        if (a.network() != b.network())
            return a.network() < b.network();
        if (a.length_ != b.length_)
            return a.length_ < b.length_;
        return a.address_ < b.address_;
    }
    friend constexpr bool operator>(const Network& a, const Network& b) { return b < a; }
    friend constexpr bool operator<=(const Network& a, const Network& b) { return !(b < a); }
    friend constexpr bool operator>=(const Network& a, const Network& b) { return !(a < b); }

private:
    Value address_ = 0;
    int length_ = 0;
};

// The subnets of one block at a longer length: a random-access range whose
// rows are worked out from their index, so a table of millions of rows keeps
// nothing per row.
template <int Width> class Network<Width>::Subnets {
public:
    constexpr Subnets(Network parent, int length) : parent_(parent), length_(length) {}

    constexpr Network parent() const { return parent_; }
    constexpr int length() const { return length_; }
    constexpr Count size() const { return Count(1) << (length_ - parent_.length()); }
    constexpr Network operator[](Count row) const
    {
        return Network(Value(parent_.network() + up(Value(row), Width - length_)), length_);
    }
    // The row holding an address of the parent block.
    constexpr Count rowOf(Value address) const
    {
        const int shift = Width - length_;
        const Value offset = Value(address - parent_.network());
        return shift >= Width ? Count(0) : Count(offset >> shift);
    }

    class iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = Network;
        using difference_type = std::int64_t;
        using pointer = void;
        using reference = Network;

        constexpr iterator() = default;
        constexpr iterator(const Subnets* range, Count row) : range_(range), row_(row) {}
        constexpr Network operator*() const { return (*range_)[row_]; }
        constexpr Network operator[](difference_type n) const { return (*range_)[Count(difference_type(row_) + n)]; }
        constexpr iterator& operator++() { ++row_; return *this; }
        constexpr iterator operator++(int) { iterator was = *this; ++row_; return was; }
        constexpr iterator& operator--() { --row_; return *this; }
        constexpr iterator operator--(int) { iterator was = *this; --row_; return was; }
        constexpr iterator& operator+=(difference_type n) { row_ = Count(difference_type(row_) + n); return *this; }
        constexpr iterator& operator-=(difference_type n) { return *this += -n; }
        friend constexpr iterator operator+(iterator i, difference_type n) { return i += n; }
        friend constexpr iterator operator+(difference_type n, iterator i) { return i += n; }
        friend constexpr iterator operator-(iterator i, difference_type n) { return i -= n; }
        friend constexpr difference_type operator-(const iterator& a, const iterator& b)
        {
            return difference_type(a.row_) - difference_type(b.row_);
        }
        friend constexpr bool operator==(const iterator& a, const iterator& b) { return a.row_ == b.row_; }
        friend constexpr bool operator!=(const iterator& a, const iterator& b) { return a.row_ != b.row_; }
        friend constexpr bool operator<(const iterator& a, const iterator& b) { return a.row_ < b.row_; }
        friend constexpr bool operator>(const iterator& a, const iterator& b) { return b < a; }
        friend constexpr bool operator<=(const iterator& a, const iterator& b) { return !(b < a); }
        friend constexpr bool operator>=(const iterator& a, const iterator& b) { return !(a < b); }

    private:
        const Subnets* range_ = nullptr;
        Count row_ = 0;
    };

    constexpr iterator begin() const { return iterator(this, 0); }
    constexpr iterator end() const { return iterator(this, size()); }

private:
    // A shift by the whole width gives 0 rather than undefined behaviour.
    static constexpr Value up(Value v, int shift) { return shift >= Width ? Value(0) : Value(v << shift); }

    Network parent_;
    int length_;
};

// The fewest blocks that cover first..last exactly, in address order, each
// passed to `take` (first <= last). Not named "emit": Qt defines that word
// away, and the calls would vanish in files that include Qt.
template <int Width, typename Take>
void RangeBlocks(typename Network<Width>::Value first, typename Network<Width>::Value last, Take take)
{
    using Value = typename Network<Width>::Value;
    for (;;) {
        // The longest block that starts at `first` and ends by `last`.
        int length = Width;
        while (length > 0) {
            const Value mask = Network<Width>::maskOf(length - 1);
            const Value end = Value(first | Value(~mask));
            if ((first & mask) != first || end > last)
                break;
            --length;
        }
        const Network<Width> block(first, length);
        take(block);
        if (block.broadcast() >= last)
            return;
        first = Value(block.broadcast() + 1);
    }
}

using Network4 = Network<32>;
using Network6 = Network<128>;

} // namespace net
