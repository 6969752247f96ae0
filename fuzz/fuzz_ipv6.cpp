// ipv6text::Parse refuses with a reason or gives a value whose canonical
// text reads back to it; the canonical text of a value is a fixed point,
// and the zone comes back as it was written.
#include "model/ipv6text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto address = ipv6text::Parse(text, &problem);
    if (address.has_value() == !problem.empty())
        std::abort();
    if (ipv6text::Parse(text).has_value() != address.has_value())
        std::abort();
    if (!address)
        return 0;
    const std::string canonical = ipv6text::ToString(address->value);
    if (canonical.size() > ipv6text::kMaxLength)
        std::abort();
    const auto again = ipv6text::Parse(canonical);
    if (!again || again->value != address->value || ipv6text::ToString(again->value) != canonical)
        std::abort();
    const auto expanded = ipv6text::Parse(ipv6text::Expanded(address->value));
    if (!expanded || expanded->value != address->value)
        std::abort();
    const auto zoned = ipv6text::Parse(ipv6text::ToString(*address));
    if (!zoned || zoned->value != address->value || zoned->zone != address->zone)
        std::abort();
    return 0;
}
