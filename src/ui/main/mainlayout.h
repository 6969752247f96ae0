#pragma once
// The main window's inventory as data: every control with its name, index,
// container, design position (twips), text, tooltip and colours, and the
// builder that turns the table into widgets.
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>

#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class AutoSizeGroup;
class BinaryLabel;
class UpDown;

namespace mainlayout {

// Colours of the design.
const QColor LightGrey(224, 224, 224);
const QColor NetworkGreen(0, 192, 0);
const QColor SubnetPink(255, 128, 128);
const QColor HostBlue(128, 128, 255);
const QColor HoverColour(0, 0, 255);
// The resting colour of the link-style labels: the system highlight colour.
QColor LinkColour();

enum class Kind { Label, BinaryLabel, LinkLabel, TextBox, UpDown, Shape, Button, Frame };

// Every label sizes itself to its text (never below its design width, never
// past its right limit).
enum Flag : unsigned {
    NoFlags = 0,
    Grey = 1, // light grey background
};

// Labels that shrink together when one text needs a narrower font: the value
// columns, and the legend's captions, which some fonts make a pixel too wide.
enum class Group { None, AddressValues, CountValues, BitValues, Legend };

struct ControlSpec {
    QString name;
    int index = -1; // member of a control array, or -1
    Kind kind = Kind::Label;
    QString container; // empty: the window itself
    int left = 0, top = 0, width = 0, height = 0;
    QString text;
    QString toolTip;
    unsigned flags = NoFlags;
    QColor fill; // shapes; labels with Grey use LightGrey
    int maxLength = 0;
    // Labels: the right edge (twips, in the container) their text must stay
    // left of; 0 means the container's edge.
    int rightLimit = 0;
    // Spin controls: range and design value.
    int minimum = 0, maximum = 0, value = 0;
    Group group = Group::None;
    // What a screen reader calls a control that shows no text of its own.
    QString accessibleName;

    // "txtIP_0" for array members, the name otherwise.
    QString objectName() const;
};

// Client area of the window in twips.
constexpr int FormWidth = 8160;
constexpr int FormHeight = 5175;

// Every control, containers before their children, in stacking order (later
// entries lie on top).
const std::vector<ControlSpec>& controls();
// The controls that take the keyboard focus, in focus order.
const std::vector<QString>& focusOrder();
// The design entry of a control, or nullptr.
const ControlSpec* find(const QString& objectName);

// The widgets of the main window, by design name and index (nullptr where an
// index has no member).
struct MainControls {
    std::array<QLineEdit*, 4> txtIP{};
    QLineEdit* txtSubnetBits = nullptr;
    UpDown* udSubnet = nullptr;
    std::array<UpDown*, 2> udIPChanger{};
    QLabel* lblIP = nullptr;
    std::array<QLabel*, 4> lblDots{};
    std::array<QLabel*, 2> LblHeadings{};
    std::array<QLabel*, 13> lblLabels{};
    std::array<QLabel*, 22> lblValues{};
    std::array<QLabel*, 4> lblLegend{};
    QLabel* lblSubnetRange = nullptr;
    QLabel* lblWebLinks = nullptr;
    std::array<QWidget*, 21> shapeMaskBits{};
    QWidget* shapeTopFrame = nullptr;
    QGroupBox* frameStats = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QPushButton*, 2> cmdOptions{};
};

// Creates every control of the table on the window, placed at the current
// zoom, named and coloured, with the focus order set.
MainControls build(QWidget* form);
// Places, sizes and fonts every control for a zoom; the window keeps its
// texts, and the bars the twips they were last placed at.
void layout(QWidget* form, int percent);

// The window's font: the system's family at the size the positions were
// drawn for (8.25 pt, 11 logical pixels), scaled to a zoom.
QFont designFont(const QFont& system, int percent = 100);

// Sets a label's text; labels that size themselves follow it, staying left of
// their limit.
void setLabelText(QLabel* label, const QString& text);
// For its lifetime, labels that shrink together are fitted once, at the end,
// however many of their texts are set meanwhile.
class TextsBeingSet {
public:
    explicit TextsBeingSet(QWidget* form);
    ~TextsBeingSet();
    TextsBeingSet(const TextsBeingSet&) = delete;
    TextsBeingSet& operator=(const TextsBeingSet&) = delete;

private:
    std::vector<QPointer<AutoSizeGroup>> groups_;
};
// Places a bar at a horizontal position in twips (its top and height stay),
// at the current zoom, on the same edges as the digits above it; a negative
// width draws nothing. The binary row above learns which digits its bars mark
// (for screen readers).
void placeBar(QWidget* bar, int leftTwips, int widthTwips);
// Tells screen readers which digits of every binary row each portion covers.
void describeRows(QWidget* form, int networkDigits, int subnetDigits);

} // namespace mainlayout
