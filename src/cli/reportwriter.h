#pragma once
// Lays out one address's facts and texts as the terminal report (about 80
// columns) or as one JSON line, appending UTF-8 to a buffer.
#include "model/subnetfacts.h"
#include "model/subnettexts.h"

#include <string>

namespace cli {

// The window's three portion colours as 24-bit terminal colours, or none.
enum class Colour { Off, On };

void AppendText(std::string& out, const SubnetFacts& facts, const SubnetTexts& texts, Colour colour);
void AppendJson(std::string& out, const SubnetFacts& facts, const SubnetTexts& texts);

} // namespace cli
