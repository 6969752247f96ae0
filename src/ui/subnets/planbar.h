#pragma once
// The planned network's range as a bar: each allocation a coloured block as
// wide as its share of the range, the unused space pale.
#include "model/planner.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

class PlanBar : public QWidget {
    Q_OBJECT
public:
    struct Block {
        net::Network4 block;
        QString label; // the request's name or its host count
        QColor colour;
    };

    explicit PlanBar(QWidget* parent = nullptr);

    // Blocks within `range`, in any order.
    void setBlocks(const net::Network4& range, std::vector<Block> blocks);
    const std::vector<Block>& blocks() const { return blocks_; }
    // The pixel span of a block (x and width) at the bar's width.
    QRect blockRect(const net::Network4& block) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The colour of the n-th allocation: hues far apart, readable with black text.
    static QColor colourOf(int n);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    net::Network4 range_;
    std::vector<Block> blocks_;
};
