#pragma once
#include <QFont>
#include <QLabel>

// A label for a dotted binary row. Each character is painted centred in a
// fixed cell, a digit's cell as wide as a binary digit of the portion bars
// (90 twips) and a dot's half that (45 twips), so the bars under the row meet
// the digits they mark whatever the font. The text stays the label's own
// (copying, accessibility, tests).
class BinaryLabel : public QLabel {
    Q_OBJECT
public:
    explicit BinaryLabel(QWidget* parent = nullptr);

    // Cell widths in pixels.
    static int digitCellPx();
    static int dotCellPx();
    // Left edge, in pixels from the label's left, of the cell of character i.
    static int cellLeft(const QString& text, int i);
    static int gridWidth(const QString& text) { return cellLeft(text, int(text.size())); }

    // The font the digits are painted in: the label's font, made smaller if
    // its digits would not fit their cells.
    QFont gridFont() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    mutable QFont gridFont_;
    mutable bool gridFontValid_ = false;
};
