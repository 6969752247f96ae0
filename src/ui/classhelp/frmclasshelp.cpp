#include "ui/classhelp/frmclasshelp.h"

#include "ui/main/mainlayout.h"
#include "ui/screenfit.h"
#include "ui/zoom.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace {

const char* const classColumns[] = {"Class", "Bits to Identify Network Portion", "First Octec begins with",
                                    "First Octec Range"};
const char* const specialColumns[] = {"Class", "Start Address", "End Address", "Notes"};

struct Row {
    const char* key;
    const char* cells[4];
};

const Row classRows[] = {
    {"A", {"A", "8", "0xxx xxxx", "0 - 127"}},
    {"B", {"B", "16", "10xx xxxx", "128 - 191"}},
    {"C", {"C", "24", "110x xxxx", "192 - 223"}},
    {"D", {"D", "Special - Multicast", "1110 xxxx", "224 - 239"}},
    {"E", {"E", "Special - Reserved", "1111 xxxx", "240 - 255"}},
};

const char* const PrivateNote = "Private address (for local use). Doesn't route onto the internet.";
const Row specialRows[] = {
    {"i10", {"A", "10.0.0.0", "10.255.255.255", PrivateNote}},
    {"i127", {"A", "127.0.0.0", "127.255.255.255", "Loopback"}},
    {"i172", {"B", "172.16.0.0", "172.31.255.255", PrivateNote}},
    {"i192", {"C", "192.168.0.0", "192.168.255.255", PrivateNote}},
};

// Design geometry in twips: the lists' left edge, width and heights, the
// margin right of them, and where the controls below each list start.
constexpr int Margin = 120;
constexpr int ListWidth = 7815;
constexpr int ClassTop = 360, ClassHeight = 1455;
constexpr int SpecialLabelTop = 1920, SpecialTop = 2160, SpecialHeight = 1695;
constexpr int ButtonTop = 3960, ButtonWidth = 1095, ButtonHeight = 375;
constexpr int ClientWidth = 8055, ClientHeight = 4455;
constexpr int LabelHeight = 195;

template <size_t N> QTreeWidget* makeList(QWidget* parent, const char* name, const char* const (&columns)[N])
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(false);
    list->setWordWrap(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setColumnCount(int(N));
    QStringList titles;
    for (const char* c : columns)
        titles << QLatin1String(c);
    list->setHeaderLabels(titles);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionsMovable(false);
    return list;
}

template <size_t N> void fill(QTreeWidget* list, const Row (&rows)[N])
{
    list->clear();
    for (const Row& r : rows) {
        auto* item = new QTreeWidgetItem(list);
        item->setData(0, Qt::UserRole, QLatin1String(r.key));
        for (int c = 0; c < 4; ++c)
            item->setText(c, QLatin1String(r.cells[c]));
    }
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* text, QWidget* buddy)
{
    auto* l = new QLabel(QLatin1String(text), parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    // Screen readers name the list after its label.
    l->setBuddy(buddy);
    return l;
}

// Every column but the last as wide as its widest text or title.
int fitLeadingColumns(QTreeWidget* list)
{
    int width = 0;
    for (int c = 0; c + 1 < list->columnCount(); ++c) {
        list->resizeColumnToContents(c);
        width += list->columnWidth(c);
    }
    return width;
}

int textMargin(const QTreeWidget* list)
{
    return list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
}

// The last column's width with its texts on one line each.
int lastColumnNeeds(const QTreeWidget* list)
{
    const int last = list->columnCount() - 1;
    const QFontMetrics fm(list->font());
    int width = list->header()->sectionSizeHint(last);
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        width = std::max(width, fm.horizontalAdvance(list->topLevelItem(r)->text(last)) + 2 * textMargin(list) + 1);
    return width;
}

int frameAround(const QTreeWidget* list)
{
    return 2 * list->frameWidth();
}

// Rows as tall as their text wrapped at word boundaries in its column needs;
// returns the list's height with all rows shown.
int fitRows(QTreeWidget* list, int lastColumnWidth)
{
    const int last = list->columnCount() - 1;
    const QFontMetrics fm(list->font());
    const int margins = 2 * textMargin(list);
    int height = list->header()->sizeHint().height() + frameAround(list);
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = list->topLevelItem(r);
        // The first column never wraps: its height is one line's.
        const int oneLine = list->sizeHintForIndex(list->indexFromItem(item, 0)).height();
        const QRect wrapped = fm.boundingRect(QRect(0, 0, std::max(1, lastColumnWidth - margins), 1 << 20),
                                              Qt::TextWordWrap, item->text(last));
        const int rowHeight = oneLine + std::max(0, wrapped.height() - fm.height());
        item->setSizeHint(last, QSize(lastColumnWidth, rowHeight));
        height += rowHeight;
    }
    // The view keeps row heights it measured before.
    list->doItemsLayout();
    return height;
}

} // namespace

