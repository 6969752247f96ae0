#pragma once
// How the main window reads and normalises what was typed into its boxes.
// Pure text rules, no widgets.
#include "ui/main/pastetext.h"

#include <QString>

namespace entrytext {

// The number at the start of a text: leading blanks skipped, then an optional
// sign, digits, a decimal point with digits and an exponent, up to the first
// character that cannot continue the number. No number reads as 0.
double leadingNumber(const QString& text);

// The plain decimal form of a number ("7", "1.5", "0"), never an exponent for
// values a box can hold.
QString decimalText(double value);

// A number rounded to a 32-bit integer, halves to the even neighbour (1.5 and
// 2.5 both give 2); values beyond the range are clamped.
int roundHalfEven(double value);

// An octet box's text as it is left: its leading number in decimal form, "0"
// for anything outside 0 to 255.
QString normaliseOctet(const QString& text);

// What a character typed into an octet box does: a digit is typed, "." goes
// to the next box, Backspace deletes or, in an empty box, goes back to the box
// before; anything else is refused. `keyAscii` is the character's code (8 for
// Backspace).
enum class OctetKey { Type, NextBox, PreviousBox, Refuse };
OctetKey octetKey(int keyAscii, bool boxEmpty);

using pastetext::PastedAddress;
// pastetext::Parse for a box's text.
std::optional<PastedAddress> pastedAddress(const QString& text);

} // namespace entrytext
