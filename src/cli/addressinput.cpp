#include "cli/addressinput.h"

#include "cli/networkinput.h"
#include "model/dotted.h"

namespace cli {

std::optional<AddressInput> ParseAddress(std::string_view text, std::string& problem)
{
    text = Trimmed(text);
    if (text.empty()) {
        problem = "empty address; write ADDRESS/BITS, such as 192.168.1.1/24";
        return std::nullopt;
    }
    const size_t slash = text.find('/');
    const std::string_view address = text.substr(0, slash);
    if (address.find('.') == std::string_view::npos) {
        problem = "not an address; write ADDRESS/BITS, such as 192.168.1.1/24";
        return std::nullopt;
    }
    const auto value = dotted::Parse(address, &problem);
    if (!value)
        return std::nullopt;
    if (slash == std::string_view::npos) {
        problem = "no mask; add /BITS (8 to 31) or /MASK, such as /24 or /255.255.255.0";
        return std::nullopt;
    }
    const auto bits = ParseMaskBits(text.substr(slash + 1), kMinMaskBits, kMaxMaskBits, problem);
    if (!bits)
        return std::nullopt;
    return AddressInput{*value, *bits};
}

} // namespace cli
