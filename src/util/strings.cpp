#include "util/strings.h"

std::string utStringRepeat(std::string_view text, int count)
{
    std::string out;
    if (count < 1)
        return out;
    out.reserve(text.size() * size_t(count));
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}
