#pragma once
// Everything the main window shows, worked out from the address model without
// a window: the window only copies these texts and geometries into its
// controls.
#include <QString>

#include <array>

class clsIPAddy;

// A bar's horizontal placement in twips.
struct BarGeometry {
    int left = 0;
    int width = 0;
};

inline bool operator==(const BarGeometry& a, const BarGeometry& b)
{
    return a.left == b.left && a.width == b.width;
}
inline bool operator!=(const BarGeometry& a, const BarGeometry& b)
{
    return !(a == b);
}

struct MainFormView {
    // Texts of lblValues by control index; members 18 to 20 do not exist.
    std::array<QString, 22> lblValues;
    // Tooltips of lblValues(5), (6) and (16).
    QString tipValues5, tipValues6, tipValues16;
    QString lblSubnetRange;
    // udIPChanger(1) and the subnet-portion bars 12 to 14 are shown.
    bool subnetted = false;
    // The mask is shorter than the class's network part (several class
    // networks joined into one).
    bool supernet = false;
    // Bars under the six binary rows: 3r network, 3r + 1 subnet, 3r + 2 host.
    std::array<BarGeometry, 18> shapeMaskBits;

    // What a freshly loaded window shows before its first refresh.
    static MainFormView design();
};

// Fills the view from the model, field by field in display order, and places
// the bars last. After a reported error the fields not yet reached keep what
// they had, so the window keeps one view across refreshes.
void ComputeUpdateForm(const clsIPAddy& model, MainFormView& view);
// Places the eighteen portion bars.
void ComputeAdjustSubnetLines(const clsIPAddy& model, MainFormView& view);

namespace mainform {
// Left edge of every network bar and of the binary labels above the bars.
constexpr int kBarsLeft = 1800;
// Twips per binary digit and per "." of a dotted binary label.
constexpr int kDigitTwips = 90;
constexpr int kDotTwips = 45;
// Bar widths of a row add up to this much.
constexpr int kRowBarsWidth = 2990;

// "00.00%": value times 100 with two decimals, at least two integer digits,
// the given decimal separator.
QString FormatShare(double share, const QString& decimalPoint);
} // namespace mainform
