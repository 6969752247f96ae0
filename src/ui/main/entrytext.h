#pragma once
// How the main window reads and normalises what was typed into its boxes.
// Pure text rules, no widgets.
#include <QString>

#include <cstdint>
#include <optional>

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

// What a paste into an octet box means: a whole address, with the mask
// length it names or none (the mask stays as it is).
struct PastedAddress {
    std::uint32_t address = 0;
    std::optional<int> maskBits;
};

// "A.B.C.D/M", "A.B.C.D/W.X.Y.Z", "A.B.C.D W.X.Y.Z" or "A.B.C.D", blanks
// around it ignored, with a contiguous mask the mask box can show (8 to 31).
// Anything else is nothing: the boxes refuse it as they refuse a typed letter.
std::optional<PastedAddress> pastedAddress(const QString& text);

} // namespace entrytext
