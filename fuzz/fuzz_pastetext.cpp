// Any bytes pasted into an octet box: refused, or a whole address whose mask
// the mask box can show and whose own written form reads back the same.
#include "model/dotted.h"
#include "model/masklength.h"
#include "model/shown.h"
#include "ui/main/pastetext.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto pasted = pastetext::Parse(text);
    if (!pasted)
        return 0;
    const std::string address = dotted::ToString(pasted->address);
    // The address is what the text starts with, blanks aside.
    if (Trimmed(text).substr(0, address.size()) != address)
        std::abort();
    if (!pasted->maskBits)
        return 0;
    const int bits = *pasted->maskBits;
    if (bits < masklength::kEntryMin || bits > masklength::kEntryMax)
        std::abort();
    const auto again = pastetext::Parse(address + "/" + std::to_string(bits));
    if (!again || again->address != pasted->address || again->maskBits != pasted->maskBits)
        std::abort();
    return 0;
}
