#pragma once
#include <QFont>
#include <QLabel>

// A label whose width follows its text, as far as a right limit (its
// neighbour): where the text would run past it, the label shows it in a
// narrower font (condensed, then smaller) rather than over the neighbour.
class AutoSizeLabel : public QLabel {
public:
    explicit AutoSizeLabel(QWidget* parent = nullptr) : QLabel(parent) {}

    // Never narrower than minWidthPx; the right edge stays left of
    // rightLimitPx (in the parent). The label's current font is the one it
    // prefers.
    void setSizing(int minWidthPx, int rightLimitPx);
    // Sets the text and sizes the label to it.
    void setFittedText(const QString& text);

    // The font a text is shown in within a width: the base font if the text
    // fits, else a condensed or smaller one; *textWidth receives the text's
    // width in the font returned.
    static QFont fittedFont(const QFont& base, const QString& text, int widthPx, int* textWidth = nullptr);

private:
    void fit();

    QFont base_;
    int minWidth_ = 0;
    int rightLimit_ = 0;
};
