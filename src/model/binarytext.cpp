#include "model/binarytext.h"

#include <cmath>
#include <cstdint>

namespace binarytext {

double toDec(std::string_view text)
{
    const size_t from = text.find_first_not_of(' ');
    if (from == std::string_view::npos)
        return 0;
    text = text.substr(from, text.find_last_not_of(' ') - from + 1);
    // Summed as doubles, most significant first: past 53 digits the value is
    // what the double arithmetic gives, not an exact integer.
    double weight = std::ldexp(1.0, int(text.size()) - 1);
    double sum = 0;
    for (char ch : text) {
        if (ch == '1')
            sum += weight;
        weight /= 2;
    }
    return sum;
}

std::string fromDec(double value)
{
    // Powers from 2^64 down; from 2^65 on the first digit would have to stand
    // for more than one power, and the text comes out wrong.
    std::string out;
    double power = std::ldexp(1.0, 64);
    if (value >= 1 && value < power) {
        // Whole values below 2^64 are their integer's digits.
        const std::uint64_t v = std::uint64_t(value);
        char digits[64];
        int used = 0;
        int bit = 63;
        while ((v >> bit & 1) == 0)
            --bit;
        for (; bit >= 0; --bit)
            digits[used++] = char('0' + (v >> bit & 1));
        return std::string(digits, size_t(used));
    }
    while (power >= 1) {
        if (value >= power) {
            value -= power;
            out += '1';
        } else if (!out.empty()) {
            out += '0';
        }
        power /= 2;
    }
    return out.empty() ? std::string("0") : out;
}

std::string dotsAdd(std::string_view bits)
{
    std::string out;
    out.reserve(bits.size() + bits.size() / 8);
    size_t digits = 0;
    for (char ch : bits) {
        if (ch == '.')
            continue;
        if (digits > 0 && digits % 8 == 0)
            out += '.';
        out += ch;
        ++digits;
    }
    return out;
}

std::string binaryAnd(std::string_view number, std::string_view mask)
{
    std::string out(number.size(), '0');
    for (size_t i = 0; i < number.size() && i < mask.size(); ++i)
        if (number[i] == '1' && mask[i] == '1')
            out[i] = '1';
    return out;
}

} // namespace binarytext
