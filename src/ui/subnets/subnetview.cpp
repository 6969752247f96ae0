#include "ui/subnets/subnetview.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>

namespace {
// Space left and right of a cell's text.
int cellMargin(const QWidget* w)
{
    return w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 2;
}
} // namespace

SubnetView::SubnetView(QWidget* parent) : QAbstractScrollArea(parent), header_(new QHeaderView(Qt::Horizontal, this))
{
    header_->setObjectName(QStringLiteral("hdrColumns"));
    header_->setSectionsClickable(false);
    header_->setSectionsMovable(false);
    header_->setHighlightSections(false);
    header_->setStretchLastSection(true);
    header_->setSectionResizeMode(QHeaderView::Interactive);
    connect(header_, &QHeaderView::sectionResized, this, [this] {
        updateGeometries();
        viewport()->update();
    });
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(1);
    changeEvent(nullptr);
}

void SubnetView::setModel(QAbstractItemModel* model)
{
    if (model_)
        disconnect(model_, nullptr, this, nullptr);
    model_ = model;
    header_->setModel(model);
    if (model_) {
        connect(model_, &QAbstractItemModel::modelReset, this, &SubnetView::reset);
        connect(model_, &QAbstractItemModel::dataChanged, viewport(), qOverload<>(&QWidget::update));
        connect(model_, &QAbstractItemModel::headerDataChanged, header_, [this] { header_->viewport()->update(); });
    }
    reset();
}

int SubnetView::rowCount() const
{
    return model_ ? model_->rowCount() : 0;
}

void SubnetView::reset()
{
    current_ = anchor_ = -1;
    verticalScrollBar()->setValue(0);
    updateGeometries();
    viewport()->update();
}

int SubnetView::firstVisibleRow() const
{
    return verticalScrollBar()->value();
}

int SubnetView::visibleRows() const
{
    return std::max(1, viewport()->height() / std::max(1, rowHeight_));
}

int SubnetView::selectionFirst() const
{
    return current_ < 0 ? -1 : std::min(anchor_, current_);
}

int SubnetView::selectionLast() const
{
    return current_ < 0 ? -1 : std::max(anchor_, current_);
}

int SubnetView::rowAt(int y) const
{
    if (y < 0)
        return -1;
    const qint64 row = qint64(firstVisibleRow()) + y / std::max(1, rowHeight_);
    return row < rowCount() ? int(row) : -1;
}

void SubnetView::updateGeometries()
{
    const int headerHeight = header_->sizeHint().height();
    setViewportMargins(0, headerHeight, 0, 0);
    const QRect vg = viewport()->geometry();
    header_->setGeometry(vg.left(), vg.top() - headerHeight, vg.width(), headerHeight);

    QScrollBar* v = verticalScrollBar();
    const int page = visibleRows();
    v->setRange(0, std::max(0, rowCount() - page));
    v->setPageStep(page);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, header_->length() - vg.width()));
    h->setPageStep(vg.width());
    h->setSingleStep(std::max(1, rowHeight_));
    header_->setOffset(h->value());
}

void SubnetView::changeEvent(QEvent* event)
{
    if (event)
        QAbstractScrollArea::changeEvent(event);
    if (!event || event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        header_->setFont(font());
        const QFontMetrics fm(font());
        rowHeight_ = fm.height() + 2 * (style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, this) + 1);
        updateGeometries();
        viewport()->update();
    }
}

void SubnetView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateGeometries();
}

void SubnetView::centreOn(int row)
{
    if (row >= 0 && row < rowCount())
        verticalScrollBar()->setValue(row - visibleRows() / 2);
}

