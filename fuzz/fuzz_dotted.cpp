// dotted::Parse takes only the one way of writing each address, the way
// Format writes it; anything else is refused with a reason.
#include "model/dotted.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto value = dotted::Parse(text, &problem);
    if (value.has_value() == !problem.empty())
        std::abort();
    if (value && dotted::ToString(*value) != text)
        std::abort();
    if (dotted::Parse(text).has_value() != value.has_value())
        std::abort();
    return 0;
}
