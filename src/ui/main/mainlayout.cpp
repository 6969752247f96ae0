#include "ui/main/mainlayout.h"

#include "model/masklength.h"
#include "platform/forms.h"
#include "platform/gui/formbase.h"
#include "ui/main/autosizelabel.h"
#include "ui/main/binarylabel.h"
#include "ui/main/framestyle.h"
#include "ui/main/mainview.h"
#include "ui/main/updown.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

#include <algorithm>

namespace mainlayout {

QColor LinkColour()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

QString ControlSpec::objectName() const
{
    return index < 0 ? name : name + QLatin1Char('_') + QString::number(index);
}

namespace {

constexpr int LabelHeight = 195;
// Space kept between a label's text and the control to its right.
constexpr int Gap = 15;
constexpr int EdgeMargin = 60;
constexpr int DesignPixelSize = 11;
const QString Ellipsis = QStringLiteral("...");

// One row of the address block: caption, binary digits, value, an optional
// spin control before the value, and three bars under the digits.
struct AddressRow {
    int top;
    int caption;
    const char* captionText;
    const char* shows; // for screen readers
    int binary;
    int value;
    int changer; // udIPChanger index, or -1
    int firstBar;
    int barsTop;
    const char* toolTip;
};

const AddressRow addressRows[] = {
    {840, 0, "IP Address:", "IP address", 0, 11, -1, 0, 1020, nullptr},
    {1080, 1, "Subnet Address:", "Subnet mask", 1, 12, -1, 3, 1260,
     "The subnet mask is always 1 in the network and subnet portion, and always 0 in the host portion."},
    {1560, 2, "Network Address:", "Network address", 2, 13, -1, 6, 1740,
     "To calculate the network address, change all bits for host portion to 0, leave the network and subnet bits "
     "in tact."},
    {1800, 12, "Broadcast Address:", "Broadcast address", 21, 17, -1, 15, 1980,
     "To calculate the broadcast address, change all bits for host portion to 1, leave the network and subnet bits "
     "in tact."},
    {2280, 3, "Host Portion:", "Host portion", 3, 14, 0, 9, 2460,
     "The host is calculated simply by the binary value of the host portion of the address"},
    {2520, 4, "Subnet Portion:", "Subnet portion", 4, 15, 1, 12, 2700,
     "The subnet is calculated simply by the binary value of the subnet portion of the address"},
};

// Design Left of the three bars of a row; the refresh moves them.
constexpr int BarDesignLeft[3] = {1800, 1920, 2040};
constexpr int BarWidth = 105;
constexpr int BarHeight = 45;

struct StatLine {
    int captionIndex;
    const char* caption;
    int valueIndex;
    int left;
    int top;
    int valueLeft;
    int valueLimit; // 0: the frame's edge
    Group group;
};
const StatLine statLines[] = {
    {5, "Number of subnets:", 5, 120, 240, 2160, 4920, Group::CountValues},
    {6, "Num hosts per subnet:", 6, 120, 480, 2160, 4920, Group::CountValues},
    {11, "Usable IPs (All Subnets):", 16, 120, 720, 2160, 4920, Group::CountValues},
    {8, "Bits for Network:", 8, 4920, 240, 6600, 0, Group::BitValues},
    {9, "Bits for Subnet:", 9, 4920, 480, 6600, 0, Group::BitValues},
    {10, "Bits for Hosts:", 10, 4920, 720, 6600, 0, Group::BitValues},
};

struct Builder {
    std::vector<ControlSpec> list;

    ControlSpec& add(const QString& name, int index, Kind kind, int left, int top, int width, int height,
                     const QString& text = QString(), unsigned flags = NoFlags)
    {
        ControlSpec s;
        s.name = name;
        s.index = index;
        s.kind = kind;
        s.left = left;
        s.top = top;
        s.width = width;
        s.height = height;
        s.text = text;
        s.flags = flags;
        list.push_back(s);
        return list.back();
    }
    ControlSpec& label(const QString& name, int index, int left, int top, int width, const QString& text,
                       unsigned flags = NoFlags)
    {
        return add(name, index, Kind::Label, left, top, width, LabelHeight, text, flags);
    }
    ControlSpec& value(int index, int left, int top, unsigned flags = Grey)
    {
        return add(QStringLiteral("lblValues"), index, Kind::Label, left, top, 0, LabelHeight,
                   mainview::designText(index), flags);
    }
    ControlSpec& textBox(const QString& name, int index, int left, const QString& text)
    {
        ControlSpec& s =
            add(name, index, Kind::TextBox, left, 240, name == QLatin1String("txtIP") ? 735 : 495, 285, text);
        s.maxLength = 3;
        return s;
    }
    ControlSpec& spin(const QString& name, int index, int left, int top, int width, int height, int minimum,
                      int maximum, int value, const char* accessibleName)
    {
        ControlSpec& s = add(name, index, Kind::UpDown, left, top, width, height);
        s.minimum = minimum;
        s.maximum = maximum;
        s.value = value;
        s.accessibleName = QLatin1String(accessibleName);
        return s;
    }
    ControlSpec& shape(const QString& name, int index, int left, int top, int width, int height, const QColor& fill)
    {
        ControlSpec& s = add(name, index, Kind::Shape, left, top, width, height);
        s.fill = fill;
        return s;
    }
    void inFrame(const QString& frame) { list.back().container = frame; }

