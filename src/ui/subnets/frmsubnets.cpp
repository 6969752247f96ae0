#include "ui/subnets/frmsubnets.h"

#include "model/planrequests.h"
#include "platform/forms.h"
#include "ui/main/frmmain.h"
#include "ui/main/mainlayout.h"
#include "ui/subnets/blocktext.h"
#include "ui/subnets/planbar.h"
#include "ui/subnets/subnetmodel.h"
#include "ui/subnets/subnetview.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Thousands grouped, as counts of rows and addresses are long.
QString count(std::uint64_t n)
{
    return QLocale().toString(qulonglong(n));
}

// The binary form beside the network it spells, the counts after them.
enum PlanColumn { PlanName, PlanAsked, PlanNetwork, PlanBinary, PlanUsable, PlanSpare, PlanFirst, PlanLast,
                  PlanBroadcast, PlanColumns };
const char* const planTitles[] = {"Name", "Hosts Asked", "Network", "In Binary (borrowed bits marked)", "Usable",
                                  "Spare", "First Usable", "Last Usable", "Broadcast"};

// What the binary column's painter needs, kept on the item.
enum PlanRole { RoleAddress = Qt::UserRole, RoleFrom, RoleTo, RoleColour };

// The network address in dotted binary: the planned network's bits plain,
// the bits the block borrows on its colour and bold, the host bits grey.
class BinaryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QFont binaryFont(const QFont& like)
    {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setPixelSize(like.pixelSize() > 0 ? like.pixelSize() : QFontInfo(like).pixelSize());
        return f;
    }
    static int textWidth(const QFont& like)
    {
        QFont bold = binaryFont(like);
        bold.setBold(true);
        return QFontMetrics(bold).horizontalAdvance(QStringLiteral("00000000.00000000.00000000.00000000")) + 8;
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        o.text.clear();
        o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        const std::uint32_t address = index.data(RoleAddress).toUInt();
        const int from = index.data(RoleFrom).toInt();
        const int to = index.data(RoleTo).toInt();
        const QColor colour = index.data(RoleColour).value<QColor>();
        QFont plain = binaryFont(option.font);
        QFont bold = plain;
        bold.setBold(true);
        p->save();
        int x = option.rect.left() + 4;
        const QRect r = option.rect;
        for (int bit = 0; bit < 32; ++bit) {
            if (bit && bit % 8 == 0) {
                p->setFont(plain);
                p->setPen(option.palette.color(QPalette::Text));
                p->drawText(QRect(x, r.top(), 100, r.height()), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("."));
                x += QFontMetrics(plain).horizontalAdvance(QLatin1Char('.'));
            }
            const QChar c = (address >> (31 - bit)) & 1 ? QLatin1Char('1') : QLatin1Char('0');
            const bool borrowed = bit >= from && bit < to;
            const QFont& f = borrowed ? bold : plain;
            const int w = QFontMetrics(f).horizontalAdvance(c);
            if (borrowed)
                p->fillRect(QRect(x, r.top() + 1, w, r.height() - 2), colour);
            p->setFont(f);
            p->setPen(bit >= to ? option.palette.color(QPalette::Disabled, QPalette::Text)
                                : (borrowed ? QColor(Qt::black) : option.palette.color(QPalette::Text)));
            p->drawText(QRect(x, r.top(), w, r.height()), Qt::AlignVCenter | Qt::AlignLeft, c);
            x += w;
        }
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setWidth(textWidth(option.font));
        return s;
    }
};

// Long texts wrap rather than widen the window past its screen.
QLabel* wrapped(QLabel* l)
{
    l->setWordWrap(true);
    return l;
}

} // namespace

