#include "cli/addressinput.h"

#include "cli/networkinput.h"

namespace cli {

std::optional<AddressInput> ParseAddress(std::string_view text, std::string& problem)
{
    const auto s = ParseSlashed(text, "an", "address", "192.168.1.1/24", problem);
    if (!s)
        return std::nullopt;
    if (!s->mask) {
        problem = "no mask; add /BITS (8 to 31) or /MASK, such as /24 or /255.255.255.0";
        return std::nullopt;
    }
    const auto bits = ParseMaskBits(*s->mask, kMinMaskBits, kMaxMaskBits, problem);
    if (!bits)
        return std::nullopt;
    return AddressInput{s->address, *bits};
}

} // namespace cli
