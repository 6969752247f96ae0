#pragma once
// What a paste into an octet box means, as plain text rules (no toolkit, so
// that the fuzz target runs without one).
#include <cstdint>
#include <optional>
#include <string_view>

namespace pastetext {

// A whole address, with the mask length it names or none (the mask stays as
// it is).
struct PastedAddress {
    std::uint32_t address = 0;
    std::optional<int> maskBits;
};

// "A.B.C.D/M", "A.B.C.D/W.X.Y.Z", "A.B.C.D W.X.Y.Z" or "A.B.C.D", blanks
// around it ignored, with a contiguous mask the mask box can show (8 to 31).
// Anything else is nothing: the boxes refuse it as they refuse a typed letter.
std::optional<PastedAddress> Parse(std::string_view text);

} // namespace pastetext