frmSubnets::frmSubnets(QWidget* parent) : ExtraWindow(QStringLiteral("frmSubnets"), platform::bsSizable, parent)
{
    setWindowTitle(QStringLiteral("Subnets"));
    setAccessibleName(QStringLiteral("Subnet table"));
    model_ = new SubnetModel(this);

    lblNetwork_ = wrapped(plainLabel(this, "lblNetwork", QString(), QStringLiteral("Network split")));
    lvSubnets_ = new SubnetView(this);
    lvSubnets_->setObjectName(QStringLiteral("lvSubnets"));
    lvSubnets_->setAccessibleName(QStringLiteral("Subnets"));
    lvSubnets_->setModel(model_);
    lblStatus_ = wrapped(plainLabel(this, "lblStatus", QString(), QStringLiteral("Status")));

    fraPlanner_ = new QGroupBox(QStringLiteral("Plan subnets by host counts"), this);
    fraPlanner_->setObjectName(QStringLiteral("fraPlanner"));
    fraPlanner_->setAccessibleName(fraPlanner_->title());
    lblPlan_ = new QLabel(QStringLiteral("&Hosts:"), fraPlanner_);
    lblPlan_->setObjectName(QStringLiteral("lblPlan"));
    txtPlan_ = new QLineEdit(fraPlanner_);
    txtPlan_->setObjectName(QStringLiteral("txtPlan"));
    txtPlan_->setAccessibleName(QStringLiteral("Host counts to plan"));
    txtPlan_->setPlaceholderText(QStringLiteral("e.g. 50 14 lab=10 2"));
    txtPlan_->setToolTip(QStringLiteral("Host counts, each optionally named (NAME=HOSTS), separated by blanks or "
                                        "commas.\nEach gets the smallest block whose usable hosts (2^H - 2) cover "
                                        "it;\nthe largest are placed first, from the start of the network."));
    lblPlan_->setBuddy(txtPlan_);
    chkRFC3021_ = new QCheckBox(QStringLiteral("&RFC 3021"), fraPlanner_);
    chkRFC3021_->setObjectName(QStringLiteral("chkRFC3021"));
    chkRFC3021_->setAccessibleName(QStringLiteral("RFC 3021 point-to-point blocks"));
    chkRFC3021_->setToolTip(QStringLiteral("Let a 2-host request take a /31 and a 1-host request a /32 "
                                           "(point-to-point links, RFC 3021)."));
    lblPlanProblem_ = wrapped(plainLabel(fraPlanner_, "lblPlanProblem", QString(), QStringLiteral("Planning problem")));
    // A palette, not a style sheet: a style sheet would stop the zoom's font.
    QPalette warning = lblPlanProblem_->palette();
    warning.setColor(QPalette::WindowText, QColor(0xb0, 0, 0));
    lblPlanProblem_->setPalette(warning);
    lblPlanNetwork_ = wrapped(plainLabel(fraPlanner_, "lblPlanNetwork", QString(), QStringLiteral("Planned network")));
    picPlan_ = new PlanBar(fraPlanner_);
    picPlan_->setObjectName(QStringLiteral("picPlan"));
    picPlan_->setAccessibleName(QStringLiteral("Allocations over the network's range"));
    lvPlan_ = new QTreeWidget(fraPlanner_);
    lvPlan_->setObjectName(QStringLiteral("lvPlan"));
    lvPlan_->setAccessibleName(QStringLiteral("Planned subnets"));
    lvPlan_->setRootIsDecorated(false);
    lvPlan_->setUniformRowHeights(true);
    lvPlan_->setAllColumnsShowFocus(true);
    lvPlan_->setColumnCount(PlanColumns);
    QStringList titles;
    for (const char* t : planTitles)
        titles << QLatin1String(t);
    lvPlan_->setHeaderLabels(titles);
    lvPlan_->setItemDelegateForColumn(PlanBinary, new BinaryDelegate(lvPlan_));

    auto* line = new QHBoxLayout;
    line->addWidget(lblPlan_);
    line->addWidget(txtPlan_, 2);
    line->addWidget(chkRFC3021_);
    line->addWidget(lblPlanProblem_, 3);
    auto* planner = new QVBoxLayout(fraPlanner_);
    planner->addLayout(line);
    planner->addWidget(lblPlanNetwork_);
    planner->addWidget(picPlan_);
    planner->addWidget(lvPlan_, 1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(lblNetwork_);
    all->addWidget(lvSubnets_, 1);
    all->addWidget(lblStatus_);
    all->addWidget(fraPlanner_, 1);

    // Ctrl+C on the table copies rows; elsewhere (the planner line) it copies text.
    auto* copy = new QShortcut(QKeySequence::Copy, lvSubnets_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, &frmSubnets::CopyRows);
    connect(lvSubnets_, &SubnetView::activated, this, &frmSubnets::rowActivated);
    // The view paints its rows itself: a screen reader hears the current one
    // through the view's description.
    connect(lvSubnets_, &SubnetView::currentRowChanged, this, [this](int row) {
        QString spoken;
        for (int c = 0; c < SubnetModel::ColumnCount; ++c) {
            const QString text = model_->text(row, c);
            if (!text.isEmpty())
                spoken += (c ? QStringLiteral(", ") : QString()) + model_->headerData(c, Qt::Horizontal).toString() +
                          QLatin1Char(' ') + text;
        }
        lvSubnets_->setAccessibleDescription(spoken);
    });
    connect(txtPlan_, &QLineEdit::textChanged, this, &frmSubnets::Plan);
    connect(chkRFC3021_, &QCheckBox::toggled, this, &frmSubnets::Plan);
    setTabOrder(lvSubnets_, txtPlan_);
    setTabOrder(txtPlan_, chkRFC3021_);
    setTabOrder(chkRFC3021_, lvPlan_);

    // The main window, when there is one, decides what the table shows.
    main_ = dynamic_cast<frmMain*>(platform::Forms::find(QStringLiteral("frmMain")));
    if (main_)
        connect(main_, &frmMain::refreshed, this, &frmSubnets::followMain);

    applyZoom(zoom::percent());
    if (main_)
        followMain();
    else
        setAddress(model_->table().parent().address(), model_->table().maskBits());
    lvSubnets_->setFocus();
}

net::Network4 frmSubnets::plannedNetwork() const
{
    return model_->table().parent();
}

void frmSubnets::followMain()
{
    const SubnetFacts& f = main_->facts();
    setAddress(f.address, f.maskBits);
}

void frmSubnets::setAddress(std::uint32_t address, int maskBits)
{
    const net::Network4 planned = plannedNetwork();
    model_->setAddress(address, maskBits);
    const std::uint64_t row = model_->table().currentRow();
    lvSubnets_->selectRow(int(row));
    showTitle();
    lblStatus_->setText(QStringLiteral("Double-click a row (or press Enter) to show it in the main window; "
                                       "Ctrl+C copies the selected rows."));
    if (plannedNetwork() != planned || lvPlan_->topLevelItemCount() == 0)
        Plan();
}

void frmSubnets::showTitle()
{
    const classtable::ClassTable& t = model_->table();
    const auto& f = t.parent();
    QString text;
    const QString letter = QString(QLatin1Char(t.classLetter()));
    if (t.supernet())
        text = QStringLiteral("Supernet %1 joins %2 class %3 networks (/%4):")
                   .arg(blockText(f), count(t.rowCount()), letter, QString::number(t.classBits()));
    else if (t.subnetted())
        text = QStringLiteral("Class %1 network %2 split at /%3: %4 subnets of %5 addresses; %6 bits borrowed")
                   .arg(letter, blockText(f), QString::number(t.maskBits()), count(t.rowCount()),
                        count(t.row(0).network.size()), QString::number(t.maskBits() - t.classBits()));
    else
        text = QStringLiteral("Class %1 network %2, not subnetted:").arg(letter, blockText(f));
    lblNetwork_->setText(text);
    setWindowTitle(QStringLiteral("Subnets of ") + blockText(f));
}

void frmSubnets::rowActivated(int row)
{
    if (!main_)
        return;
    const classtable::Row r = model_->table().row(classtable::Count(row));
    main_->SetAddress(classtable::AddressOf(r), model_->table().maskBits());
}

void frmSubnets::CopyRows()
{
    const int first = lvSubnets_->selectionFirst();
    const int last = lvSubnets_->selectionLast();
    if (first < 0)
        return;
    const qint64 rows = qint64(last) - first + 1;
    const classtable::ClassTable& t = model_->table();
    if (rows > MaxCopyRows) {
        const QString command = QStringLiteral("quillmark --subnets %1/%2")
                                    .arg(dottedText(t.row(classtable::Count(first)).network.network()),
                                         QString::number(t.maskBits()));
        lblStatus_->setText(QStringLiteral("Not copied: %1 rows are selected and Ctrl+C copies at most %2. "
                                           "For every row, run %3 in a terminal.")
                                .arg(count(std::uint64_t(rows)), count(MaxCopyRows), command));
        return;
    }
    QString text = model_->titleText() + QLatin1Char('\n');
    text.reserve(int(rows) * 80);
    for (int r = first; r <= last; ++r)
        text += model_->rowText(r) + QLatin1Char('\n');
    QApplication::clipboard()->setText(text);
    lblStatus_->setText(rows == 1 ? QStringLiteral("Copied 1 row.")
                                  : QStringLiteral("Copied %1 rows.").arg(count(std::uint64_t(rows))));
}

void frmSubnets::clearPlan()
{
    lvPlan_->clear();
    picPlan_->setBlocks(plannedNetwork(), {});
}

void frmSubnets::Plan()
{
    const net::Network4 within = plannedNetwork();
    lblPlanNetwork_->setText(QStringLiteral("Planned within %1 (%2 addresses), from its start; the largest blocks "
                                            "first:")
                                 .arg(blockText(within), count(within.size())));
    const std::string line = txtPlan_->text().toStdString();
    std::string problem;
    const bool rfc3021 = chkRFC3021_->isChecked();
    const auto requests = planrequests::ParseLine(line, rfc3021, problem);
    if (!requests) {
        clearPlan();
        // An empty line asks for nothing; it is not a mistake.
        lblPlanProblem_->setText(txtPlan_->text().trimmed().isEmpty() ? QString() : QString::fromStdString(problem));
        return;
    }
    const net::Plan<32> plan = net::PlanSubnets(within, *requests, rfc3021);
    if (!plan.fits) {
        clearPlan();
        lblPlanProblem_->setText(QStringLiteral("Does not fit in %1: %2 more addresses needed.")
                                     .arg(blockText(within), count(plan.missing)));
        return;
    }
    lblPlanProblem_->clear();
    showPlan(plan, *requests);
}

void frmSubnets::showPlan(const net::Plan<32>& plan, const std::vector<net::PlanRequest>& requests)
{
    const net::Network4 within = plannedNetwork();
    lvPlan_->clear();
    std::vector<PlanBar::Block> blocks;
    const bool rfc3021 = chkRFC3021_->isChecked();
    for (size_t i = 0; i < plan.allocations.size(); ++i) {
        const auto& a = plan.allocations[i];
        const QColor colour = PlanBar::colourOf(int(i));
        const QString name = requests[i].name.empty() ? QStringLiteral("#%1").arg(i + 1)
                                                      : QString::fromStdString(requests[i].name);
        blocks.push_back({a.block, name, colour});
        auto* item = new QTreeWidgetItem(lvPlan_);
        item->setText(PlanName, name);
        item->setText(PlanAsked, count(requests[i].hosts));
        item->setText(PlanNetwork, blockText(a.block));
        const bool hosts = a.block.hasHosts(rfc3021);
        item->setText(PlanFirst, hosts ? dottedText(a.block.firstHost(rfc3021)) : QStringLiteral("-"));
        item->setText(PlanLast, hosts ? dottedText(a.block.lastHost(rfc3021)) : QStringLiteral("-"));
        item->setText(PlanBroadcast, dottedText(a.block.broadcast()));
        item->setText(PlanUsable, count(a.hosts));
        item->setText(PlanSpare, count(a.hosts - requests[i].hosts));
        item->setData(PlanBinary, RoleAddress, uint(a.block.network()));
        item->setData(PlanBinary, RoleFrom, within.length());
        item->setData(PlanBinary, RoleTo, a.block.length());
        item->setData(PlanBinary, RoleColour, colour);
        item->setData(PlanName, Qt::DecorationRole, colour);
        item->setToolTip(PlanBinary, QStringLiteral("Bits %1 to %2 (marked) number this block within %3")
                                         .arg(within.length() + 1)
                                         .arg(a.block.length())
                                         .arg(blockText(within)));
    }
    for (const net::Network4& n : plan.unused) {
        auto* item = new QTreeWidgetItem(lvPlan_);
        item->setText(PlanName, QStringLiteral("(unused)"));
        item->setText(PlanNetwork, blockText(n));
        item->setText(PlanBroadcast, dottedText(n.broadcast()));
        item->setData(PlanBinary, RoleAddress, uint(n.network()));
        item->setData(PlanBinary, RoleFrom, within.length());
        item->setData(PlanBinary, RoleTo, n.length());
        item->setData(PlanBinary, RoleColour, palette().color(QPalette::Midlight));
        for (int c = 0; c < PlanColumns; ++c)
            item->setForeground(c, palette().color(QPalette::Disabled, QPalette::Text));
    }
    picPlan_->setBlocks(within, std::move(blocks));
}

void frmSubnets::showEvent(QShowEvent* event)
{
    ExtraWindow::showEvent(event);
    // The row was chosen before the table had its height.
    if (!event->spontaneous())
        lvSubnets_->centreOn(lvSubnets_->currentRow());
}

void frmSubnets::applyZoom(int percent)
{
    setFont(mainlayout::designFont(QApplication::font(), percent));
    // Columns as wide as their longest possible text: every row has the same
    // shape, so no row needs measuring.
    const QFontMetrics fm(font());
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 2) + 6;
    const int address = fm.horizontalAdvance(QStringLiteral("255.255.255.255")) + margin;
    QHeaderView* h = lvSubnets_->header();
    const int widths[] = {
        std::max(fm.horizontalAdvance(QStringLiteral("Class Network")), fm.horizontalAdvance(QStringLiteral("16777215"))) + margin,
        fm.horizontalAdvance(QStringLiteral("255.255.255.255/32")) + margin,
        address, address, address,
        std::max(fm.horizontalAdvance(QStringLiteral("Hosts")), fm.horizontalAdvance(QStringLiteral("16777214"))) + margin,
        fm.horizontalAdvance(QStringLiteral("all-ones subnet")) + margin,
    };
    for (int c = 0; c < SubnetModel::ColumnCount; ++c)
        h->resizeSection(c, widths[c]);
    // The planner's columns as wide as their longest texts.
    for (int c = 0; c < PlanColumns; ++c) {
        const QString title = QLatin1String(planTitles[c]);
        const int widest = c == PlanBinary ? BinaryDelegate::textWidth(font())
                           : c == PlanName  ? fm.horizontalAdvance(QStringLiteral("(unused)")) + fm.height()
                           : c >= PlanFirst || c == PlanNetwork ? address + fm.horizontalAdvance(QStringLiteral("/32"))
                                                                 : fm.horizontalAdvance(QStringLiteral("16,777,214"));
        lvPlan_->setColumnWidth(c, std::max(fm.horizontalAdvance(title) + margin, widest + margin));
    }
    if (!isVisible()) {
        // As wide as the table's columns (the planner's scroll, its binary
        // column among the first), so that it leaves room for the main
        // window; tall enough for a screenful of rows in each list, and never
        // beyond the screen.
        const int scrollBar = lvSubnets_->verticalScrollBar()->sizeHint().width();
        const int width = h->length() + scrollBar + 4 * margin;
        const QRect avail = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
        resize(std::min(width, avail.width() * 9 / 10), std::min(fm.height() * 46, avail.height() * 9 / 10));
    }
}
