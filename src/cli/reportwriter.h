#pragma once
// Lays out one address's facts and texts as the terminal report (about 80
// columns) or as one JSON line, appending UTF-8 to a buffer.
#include "model/subnetfacts.h"
#include "model/subnettexts.h"

class TextSink;

namespace cli {

// The window's three portion colours as 24-bit terminal colours, or none.
enum class Colour { Off, On };

void AppendText(TextSink& out, const SubnetFacts& facts, const SubnetTexts& texts, Colour colour);
void AppendJson(TextSink& out, const SubnetFacts& facts, const SubnetTexts& texts);

} // namespace cli
