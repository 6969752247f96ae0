#pragma once
// The window's texts for one set of facts, by name. The window, the terminal
// report and the JSON output all show these same texts.
#include "model/dotted.h"
#include "model/factsrefresh.h"
#include "model/subnetfacts.h"

#include <array>
#include <string>
#include <string_view>

struct SubnetTexts {
    std::string ipBinary, maskBinary, networkBinary, broadcastBinary, hostBinary, subnetBinary;
    std::string ip, mask, network, broadcast;
    std::string host, subnet;
    std::string subnets, hostsPerSubnet, usable;
    std::string className;
    std::string networkBits, subnetBits, hostBits;
    std::string range;
    // Tooltips of the three count texts.
    std::string subnetsTip, hostsPerSubnetTip, usableTip;
};

// The texts of `facts`; the share is written with `decimalPoint`. The second
// form writes into texts the caller keeps, reusing their storage.
SubnetTexts FormTexts(const SubnetFacts& facts, std::string_view decimalPoint = ".");
void FormTexts(const SubnetFacts& facts, SubnetTexts& texts, std::string_view decimalPoint = ".");

// Each shown text with its name in the JSON output and the field of the
// refresh that forms it, in display order.
struct TextField {
    const char* key;
    std::string SubnetTexts::*text;
    FactsRefresh::Field field;
};
extern const std::array<TextField, 20> kTextFields;

// Dotted decimal and dotted binary forms of a 32-bit value.
inline std::string DottedDecimal(std::uint32_t value)
{
    return dotted::ToString(value);
}
std::string DottedBinary(std::uint32_t value);
// "00.00%": the share times 100 with two decimals and at least two integer digits.
std::string FormatShare(double share, std::string_view decimalPoint);
