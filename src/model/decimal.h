#pragma once
// Decimal numbers as every reader of input takes them: digits only, without
// a leading zero ("010" could be meant as 8 or as 10, so it is refused).
#include <string>
#include <string_view>

namespace decimal {

// Why `text` is not such a number, naming it `what` and showing it quoted
// ("octet 1 \"+1\" is not a decimal number"); empty when it is one. An empty
// text is left to the caller, which knows what is missing.
std::string Fault(std::string_view what, std::string_view text);

} // namespace decimal
