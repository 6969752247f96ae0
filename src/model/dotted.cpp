#include "model/dotted.h"

#include "model/decimal.h"
#include "model/shown.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace dotted {

namespace {

std::optional<std::uint32_t> parseOctet(std::string_view s, const char* part, int number, std::string* problem)
{
    unsigned v = 0;
    if (!s.empty() && s.size() <= 3 && (s.size() == 1 || s[0] != '0') &&
        std::from_chars(s.data(), s.data() + s.size(), v).ptr == s.data() + s.size() && v <= 255)
        return v;
    if (problem) {
        const std::string what = part + (' ' + std::to_string(number));
        if (s.empty())
            *problem = what + " is empty";
        else if (std::string fault = decimal::Fault(what, s); !fault.empty())
            *problem = std::move(fault);
        else
            *problem = what + ' ' + Shown(s) + " is more than 255";
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint32_t> Parse(std::string_view s, std::string* problem, const char* whole, const char* part)
{
    const size_t parts = size_t(std::count(s.begin(), s.end(), '.')) + 1;
    if (parts != 4) {
        if (problem)
            *problem = std::string(whole) + " has " + std::to_string(parts) + (parts == 1 ? " part" : " parts") +
                       "; it needs 4 octets";
        return std::nullopt;
    }
    std::uint32_t value = 0;
    size_t from = 0;
    for (int k = 1; k <= 4; ++k) {
        const size_t dot = s.find('.', from);
        const auto octet = parseOctet(s.substr(from, dot - from), part, k, problem);
        if (!octet)
            return std::nullopt;
        value = value << 8 | *octet;
        from = dot + 1;
    }
    return value;
}

char* Format(std::uint32_t value, char* out)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out = std::to_chars(out, out + 3, value >> shift & 255).ptr;
        if (shift > 0)
            *out++ = '.';
    }
    return out;
}

std::string ToString(std::uint32_t value)
{
    char text[kMaxLength];
    return std::string(text, size_t(Format(value, text) - text));
}

} // namespace dotted
