#include "util/strings.h"

std::string utStringRepeat(std::string_view text, int count)
{
    std::string out;
    if (count < 1)
        return out;
    // The model repeats single digits, a few times per read.
    if (text.size() == 1)
        return std::string(size_t(count), text[0]);
    out.reserve(text.size() * size_t(count));
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}
