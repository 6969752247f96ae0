#pragma once
// Lays out one refresh of the main window as terminal text or as one JSON
// line, appending to a byte buffer (UTF-8).
#include "cli/addressinput.h"

#include <string>

struct MainFormView;

namespace cli {

// The window's three portion colours as 24-bit terminal colours, or none.
enum class Colour { Off, On };

void AppendText(std::string& out, const AddressInput& input, const MainFormView& view, Colour colour);
void AppendJson(std::string& out, const AddressInput& input, const MainFormView& view);

// Which portion bar of a row covers each of the 32 digits: 'N', 'S', 'H', or
// ' ' where no bar lies under the digit.
std::string DigitPortions(const MainFormView& view, int row);

} // namespace cli
