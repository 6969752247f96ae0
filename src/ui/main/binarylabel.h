#pragma once
#include <QFont>
#include <QLabel>
#include <QRawFont>

// A label for a dotted binary row. Each character is painted centred in a
// fixed cell, a digit's cell as wide as a binary digit of the portion bars
// (90 twips) and a dot's half that (45 twips), so the bars under the row meet
// the digits they mark whatever the font and the zoom. The text stays the
// label's own (copying, accessibility, tests).
class BinaryLabel : public QLabel {
    Q_OBJECT
public:
    explicit BinaryLabel(QWidget* parent = nullptr);

    // The grid: where the label stands in the design (twips) and the zoom.
    // Cell edges are the design edges scaled as the bars' edges are, so a
    // bar from the same twips starts and ends on a cell edge.
    void setGrid(int originTwips, int percent);
    int zoom() const { return percent_; }

    // Left edge, in pixels from the label's left, of the cell of character i.
    int cellLeft(int i) const { return cellLeft(text(), i); }
    int cellLeft(const QString& text, int i) const;
    int gridWidth() const { return cellLeft(text(), int(text().size())); }
    // The twips of the row before character i.
    static int twipsBefore(const QString& text, int i);

    // The font the digits are painted in: the label's font, made smaller if
    // its digits would not fit their cells.
    QFont gridFont() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int narrowestDigitCell() const;
    void fitGrid() const;

    int originTwips_ = 0;
    int percent_ = 100;
    mutable QFont gridFont_;
    mutable QRawFont gridFace_; // gridFont_'s face, which the row is drawn in
    mutable bool gridFontValid_ = false;
};
