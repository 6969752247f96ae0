#pragma once
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class BinaryLabel;
class QLabel;

// Addresses in dotted binary one above the other, each on the calculator's
// grid with its network, subnet and host bars under it as the calculator
// draws them, and chosen bits marked: shaded in every row, with a caret under
// the last. The practice window shows a wrong address over the right one
// (the bits that differ marked), or the networks of a summary over it (the
// bits where they part marked).
class BitsCompare : public QWidget {
    Q_OBJECT
public:
    struct Row {
        QString caption; // "Yours:"
        std::uint32_t value;
        bool marks = true; // whether its marked bits are shaded
        // Its own portions (a learner's length), or -1 for the picture's.
        int networkBits = -1;
        int subnetBits = -1;
    };
    explicit BitsCompare(QWidget* parent = nullptr);

    // The portions are the calculator's: the class's network bits (or the
    // mask's, for a supernet) and the subnet bits after them. `marked` has a
    // one for each bit to mark, the address's first bit highest.
    void setRows(const std::vector<Row>& rows, int networkBits, int subnetBits, std::uint32_t marked);
    void setZoom(int percent);

    int rowCount() const { return int(rows_.size()); }
    QString rowText(int row) const;
    std::uint32_t marked() const { return marked_; }
    // Bit `bit` (0 is the first) of a row on the screen: its cell, in this
    // widget's pixels.
    QRect cellOfBit(int row, int bit) const;
    // The colour of the bar under a bit of a row, read from the bars' spans.
    QColor barColourUnder(int row, int bit) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // "bit 27" or "bits 27, 28 and 30" (counted from 1), "no bit".
    static QString bitList(std::uint32_t bits);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();
    int rowTop(int row) const;
    int bitsLeft() const;
    std::array<int, 2> portionsOf(int row) const;

    std::vector<Row> rows_;
    std::vector<QLabel*> captions_;
    std::vector<BinaryLabel*> digits_;
    int networkBits_ = 0;
    int subnetBits_ = 0;
    std::uint32_t marked_ = 0;
    int percent_ = 100;
};
