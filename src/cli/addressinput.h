#pragma once
// What the terminal report accepts, from the command line and from standard
// input alike: "A.B.C.D/M" or "A.B.C.D/W.X.Y.Z" with a contiguous mask, M in
// the entry range (masklength::kEntryMin to kEntryMax), blanks around it ignored. Octets are plain decimal without leading
// zeros ("010" could mean 8 or 10, so it is refused). Nothing is corrected: a
// text that is not exactly such an address is refused with the reason.
#include "model/masklength.h"
#include "model/shown.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

using ::Shown;
using ::Trimmed;

struct AddressInput {
    std::uint32_t address = 0;
    int bits = 0;
};

// The mask lengths of one address (masklength.h states them).
constexpr int kMinMaskBits = masklength::kEntryMin;
constexpr int kMaxMaskBits = masklength::kEntryMax;

// The address, or nothing with problem set to what is wrong with it (a part
// it names is quoted as Shown gives it).
std::optional<AddressInput> ParseAddress(std::string_view text, std::string& problem);

} // namespace cli