frmClassHelp::frmClassHelp(QWidget* parent)
    : platform::FormBase(QStringLiteral("frmClassHelp"), platform::bsFixedDialog, parent)
{
    setWindowTitle(QStringLiteral("IP Address Class Help"));
    lvClass_ = makeList(this, "lvClass", classColumns);
    lvSpecial_ = makeList(this, "lvSpecial", specialColumns);
    Label1_ = makeLabel(this, "Label1", "IP Classes:", lvClass_);
    Label2_ = makeLabel(this, "Label2", "Special IP Addresses:", lvSpecial_);
    cmdOptions_ = new QPushButton(QStringLiteral("Done"), this);
    cmdOptions_->setObjectName(QStringLiteral("cmdOptions"));
    cmdOptions_->setDefault(true);
    setTabOrder(lvClass_, lvSpecial_);
    setTabOrder(lvSpecial_, cmdOptions_);
    // Opening shows the lists with no row chosen.
    cmdOptions_->setFocus();
    connect(cmdOptions_, &QPushButton::clicked, this, &frmClassHelp::cmdOptions_Click);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdOptions_, &QPushButton::click);
    zoom::Zoom::addShortcuts(this);
    connect(&zoom::Zoom::instance(), &zoom::Zoom::changed, this, &frmClassHelp::layout);
    Form_Load();
}

void frmClassHelp::Form_Load()
{
    RefreshForm();
}

void frmClassHelp::RefreshForm()
{
    fill(lvClass_, classRows);
    fill(lvSpecial_, specialRows);
    layout(zoom::percent());
}

void frmClassHelp::layout(int percent)
{
    using zoom::px;
    setFont(mainlayout::designFont(font(), percent));
    // Both lists share one width: the design's, or what the class list's
    // columns and the special list's short columns with a readable note need.
    const int classNeeds = fitLeadingColumns(lvClass_) + lastColumnNeeds(lvClass_) + frameAround(lvClass_);
    const int specialLeading = fitLeadingColumns(lvSpecial_);
    const int noteNeeds = std::min(lastColumnNeeds(lvSpecial_), px(ListWidth / 2, percent));
    const int width =
        std::max({px(ListWidth, percent), classNeeds, specialLeading + noteNeeds + frameAround(lvSpecial_)});

    const int classHeight = std::max(px(ClassHeight, percent),
                                     fitRows(lvClass_, width - frameAround(lvClass_) - fitLeadingColumns(lvClass_)));
    const int specialHeight =
        std::max(px(SpecialHeight, percent), fitRows(lvSpecial_, width - frameAround(lvSpecial_) - specialLeading));
    const int below1 = classHeight - px(ClassHeight, percent);
    const int below2 = below1 + specialHeight - px(SpecialHeight, percent);

    const int left = px(Margin, percent);
    Label1_->setGeometry(left, px(Margin, percent), Label1_->sizeHint().width(), px(LabelHeight, percent));
    lvClass_->setGeometry(left, px(ClassTop, percent), width, classHeight);
    Label2_->setGeometry(left, px(SpecialLabelTop, percent) + below1, Label2_->sizeHint().width(),
                         px(LabelHeight, percent));
    lvSpecial_->setGeometry(left, px(SpecialTop, percent) + below1, width, specialHeight);
    const int buttonWidth = px(ButtonWidth, percent);
    cmdOptions_->setGeometry(left + width - buttonWidth, px(ButtonTop, percent) + below2, buttonWidth,
                             px(ButtonHeight, percent));
    setFixedSize(left + width + px(ClientWidth - Margin - ListWidth, percent), px(ClientHeight, percent) + below2);
}

void frmClassHelp::cmdOptions_Click()
{
    Unload();
}

void frmClassHelp::showEvent(QShowEvent* event)
{
    // Over the window it was opened from, the first time it shows.
    if (!placed_) {
        placed_ = true;
        if (!ui::centreOverOpener(this))
            centerOnScreen();
        ui::keepOnScreen(this);
        ui::keepOnScreenWhenFramed(this);
    }
    platform::FormBase::showEvent(event);
}