void SubnetView::scrollContentsBy(int dx, int)
{
    if (dx)
        header_->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

void SubnetView::scrollTo(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const int first = firstVisibleRow();
    const int page = visibleRows();
    if (row >= first && row < first + page)
        return;
    // One row off: step; farther: put it in the middle.
    if (row == first - 1)
        verticalScrollBar()->setValue(row);
    else if (row == first + page)
        verticalScrollBar()->setValue(row - page + 1);
    else
        verticalScrollBar()->setValue(row - page / 2);
}

void SubnetView::selectRange(int anchor, int current)
{
    const int count = rowCount();
    if (count == 0)
        return;
    anchor = std::clamp(anchor, 0, count - 1);
    current = std::clamp(current, 0, count - 1);
    const bool moved = current != current_;
    anchor_ = anchor;
    current_ = current;
    scrollTo(current_);
    viewport()->update();
    if (moved)
        emit currentRowChanged(current_);
}

void SubnetView::selectRow(int row)
{
    selectRange(row, row);
}

void SubnetView::moveTo(int row, bool extend)
{
    selectRange(extend && anchor_ >= 0 ? anchor_ : row, row);
}

void SubnetView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    if (!model_)
        return;
    const QPalette& pal = palette();
    const int count = rowCount();
    const int first = firstVisibleRow();
    const int margin = cellMargin(this);
    const int selFirst = selectionFirst(), selLast = selectionLast();
    const QRect area = event->rect();
    const int columns = model_->columnCount();
    for (int y = 0, row = first; row < count && y < viewport()->height(); ++row, y += rowHeight_) {
        if (y + rowHeight_ < area.top() || y > area.bottom())
            continue;
        const QRect line(0, y, viewport()->width(), rowHeight_);
        const bool selected = row >= selFirst && row <= selLast && selFirst >= 0;
        if (selected)
            p.fillRect(line, pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight));
        else if (row % 2)
            p.fillRect(line, pal.alternateBase());
        p.setPen(pal.color(hasFocus() || !selected ? QPalette::Active : QPalette::Inactive,
                           selected ? QPalette::HighlightedText : QPalette::Text));
        for (int c = 0; c < columns; ++c) {
            const int x = header_->sectionViewportPosition(c);
            const int w = header_->sectionSize(c);
            if (x + w < 0 || x > viewport()->width())
                continue;
            const QModelIndex index = model_->index(row, c);
            const QString text = model_->data(index).toString();
            const int align = model_->data(index, Qt::TextAlignmentRole).toInt();
            const QRect cell(x + margin, y, w - 2 * margin, rowHeight_);
            p.drawText(cell, align, p.fontMetrics().elidedText(text, Qt::ElideRight, cell.width()));
        }
        if (row == current_ && hasFocus()) {
            QStyleOptionFocusRect o;
            o.initFrom(this);
            o.rect = line.adjusted(0, 0, -1, -1);
            o.backgroundColor = pal.color(selected ? QPalette::Highlight : QPalette::Base);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
        }
    }
}

void SubnetView::mousePressEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint().y());
    if (row >= 0 && event->button() == Qt::LeftButton)
        moveTo(row, event->modifiers() & Qt::ShiftModifier);
    QAbstractScrollArea::mousePressEvent(event);
}

void SubnetView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        const int y = event->position().toPoint().y();
        // Dragging past an edge reaches the row beyond it.
        const int row = y < 0 ? firstVisibleRow() - 1
                              : y >= viewport()->height() ? firstVisibleRow() + visibleRows() : rowAt(y);
        if (row >= 0 && row < rowCount())
            moveTo(row, true);
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void SubnetView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint().y());
    if (row >= 0 && event->button() == Qt::LeftButton) {
        selectRow(row);
        emit activated(row);
        return;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void SubnetView::keyPressEvent(QKeyEvent* event)
{
    const int count = rowCount();
    if (count == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int at = current_ < 0 ? 0 : current_;
    const int page = visibleRows();
    switch (event->key()) {
    case Qt::Key_Up: moveTo(std::max(0, at - 1), extend); break;
    case Qt::Key_Down: moveTo(std::min(count - 1, current_ < 0 ? 0 : at + 1), extend); break;
    case Qt::Key_PageUp: moveTo(std::max(0, at - page), extend); break;
    case Qt::Key_PageDown: moveTo(std::min(count - 1, at + page), extend); break;
    case Qt::Key_Home: moveTo(0, extend); break;
    case Qt::Key_End: moveTo(count - 1, extend); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (current_ >= 0)
            emit activated(current_);
        break;
    default:
        if (event->matches(QKeySequence::SelectAll)) {
            selectRange(0, count - 1);
            break;
        }
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool SubnetView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && model_) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int row = rowAt(help->pos().y());
        const int column = header_->logicalIndexAt(help->pos().x());
        const QString tip =
            row >= 0 && column >= 0 ? model_->data(model_->index(row, column), Qt::ToolTipRole).toString() : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void SubnetView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void SubnetView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

QSize SubnetView::sizeHint() const
{
    const int width = header_->length() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    return {width, header_->sizeHint().height() + 16 * rowHeight_ + 2 * frameWidth()};
}
