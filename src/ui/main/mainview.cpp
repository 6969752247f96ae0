#include "ui/main/mainview.h"

namespace mainview {

namespace {
// Where the host bar of every row ends.
constexpr int kRowBarsEnd = kBarsLeft + 2990 + kDotTwips;

// Width of `digits` digits starting at an octet boundary, with the dots between them.
constexpr int spanWidth(int digits)
{
    return digits <= 0 ? 0 : digits * kDigitTwips + ((digits - 1) / 8) * kDotTwips;
}
} // namespace

const std::array<ValueLabel, 19> kValueLabels = {{
    {0, &SubnetTexts::ipBinary},
    {11, &SubnetTexts::ip},
    {1, &SubnetTexts::maskBinary},
    {12, &SubnetTexts::mask},
    {2, &SubnetTexts::networkBinary},
    {13, &SubnetTexts::network},
    {21, &SubnetTexts::broadcastBinary},
    {17, &SubnetTexts::broadcast},
    {3, &SubnetTexts::hostBinary},
    {14, &SubnetTexts::host},
    {4, &SubnetTexts::subnetBinary},
    {15, &SubnetTexts::subnet},
    {5, &SubnetTexts::subnets, &SubnetTexts::subnetsTip},
    {6, &SubnetTexts::hostsPerSubnet, &SubnetTexts::hostsPerSubnetTip},
    {7, &SubnetTexts::className},
    {8, &SubnetTexts::networkBits},
    {9, &SubnetTexts::subnetBits},
    {10, &SubnetTexts::hostBits},
    {16, &SubnetTexts::usable, &SubnetTexts::usableTip},
}};

FactsRefresh::Field fieldOf(std::string SubnetTexts::*text)
{
    for (const TextField& f : kTextFields)
        if (f.text == text)
            return f.field;
    return FactsRefresh::FieldCount;
}

QString designText(int index)
{
    switch (index) {
    case 0: return QStringLiteral("180.");
    case 1: return QStringLiteral("11111111.11111111.11111111.11111111");
    default: return QStringLiteral("...");
    }
}

QString designRangeText()
{
    return QStringLiteral("...");
}

std::array<BarSpan, 3> RowBars(int networkDigits, int subnetDigits)
{
    BarSpan net{kBarsLeft, spanWidth(networkDigits)};
    BarSpan sub{kBarsLeft + networkDigits * kDigitTwips + (networkDigits / 8) * kDotTwips, spanWidth(subnetDigits)};
    BarSpan host{sub.left + sub.width, 0};
    host.width = kRowBarsEnd - host.left;
    return {net, sub, host};
}

} // namespace mainview
