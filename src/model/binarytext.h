#pragma once
// Arithmetic on texts of binary digits, most significant first. Pure
// functions: the address model exposes them as its own operations.
#include <string>
#include <string_view>

namespace binarytext {

// Value of a binary text: only "1" counts as a one, every other character is
// a zero digit with its own weight; blanks around the text are ignored.
double toDec(std::string_view text);
// Shortest binary text of the whole part of value ("0" for zero and below).
std::string fromDec(double value);
// The dots removed, then groups of eight from the left joined by ".".
std::string dotsAdd(std::string_view bits);
// Character-wise AND, as long as number; a missing mask digit counts as "0".
std::string binaryAnd(std::string_view number, std::string_view mask);

} // namespace binarytext