    void entryRow()
    {
        const QString ip = QStringLiteral("txtIP");
        const QString dots = QStringLiteral("lblDots");
        label(QStringLiteral("lblIP"), -1, 120, 285, 1230, QStringLiteral("Enter IP Address:"), Grey).rightLimit =
            1560 - Gap;
        const char* octets[4] = {"192", "168", "1", "1"};
        const char* names[4] = {"First octet", "Second octet", "Third octet", "Fourth octet"};
        const int boxLeft[4] = {1560, 2520, 3480, 4440};
        for (int k = 0; k < 4; ++k) {
            textBox(ip, k, boxLeft[k], QLatin1String(octets[k])).accessibleName = QLatin1String(names[k]);
            label(dots, k, boxLeft[k] + 840, 285, k < 3 ? 45 : 75, QLatin1String(k < 3 ? "." : "/"));
        }
        textBox(QStringLiteral("txtSubnetBits"), -1, 5640, QStringLiteral("24")).accessibleName =
            QStringLiteral("Mask bits");
        spin(QStringLiteral("udSubnet"), -1, 6135, 240, 240, 285, masklength::kEntryMin, masklength::kEntryMax, 24,
             "Step mask bits");
        label(QStringLiteral("lblLabels"), 7, 6480, 285, 420, QStringLiteral("Class:"), Grey).rightLimit = 7080 - Gap;
        ControlSpec& cls = add(QStringLiteral("lblValues"), 7, Kind::LinkLabel, 7080, 285, 135, LabelHeight,
                               mainview::designText(7), Grey);
        cls.toolTip = QStringLiteral("Click for help");
    }

    void headings()
    {
        label(QStringLiteral("LblHeadings"), 0, 1800, 600, 480, QStringLiteral("Binary:"), Grey);
        label(QStringLiteral("LblHeadings"), 1, 5040, 600, 450, QStringLiteral("Value:"));
    }

    void addressBlock()
    {
        const QColor barColours[3] = {NetworkGreen, SubnetPink, HostBlue};
        for (const AddressRow& row : addressRows) {
            label(QStringLiteral("lblLabels"), row.caption, 120, row.top, 0, QLatin1String(row.captionText), Grey)
                .rightLimit = mainview::kBarsLeft - Gap;
            add(QStringLiteral("lblValues"), row.binary, Kind::BinaryLabel, mainview::kBarsLeft, row.top, 0,
                LabelHeight, mainview::designText(row.binary), Grey);
            int valueLeft = 5040;
            if (row.changer >= 0) {
                spin(QStringLiteral("udIPChanger"), row.changer, 5040, row.top, 240, 195, -1, 1, 0,
                     row.changer == 0 ? "Step host number" : "Step subnet number");
                valueLeft = 5400;
            }
            ControlSpec& v = value(row.value, valueLeft, row.top);
            v.group = Group::AddressValues;
            if (row.toolTip)
                v.toolTip = QLatin1String(row.toolTip);
            for (int b = 0; b < 3; ++b)
                shape(QStringLiteral("shapeMaskBits"), row.firstBar + b, BarDesignLeft[b], row.barsTop, BarWidth,
                      BarHeight, barColours[b]);
        }
        add(QStringLiteral("lblSubnetRange"), -1, Kind::Label, 120, 2880, 0, LabelHeight, mainview::designRangeText());
    }

    void statistics()
    {
        const QString frame = QStringLiteral("frameStats");
        add(frame, -1, Kind::Frame, 120, 3120, 7935, 1095, QString(), Grey);
        // Covers the frame's top edge: the statistics read as a band, not a box.
        shape(QStringLiteral("shapeTopFrame"), -1, 0, 0, 8000, 98, QColor());
        inFrame(frame);
        for (const StatLine& line : statLines) {
            label(QStringLiteral("lblLabels"), line.captionIndex, line.left, line.top, 0, QLatin1String(line.caption))
                .rightLimit = line.valueLeft - Gap;
            inFrame(frame);
            ControlSpec& v = value(line.valueIndex, line.valueLeft, line.top, NoFlags);
            v.rightLimit = line.valueLimit ? line.valueLimit - Gap : 0;
            v.group = line.group;
            inFrame(frame);
        }
    }

