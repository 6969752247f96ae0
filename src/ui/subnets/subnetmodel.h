#pragma once
// The subnet table's rows as a Qt model: every cell is worked out from its
// row number when asked for, so 8,388,608 rows cost what one does.
#include "model/classtable.h"

#include <QAbstractTableModel>

class SubnetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Network, First, Last, Broadcast, Hosts, Note, ColumnCount };

    explicit SubnetModel(QObject* parent = nullptr);

    // The rows for an address and mask length (8 to 32).
    void setAddress(std::uint32_t address, int maskBits);
    const classtable::ClassTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A cell's text without building an index.
    QString text(int row, int column) const;
    // One row as tab-separated text, and the titles the same way.
    QString rowText(int row) const;
    QString titleText() const;
    // The explanation a note's tooltip gives.
    static QString noteTip(classtable::Note note);

private:
    classtable::ClassTable table_;
};
