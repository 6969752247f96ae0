#pragma once
// How the main window shows one address's facts: which value label holds
// which text, what the labels say before the first refresh, and where the
// portion bars go. The only place that knows the labels' indexes.
#include "model/factsrefresh.h"
#include "model/subnettexts.h"

#include <QString>

#include <array>

namespace mainview {

// A value label, the text it shows and the tooltip that goes with it.
struct ValueLabel {
    int index; // of lblValues
    std::string SubnetTexts::*text;
    std::string SubnetTexts::*tip = nullptr;
};
extern const std::array<ValueLabel, 19> kValueLabels;

// The refresh field that forms a text.
FactsRefresh::Field fieldOf(std::string SubnetTexts::*text);

// What lblValues(index) shows before the first refresh.
QString designText(int index);
QString designRangeText();

// Left edge of every network bar and of the binary labels above the bars.
constexpr int kBarsLeft = 1800;
// Twips per binary digit and per "." of a dotted binary label.
constexpr int kDigitTwips = 90;
constexpr int kDotTwips = 45;

struct BarSpan {
    int left = 0;  // twips
    int width = 0; // twips
};
// The network, subnet and host bars of a row under a dotted binary text with
// these portions: each bar spans its digits and the dots between them; the
// dot after the network portion belongs to no bar, and a dot between the
// subnet and the host portion lies inside the host bar.
std::array<BarSpan, 3> RowBars(int networkDigits, int subnetDigits);

} // namespace mainview
