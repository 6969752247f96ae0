#include "ui/subnets/planbar.h"

#include "ui/subnets/blocktext.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

PlanBar::PlanBar(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PlanBar::setBlocks(const net::Network4& range, std::vector<Block> blocks)
{
    range_ = range.trunc();
    blocks_ = std::move(blocks);
    update();
}

QColor PlanBar::colourOf(int n)
{
    // Golden-angle steps keep neighbouring blocks apart in hue.
    return QColor::fromHsv((n * 137 + 200) % 360, 110, 245);
}

QRect PlanBar::blockRect(const net::Network4& block) const
{
    const QRect area = rect().adjusted(1, 1, -1, -1);
    const double scale = double(area.width()) / double(range_.size());
    const double start = double(block.network() - range_.network()) * scale;
    const int x = area.left() + int(start);
    // Every block stays visible, however small its share.
    const int end = area.left() + int(start + double(block.size()) * scale);
    return {x, area.top(), std::max(1, end - x), area.height()};
}

void PlanBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    p.fillRect(area, palette().color(QPalette::Base));
    for (const Block& b : blocks_) {
        const QRect r = blockRect(b.block);
        p.fillRect(r, b.colour);
        p.setPen(b.colour.darker(160));
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.drawLine(r.topRight(), r.bottomRight());
        const QString label = b.label + QStringLiteral(" /") + QString::number(b.block.length());
        if (p.fontMetrics().horizontalAdvance(label) + 4 <= r.width()) {
            p.setPen(Qt::black);
            p.drawText(r, Qt::AlignCenter, label);
        }
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(area);
}

bool PlanBar::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const QPoint at = static_cast<QHelpEvent*>(event)->pos();
        for (const Block& b : blocks_) {
            if (blockRect(b.block).contains(at)) {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                                   b.label + QStringLiteral(": ") + blockText(b.block),
                                   this);
                return true;
            }
        }
        QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

QSize PlanBar::sizeHint() const
{
    return {400, fontMetrics().height() * 2};
}

QSize PlanBar::minimumSizeHint() const
{
    return {100, fontMetrics().height() * 2};
}
