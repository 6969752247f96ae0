#pragma once
// A table view for millions of rows of one height. A stock item view keeps
// an entry for every row in its vertical header (8 bytes a row: 64 MB for
// 8,388,608 rows) and lays them all out on a reset; this one paints the rows
// that show, asks the model only for those, and keeps the selection as one
// range of row numbers.
#include <QAbstractScrollArea>

class QAbstractItemModel;
class QHeaderView;

class SubnetView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit SubnetView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return model_; }
    QHeaderView* header() const { return header_; }

    int rowHeight() const { return rowHeight_; }
    // The first row shown at the top.
    int firstVisibleRow() const;
    int visibleRows() const;

    // -1 when there is none.
    int currentRow() const { return current_; }
    // The selected rows, first and last (-1, -1 when none).
    int selectionFirst() const;
    int selectionLast() const;
    // Makes `row` current and the only one selected, and shows it.
    void selectRow(int row);
    void selectRange(int anchor, int current);
    // Brings the row into view, in the middle when it was far off.
    void scrollTo(int row);
    // Puts the row in the middle of the view.
    void centreOn(int row);
    int rowAt(int y) const;

    QSize sizeHint() const override;

signals:
    void currentRowChanged(int row);
    // Double-click or Enter on a row.
    void activated(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void reset();
    void updateGeometries();
    void moveTo(int row, bool extend);
    int rowCount() const;

    QAbstractItemModel* model_ = nullptr;
    QHeaderView* header_;
    int rowHeight_ = 20;
    int current_ = -1;
    int anchor_ = -1;
};
