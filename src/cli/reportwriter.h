#pragma once
// Lays out one address's facts and texts as the terminal report (about 80
// columns) or as one JSON line, appending UTF-8 to a buffer.
#include "model/network.h"
#include "model/subnetfacts.h"
#include "model/subnettexts.h"

#include <optional>
#include <string_view>

class TextSink;

namespace cli {

// The window's three portion colours as 24-bit terminal colours, or none.
enum class Colour { Off, On };

void AppendText(TextSink& out, const SubnetFacts& facts, const SubnetTexts& texts, Colour colour);
void AppendJson(TextSink& out, const SubnetFacts& facts, const SubnetTexts& texts);

// One IPv6 address with its prefix length, its zone ("" for none) and, when
// given, the length of its routing prefix (at most the prefix length): the
// bits from there to the prefix length are the subnet ID.
struct Report6 {
    net::Network6 network;
    std::string_view zone;
    std::optional<int> site;
};

void AppendText6(TextSink& out, const Report6& report, Colour colour);
void AppendJson6(TextSink& out, const Report6& report);

} // namespace cli
