#pragma once
// Counts of IPv6 addresses, exact up to the whole space: 2^128 needs one bit
// more than the widest integer, so that one value is kept apart.
#include <cstdint>
#include <type_traits>

namespace net {

using uint128 = unsigned __int128;

class Count128 {
public:
    constexpr Count128() = default;
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I> || std::is_same_v<I, uint128>>>
    constexpr Count128(I v) : low_(uint128(v))
    {
    }
    // 2^128, the addresses of ::/0.
    static constexpr Count128 whole()
    {
        Count128 c;
        c.whole_ = true;
        return c;
    }
    constexpr bool isWhole() const { return whole_; }
    // The count below 2^128 (0 for the whole space).
    constexpr uint128 low() const { return low_; }
    // Truncating, as an index or an offset is read.
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I> || std::is_same_v<I, uint128>>>
    constexpr explicit operator I() const
    {
        return I(low_);
    }

    // Shifts past 2^128 are held there: counts are powers of two and sums
    // of them, and none is larger than the whole space.
    friend constexpr Count128 operator<<(Count128 a, int n)
    {
        if (n <= 0 || a == Count128(0))
            return a;
        if (a.whole_ || n >= 128 || (a.low_ >> (128 - n)) != 0)
            return whole();
        return Count128(a.low_ << n);
    }
    // Sums saturate at 2^128; a difference below zero is 0.
    friend constexpr Count128 operator+(Count128 a, Count128 b)
    {
        if (a.whole_ || b.whole_)
            return whole();
        const uint128 sum = a.low_ + b.low_;
        return sum < a.low_ ? whole() : Count128(sum);
    }
    friend constexpr Count128 operator-(Count128 a, Count128 b)
    {
        if (b > a)
            return Count128(0);
        if (a.whole_) {
            // 2^128 - b wraps to -b, except 2^128 - 0, which stays whole.
            if (b.whole_)
                return Count128(0);
            return b.low_ == 0 ? a : Count128(uint128(0) - b.low_);
        }
        return Count128(a.low_ - b.low_);
    }
    constexpr Count128& operator+=(Count128 b) { return *this = *this + b; }
    constexpr Count128& operator-=(Count128 b) { return *this = *this - b; }
    constexpr Count128& operator++() { return *this += Count128(1); }
    constexpr Count128& operator--() { return *this -= Count128(1); }

    friend constexpr bool operator==(Count128 a, Count128 b) { return a.whole_ == b.whole_ && a.low_ == b.low_; }
    friend constexpr bool operator!=(Count128 a, Count128 b) { return !(a == b); }
    friend constexpr bool operator<(Count128 a, Count128 b)
    {
        return a.whole_ != b.whole_ ? b.whole_ : a.low_ < b.low_;
    }
    friend constexpr bool operator>(Count128 a, Count128 b) { return b < a; }
    friend constexpr bool operator<=(Count128 a, Count128 b) { return !(b < a); }
    friend constexpr bool operator>=(Count128 a, Count128 b) { return !(a < b); }

private:
    uint128 low_ = 0;
    bool whole_ = false;
};

} // namespace net
