#pragma once
// What the terminal report accepts: "A.B.C.D/M" or "A.B.C.D/W.X.Y.Z" with a
// contiguous mask, M from 8 to 31. Nothing is corrected: a text that is not
// exactly such an address is refused with the reason.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

struct AddressInput {
    std::array<int, 4> octets{};
    int bits = 0;
};

constexpr int kMinMaskBits = 8;
constexpr int kMaxMaskBits = 31;

// The address, or nothing with problem set to one line saying what is wrong.
std::optional<AddressInput> ParseAddress(std::string_view text, std::string& problem);

} // namespace cli