    void legend()
    {
        const QString frame = QStringLiteral("Frame1");
        add(frame, -1, Kind::Frame, 120, 4320, 5535, 735, QStringLiteral("Legend"));
        const struct {
            int left;
            const char* text;
            QColor fill;
        } items[3] = {{480, "Network Portion", NetworkGreen},
                      {2160, "Subnet Portion", SubnetPink},
                      {3720, "Host Portion", HostBlue}};
        for (int i = 0; i < 3; ++i) {
            shape(QStringLiteral("shapeMaskBits"), 18 + i, items[i].left, 435, 195, 45, items[i].fill);
            inFrame(frame);
            // Up to the next swatch: the captions need all of that room.
            ControlSpec& caption =
                label(QStringLiteral("lblLegend"), i + 1, items[i].left + 360, 360, 0, QLatin1String(items[i].text));
            caption.rightLimit = i < 2 ? items[i + 1].left : 0;
            caption.group = Group::Legend;
            inFrame(frame);
        }
    }

    void bottomRow()
    {
        add(QStringLiteral("lblWebLinks"), -1, Kind::LinkLabel, 5760, 4380, 765, LabelHeight,
            QStringLiteral("Web Links"));
        add(QStringLiteral("cmdOptions"), 1, Kind::Button, 5760, 4680, 1095, 375, QStringLiteral("&About"));
        add(QStringLiteral("cmdOptions"), 0, Kind::Button, 6960, 4680, 1095, 375, QStringLiteral("E&xit"));
    }
};

std::vector<ControlSpec> makeControls()
{
    Builder b;
    b.entryRow();
    b.headings();
    b.addressBlock();
    b.statistics();
    b.legend();
    b.bottomRow();
    return std::move(b.list);
}

QFont linkFont(const QFont& base, int percent)
{
    QFont f = zoom::scaled(base, DesignPixelSize, percent);
    // Asking for a family the machine lacks costs a fallback search at
    // start; the label's own family is the same choice without it.
    static const bool haveLinkFamily =
        QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive);
    if (haveLinkFamily)
        f.setFamilies({QStringLiteral("MS Sans Serif"), base.family()});
    f.setUnderline(true);
    return f;
}

void setBackground(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void setForeground(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

QWidget* create(const ControlSpec& s, QWidget* parent)
{
    switch (s.kind) {
    case Kind::Label:
    case Kind::LinkLabel:
    case Kind::BinaryLabel: {
        QLabel* l = s.kind == Kind::BinaryLabel ? static_cast<QLabel*>(new BinaryLabel(parent))
                                                : static_cast<QLabel*>(new AutoSizeLabel(parent));
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (s.kind == Kind::LinkLabel) {
            setForeground(l, LinkColour());
            l->setCursor(Qt::PointingHandCursor);
        }
        if (s.flags & Grey)
            setBackground(l, LightGrey);
        // The window's hover handlers see the pointer over every label.
        l->setMouseTracking(true);
        return l;
    }
    case Kind::TextBox: {
        auto* e = new QLineEdit(parent);
        e->setMaxLength(s.maxLength);
        return e;
    }
    case Kind::UpDown: {
        auto* u = new UpDown(parent);
        u->setRange(s.minimum, s.maximum);
        u->setValue(s.value);
        return u;
    }
    case Kind::Shape: {
        auto* w = new QWidget(parent);
        setBackground(w, s.fill.isValid() ? s.fill : QApplication::palette().color(QPalette::Button));
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        return w;
    }
    case Kind::Button: {
        auto* b = new QPushButton(parent);
        b->setAutoDefault(false);
        return b;
    }
    case Kind::Frame: {
        auto* g = new QGroupBox(parent);
        framestyle::apply(g);
        if (s.flags & Grey)
            setBackground(g, LightGrey);
        return g;
    }
    }
    return nullptr;
}

constexpr Group AllGroups[] = {Group::AddressValues, Group::CountValues, Group::BitValues, Group::Legend};

QString groupName(Group g)
{
    return QStringLiteral("fitGroup_%1").arg(int(g));
}

AutoSizeGroup* groupOf(const QWidget* form, Group g)
{
    return g == Group::None ? nullptr : form->findChild<AutoSizeGroup*>(groupName(g));
}

bool isPortionBar(const ControlSpec& s)
{
    return s.kind == Kind::Shape && s.name == QLatin1String("shapeMaskBits") && s.index >= 0 && s.index < 18;
}

// A bar's horizontal placement in twips, kept on the bar so that a new zoom
// can place it again.
const char* const LeftTwips = "leftTwips";
const char* const WidthTwips = "widthTwips";

void placeBarAt(QWidget* bar, int leftTwips, int widthTwips, int percent)
{
    bar->setProperty(LeftTwips, leftTwips);
    bar->setProperty(WidthTwips, widthTwips);
    // Both edges from twips, so adjacent bars meet without a gap or overlap.
    const int left = zoom::px(leftTwips, percent);
    const int right = zoom::px(leftTwips + std::max(0, widthTwips), percent);
    bar->setGeometry(left, bar->y(), right - left, bar->height());
}

// "digits 25 to 26" for `count` digits from digit `first` (counted from 1).
QString digitRange(int first, int count)
{
    if (count <= 0)
        return QStringLiteral("none");
    if (count == 1)
        return QStringLiteral("digit %1").arg(first);
    return QStringLiteral("digits %1 to %2").arg(first).arg(first + count - 1);
}

template <typename T, size_t N>
void collect(const QHash<QString, QWidget*>& made, const QString& name, std::array<T*, N>& members)
{
    for (size_t i = 0; i < N; ++i)
        members[i] = qobject_cast<T*>(made.value(name + QLatin1Char('_') + QString::number(i)));
}

template <typename T> T* one(const QHash<QString, QWidget*>& made, const QString& name)
{
    return qobject_cast<T*>(made.value(name));
}

} // namespace

const std::vector<ControlSpec>& controls()
{
    static const std::vector<ControlSpec> list = makeControls();
    return list;
}

const std::vector<QString>& focusOrder()
{
    static const std::vector<QString> order = {
        QStringLiteral("txtIP_0"),       QStringLiteral("txtIP_1"),       QStringLiteral("txtIP_2"),
        QStringLiteral("txtIP_3"),       QStringLiteral("txtSubnetBits"), QStringLiteral("udSubnet"),
        QStringLiteral("udIPChanger_0"), QStringLiteral("udIPChanger_1"), QStringLiteral("cmdOptions_0"),
        QStringLiteral("cmdOptions_1"),
    };
    return order;
}

const ControlSpec* find(const QString& objectName)
{
    static const QHash<QString, const ControlSpec*> byName = [] {
        QHash<QString, const ControlSpec*> names;
        for (const ControlSpec& s : controls())
            names.insert(s.objectName(), &s);
        return names;
    }();
    return byName.value(objectName, nullptr);
}

void setLabelText(QLabel* label, const QString& text)
{
    if (auto* fitted = dynamic_cast<AutoSizeLabel*>(label)) {
        fitted->setFittedText(text);
    } else if (label->text() != text) {
        label->setText(text);
        if (qobject_cast<BinaryLabel*>(label))
            label->resize(label->sizeHint().width(), label->height());
    }
}

TextsBeingSet::TextsBeingSet(QWidget* form)
{
    for (Group g : AllGroups)
        if (AutoSizeGroup* group = groupOf(form, g)) {
            group->hold();
            groups_.emplace_back(group);
        }
}

TextsBeingSet::~TextsBeingSet()
{
    for (const QPointer<AutoSizeGroup>& group : groups_)
        if (group)
            group->release();
}

void placeBar(QWidget* bar, int leftTwips, int widthTwips)
{
    placeBarAt(bar, leftTwips, widthTwips, zoom::percent());
}

void describeRows(QWidget* form, int networkDigits, int subnetDigits)
{
    const QString portions = QStringLiteral("Network portion: %1. Subnet portion: %2. Host portion: %3.")
                                 .arg(digitRange(1, networkDigits), digitRange(networkDigits + 1, subnetDigits),
                                      digitRange(networkDigits + subnetDigits + 1, 32 - networkDigits - subnetDigits));
    for (const AddressRow& row : addressRows) {
        auto* label = form->findChild<QLabel*>(QStringLiteral("lblValues_%1").arg(row.binary));
        if (label)
            label->setAccessibleDescription(QLatin1String(row.shows) + QStringLiteral(" in binary. ") + portions);
    }
}

QFont designFont(const QFont& system, int percent)
{
    return zoom::scaled(system, DesignPixelSize, percent);
}

void layout(QWidget* form, int percent)
{
    form->setFont(designFont(form->font(), percent));
    form->setFixedSize(zoom::px(FormWidth, percent), zoom::px(FormHeight, percent));
    QSet<AutoSizeGroup*> groups;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const ControlSpec* control = find(w->objectName());
        if (!control)
            continue;
        const ControlSpec& s = *control;
        zoom::place(w, s.left, s.top, s.width, s.height, percent);
        if (isPortionBar(s)) {
            placeBarAt(w, w->property(LeftTwips).toInt(), w->property(WidthTwips).toInt(), percent);
        } else if (auto* l = dynamic_cast<AutoSizeLabel*>(w)) {
            const QFont base = s.kind == Kind::LinkLabel ? linkFont(form->font(), percent) : form->font();
            const int containerWidth = s.container.isEmpty() ? FormWidth : find(s.container)->width;
            const int limit = s.rightLimit ? s.rightLimit : containerWidth - EdgeMargin;
            l->setSizing(base, percent, zoom::px(s.width, percent), zoom::px(limit, percent));
            if (AutoSizeGroup* group = groupOf(form, s.group))
                groups.insert(group);
        } else if (auto* b = qobject_cast<BinaryLabel*>(w)) {
            b->setGrid(s.left, percent);
            b->resize(b->sizeHint().width(), b->height());
        }
    }
    // Once every member stands at its new place.
    for (AutoSizeGroup* group : groups)
        group->fit();
}

MainControls build(QWidget* form)
{
    // Children made with the design font lay their texts out once, not first
    // in the toolkit's default font.
    form->setFont(designFont(form->font(), zoom::percent()));
    QHash<QString, QWidget*> containers;
    QHash<QString, QWidget*> made;
    for (Group g : AllGroups)
        (new AutoSizeGroup(form))->setObjectName(groupName(g));
    for (const ControlSpec& s : controls()) {
        QWidget* parent = s.container.isEmpty() ? form : containers.value(s.container, form);
        QWidget* w = create(s, parent);
        w->setObjectName(s.objectName());
        made.insert(w->objectName(), w);
        // The pointer over a control is the control's business, never the
        // window background's; bars let it through to what lies beneath.
        if (s.kind != Kind::Shape)
            w->setAttribute(Qt::WA_NoMousePropagation);
        if (s.kind == Kind::Frame) {
            static_cast<QGroupBox*>(w)->setTitle(s.text);
            containers.insert(s.name, w);
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            l->setText(s.text);
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            e->setText(s.text);
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            b->setText(s.text);
        }
        if (!s.toolTip.isEmpty())
            w->setToolTip(s.toolTip);
        if (!s.accessibleName.isEmpty())
            w->setAccessibleName(s.accessibleName);
        if (isPortionBar(s)) {
            w->setProperty(LeftTwips, s.left);
            w->setProperty(WidthTwips, s.width);
        }
        if (auto* l = dynamic_cast<AutoSizeLabel*>(w))
            l->setGroup(groupOf(form, s.group));
    }
    layout(form, zoom::percent());

    MainControls c;
    collect(made, QStringLiteral("txtIP"), c.txtIP);
    c.txtSubnetBits = one<QLineEdit>(made, QStringLiteral("txtSubnetBits"));
    c.udSubnet = one<UpDown>(made, QStringLiteral("udSubnet"));
    collect(made, QStringLiteral("udIPChanger"), c.udIPChanger);
    c.lblIP = one<QLabel>(made, QStringLiteral("lblIP"));
    collect(made, QStringLiteral("lblDots"), c.lblDots);
    collect(made, QStringLiteral("LblHeadings"), c.LblHeadings);
    collect(made, QStringLiteral("lblLabels"), c.lblLabels);
    collect(made, QStringLiteral("lblValues"), c.lblValues);
    collect(made, QStringLiteral("lblLegend"), c.lblLegend);
    c.lblSubnetRange = one<QLabel>(made, QStringLiteral("lblSubnetRange"));
    c.lblWebLinks = one<QLabel>(made, QStringLiteral("lblWebLinks"));
    collect(made, QStringLiteral("shapeMaskBits"), c.shapeMaskBits);
    c.shapeTopFrame = one<QWidget>(made, QStringLiteral("shapeTopFrame"));
    c.frameStats = one<QGroupBox>(made, QStringLiteral("frameStats"));
    c.Frame1 = one<QGroupBox>(made, QStringLiteral("Frame1"));
    collect(made, QStringLiteral("cmdOptions"), c.cmdOptions);

    c.udSubnet->setBuddy(c.txtSubnetBits);
    const auto& order = focusOrder();
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(made.value(order[i - 1]), made.value(order[i]));
    return c;
}

} // namespace mainlayout
