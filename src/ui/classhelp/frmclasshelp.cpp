#include "ui/classhelp/frmclasshelp.h"

#include "ui/main/mainlayout.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>

namespace {

struct Column {
    const char* title;
    int widthTwips;
};

const Column classColumns[] = {{"Class", 1058},
                               {"Bits to Identify Network Portion", 4410},
                               {"First Octec begins with", 4410},
                               {"First Octec Range", 2646}};
const Column specialColumns[] = {{"Class", 1058}, {"Start Address", 2090}, {"End Address", 2461}, {"Notes", 8026}};

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

template <size_t N> QTreeWidget* makeList(QWidget* parent, const char* name, const Column (&columns)[N])
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setColumnCount(int(N));
    QStringList titles;
    for (const Column& c : columns)
        titles << QLatin1String(c.title);
    list->setHeaderLabels(titles);
    list->header()->setStretchLastSection(false);
    for (size_t i = 0; i < N; ++i)
        list->setColumnWidth(int(i), platform::twipsToPx(columns[i].widthTwips));
    return list;
}

template <size_t N> void fill(QTreeWidget* list, const Row (&rows)[N])
{
    list->clear();
    // Rows no taller than the text, so that the lists show as much as their
    // design height allows.
    const QSize rowSize(-1, QFontMetrics(list->font()).height());
    for (const Row& r : rows) {
        auto* item = new QTreeWidgetItem(list);
        item->setSizeHint(0, rowSize);
        item->setData(0, Qt::UserRole, QLatin1String(r.key));
        for (int c = 0; c < 4; ++c)
            item->setText(c, QLatin1String(r.cells[c]));
    }
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* text)
{
    auto* l = new QLabel(QLatin1String(text), parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

frmClassHelp::frmClassHelp(QWidget* parent)
    : platform::FormBase(QStringLiteral("frmClassHelp"), platform::bsFixedDialog, parent)
{
    setWindowTitle(QStringLiteral("IP Address Class Help"));
    setClientSizeTwips(8055, 4455);
    setFont(mainlayout::designFont(font()));
    Label1_ = makeLabel(this, "Label1", "IP Classes:");
    lvClass_ = makeList(this, "lvClass", classColumns);
    Label2_ = makeLabel(this, "Label2", "Special IP Addresses:");
    lvSpecial_ = makeList(this, "lvSpecial", specialColumns);
    cmdOptions_ = new QPushButton(QStringLiteral("Done"), this);
    cmdOptions_->setObjectName(QStringLiteral("cmdOptions"));
    cmdOptions_->setDefault(true);
    placeTwips(Label1_, 120, 120, 780, 195);
    placeTwips(lvClass_, 120, 360, 7815, 1455);
    placeTwips(Label2_, 120, 1920, 1545, 195);
    placeTwips(lvSpecial_, 120, 2160, 7815, 1695);
    placeTwips(cmdOptions_, 6840, 3960, 1095, 375);
    // The labels are as wide as their texts need.
    for (QLabel* l : {Label1_, Label2_})
        l->resize(std::max(l->width(), l->sizeHint().width()), l->height());
    connect(cmdOptions_, &QPushButton::clicked, this, &frmClassHelp::cmdOptions_Click);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdOptions_, &QPushButton::click);
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
        QWidget* owner = QApplication::activeWindow();
        if (owner && owner != this) {
            QRect r = frameGeometry();
            r.moveCenter(owner->frameGeometry().center());
            move(r.topLeft());
        } else {
            centerOnScreen();
        }
    }
    platform::FormBase::showEvent(event);
}
