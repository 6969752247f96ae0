#pragma once
// Arithmetic on texts of binary digits. Pure functions: the address model
// exposes them as its own operations.
#include <QString>

namespace binarytext {

// Value of a binary text: only "1" counts as a one; blanks around it are ignored.
double toDec(const QString& text);
// Shortest binary text of the whole part of value ("0" for zero and below).
QString fromDec(double value);
// Groups of eight from the left, joined by ".".
QString dotsAdd(const QString& bits);
// Character-wise AND, as long as number; a missing mask digit counts as "0".
QString binaryAnd(const QString& number, const QString& mask);

} // namespace binarytext
