#include "ui/main/pastetext.h"

#include "model/dotted.h"
#include "model/masklength.h"
#include "model/network.h"
#include "model/shown.h"

namespace pastetext {

namespace {

// A mask length the mask box can show, written "26" or "255.255.255.192".
std::optional<int> maskLength(std::string_view text)
{
    int bits = 0;
    if (text.find('.') != std::string_view::npos) {
        const auto mask = dotted::Parse(text);
        if (!mask)
            return std::nullopt;
        // Ones after a zero: not a mask.
        bits = net::Network4::lengthOfMask(*mask);
        if (bits < 0)
            return std::nullopt;
    } else {
        // One or two digits without a leading zero, as the mask box shows them.
        if (text.empty() || text.size() > 2 || text.front() == '0' ||
            text.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        for (const char c : text)
            bits = bits * 10 + (c - '0');
    }
    if (bits < masklength::kEntryMin || bits > masklength::kEntryMax)
        return std::nullopt;
    return bits;
}

} // namespace

std::optional<PastedAddress> Parse(std::string_view text)
{
    const std::string_view whole = Trimmed(text);
    // The address ends at a slash or at the first blank.
    const size_t end = whole.find_first_of("/ \t");
    const auto address = dotted::Parse(whole.substr(0, end));
    if (!address)
        return std::nullopt;
    PastedAddress pasted{*address, std::nullopt};
    if (end == std::string_view::npos)
        return pasted;
    std::string_view mask = whole.substr(end + 1);
    if (whole[end] != '/') {
        // After blanks only a dotted mask: "192.168.1.77 26" could be two things.
        mask = Trimmed(mask);
        if (mask.find('.') == std::string_view::npos)
            return std::nullopt;
    }
    pasted.maskBits = maskLength(mask);
    if (!pasted.maskBits)
        return std::nullopt;
    return pasted;
}

} // namespace pastetext
