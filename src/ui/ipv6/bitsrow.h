#pragma once
#include <QLabel>

// One row of an IPv6 address's digits (hex, four bits a digit, or binary, one
// bit a digit) in a fixed cell each, with a bar under every digit coloured by
// the portion its bits belong to: routing prefix green, subnet ID pink,
// interface ID blue, as the main window colours its portions. A digit split
// by a boundary gets a bar of each colour, a quarter of its cell per bit.
// The text stays the label's own (copying, screen readers, tests).
class BitsRow : public QLabel {
    Q_OBJECT
public:
    explicit BitsRow(QWidget* parent = nullptr);

    // `text` holds digits and separators (':' or ' '); the digits spell bits
    // from `firstBit` on (0 is the address's first bit), `bitsPerDigit` each.
    // Bits before `site` are the routing prefix, before `prefix` the subnet
    // ID, the rest the interface ID.
    void setRow(const QString& text, int firstBit, int bitsPerDigit, int site, int prefix);

    int site() const { return site_; }
    int prefix() const { return prefix_; }
    // The portion colour under bit `bit` (0 to 127).
    QColor colourOfBit(int bit) const;
    // The colour the bar shows at `x` pixels from the left (for tests); an
    // invalid colour between digits.
    QColor barColourAt(int x) const;

    // Left edge of character i, in pixels.
    int cellLeft(int i) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int cellWidth() const;
    int separatorWidth() const;
    int barHeight() const;

    int firstBit_ = 0;
    int bitsPerDigit_ = 4;
    int site_ = 0;
    int prefix_ = 0;
};
