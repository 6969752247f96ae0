#include "ui/main/autosizelabel.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

namespace {
// Below this a squeezed text would be harder to read than a clipped one.
constexpr int MinFittedPixelSize = 9;
} // namespace

void AutoSizeLabel::setSizing(int minWidthPx, int rightLimitPx)
{
    base_ = font();
    minWidth_ = minWidthPx;
    rightLimit_ = rightLimitPx;
    fit();
}

void AutoSizeLabel::setFittedText(const QString& text)
{
    if (text == this->text())
        return;
    setText(text);
    fit();
}

void AutoSizeLabel::fit()
{
    const int room = std::max(1, rightLimit_ - x());
    int textWidth = 0;
    const QFont f = fittedFont(base_, text(), room, &textWidth);
    if (font() != f)
        setFont(f);
    resize(std::min(room, std::max(minWidth_, textWidth)), height());
}

QFont AutoSizeLabel::fittedFont(const QFont& base, const QString& text, int widthPx, int* textWidth)
{
    int width = 0;
    auto fits = [&](const QFont& f) {
        width = QFontMetrics(f).horizontalAdvance(text);
        return width <= widthPx;
    };
    QFont f(base);
    auto done = [&]() {
        if (textWidth)
            *textWidth = width;
        return f;
    };
    if (fits(f))
        return done();
    for (int stretch : {int(QFont::SemiCondensed), int(QFont::Condensed)}) {
        f.setStretch(stretch);
        if (fits(f))
            return done();
    }
    const int pixels = base.pixelSize() > 0 ? base.pixelSize() : QFontInfo(base).pixelSize();
    for (int px = pixels - 1; px >= MinFittedPixelSize; --px) {
        f.setPixelSize(px);
        if (fits(f))
            return done();
    }
    return done();
}
