// Any bytes through the dotted-decimal reader: it either refuses them with a
// reason or gives a value whose written form is the very text it read.
#include "model/dotted.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto value = dotted::Parse(text, &problem);
    if (value ? !problem.empty() || dotted::ToString(*value) != text : problem.empty())
        std::abort();
    return 0;
}
