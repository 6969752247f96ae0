#include "ui/subnets/subnetmodel.h"

#include "ui/subnets/blocktext.h"

namespace {

const char* const titles[] = {"Subnet", "Network", "First Usable", "Last Usable", "Broadcast", "Hosts", "Note"};

// Numbers right, addresses and words left.
int alignmentOf(int column)
{
    return int((column == SubnetModel::Number || column == SubnetModel::Hosts ? Qt::AlignRight : Qt::AlignLeft) |
               Qt::AlignVCenter);
}

// Every column's text, tab-separated.
template <typename Cell> QString tabbed(Cell cell)
{
    QString line;
    for (int c = 0; c < SubnetModel::ColumnCount; ++c) {
        if (c)
            line += QLatin1Char('\t');
        line += cell(c);
    }
    return line;
}

} // namespace

SubnetModel::SubnetModel(QObject* parent) : QAbstractTableModel(parent), table_(0xC0A80101u, 24) {}

void SubnetModel::setAddress(std::uint32_t address, int maskBits)
{
    const classtable::ClassTable next(address, maskBits);
    // The same rows (the address moved within its class network): the view
    // only follows the current row.
    if (next.parent() == table_.parent() && next.blocks().length() == table_.blocks().length() &&
        next.maskBits() == table_.maskBits()) {
        table_ = next;
        return;
    }
    beginResetModel();
    table_ = next;
    endResetModel();
}

int SubnetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(table_.rowCount());
}

int SubnetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString SubnetModel::noteTip(classtable::Note note)
{
    switch (note) {
    case classtable::Note::SubnetZero:
        return QStringLiteral(
            "Subnet zero: its subnet bits are all zeros, so its network address is the class network's own.\n"
            "Older classful rules set it aside, as the main window's counts do (2^S - 2 usable subnets);\n"
            "today's practice (classless addressing) uses it like any other subnet.");
    case classtable::Note::AllOnes:
        return QStringLiteral(
            "All-ones subnet: its subnet bits are all ones, so its broadcast address is the class network's.\n"
            "Older classful rules set it aside, as the main window's counts do (2^S - 2 usable subnets);\n"
            "today's practice (classless addressing) uses it like any other subnet.");
    case classtable::Note::None: break;
    }
    return QString();
}

QString SubnetModel::text(int row, int column) const
{
    const classtable::Row r = table_.row(classtable::Count(row));
    switch (column) {
    case Number: return QString::number(r.number);
    case Network: return blockText(r.network);
    case First: return r.hasHosts ? dottedText(r.first) : QStringLiteral("-");
    case Last: return r.hasHosts ? dottedText(r.last) : QStringLiteral("-");
    case Broadcast: return dottedText(r.broadcast);
    case Hosts: return QString::number(r.hosts);
    case Note:
        switch (r.note) {
        case classtable::Note::SubnetZero: return QStringLiteral("subnet zero");
        case classtable::Note::AllOnes: return QStringLiteral("all-ones subnet");
        case classtable::Note::None: break;
        }
        return QString();
    }
    return QString();
}

QVariant SubnetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return text(index.row(), index.column());
    case Qt::ToolTipRole:
        if (index.column() == Note)
            return noteTip(table_.row(classtable::Count(index.row())).note);
        return {};
    case Qt::TextAlignmentRole:
        return alignmentOf(index.column());
    default: return {};
    }
}

QVariant SubnetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole) {
        // A supernet's rows are the class networks it joins.
        if (section == Number && table_.supernet())
            return QStringLiteral("Class Network");
        return QLatin1String(titles[section]);
    }
    if (role == Qt::TextAlignmentRole)
        return alignmentOf(section);
    return {};
}

QString SubnetModel::rowText(int row) const
{
    return tabbed([&](int c) { return text(row, c); });
}

QString SubnetModel::titleText() const
{
    return tabbed([&](int c) { return headerData(c, Qt::Horizontal).toString(); });
}
