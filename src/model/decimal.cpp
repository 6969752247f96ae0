#include "model/decimal.h"

#include "model/shown.h"

namespace decimal {

std::string Fault(std::string_view what, std::string_view text)
{
    if (text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::string(what) + ' ' + Shown(text) + " is not a decimal number";
    if (text.size() > 1 && text[0] == '0')
        return std::string(what) + ' ' + Shown(text) + " has a leading zero";
    return std::string();
}

} // namespace decimal
