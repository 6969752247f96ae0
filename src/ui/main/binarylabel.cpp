#include "ui/main/binarylabel.h"

#include "ui/main/mainview.h"
#include "platform/forms.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {
bool isDot(QChar ch)
{
    return ch == QLatin1Char('.');
}

// Smallest pixel size a row is still painted in.
constexpr int MinPixelSize = 7;
} // namespace

BinaryLabel::BinaryLabel(QWidget* parent) : QLabel(parent) {}

int BinaryLabel::digitCellPx()
{
    return platform::twipsToPx(mainview::kDigitTwips);
}

int BinaryLabel::dotCellPx()
{
    return platform::twipsToPx(mainview::kDotTwips);
}

int BinaryLabel::cellLeft(const QString& text, int i)
{
    int x = 0;
    const int end = std::min(i, int(text.size()));
    for (int k = 0; k < end; ++k)
        x += isDot(text.at(k)) ? dotCellPx() : digitCellPx();
    return x;
}

QFont BinaryLabel::gridFont() const
{
    if (gridFontValid_)
        return gridFont_;
    // The widest of the row's glyphs must leave at least a pixel between
    // neighbouring digits.
    QFont f = font();
    const int room = digitCellPx() - 1;
    for (;;) {
        const QFontMetrics fm(f);
        const int ink = std::max(fm.boundingRect(QLatin1Char('0')).width(), fm.boundingRect(QLatin1Char('1')).width());
        const int px = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
        if (ink <= room || px <= MinPixelSize)
            break;
        f.setPixelSize(px - 1);
    }
    gridFont_ = f;
    gridFontValid_ = true;
    return gridFont_;
}

QSize BinaryLabel::sizeHint() const
{
    return {gridWidth(text()), QFontMetrics(font()).height()};
}

void BinaryLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        gridFontValid_ = false;
    QLabel::changeEvent(event);
}

void BinaryLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(gridFont());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QString t = text();
    const QFontMetrics fm(p.font());
    // One baseline for the row, placed as the label's own font would place it.
    const int baseline = (height() - fm.height()) / 2 + fm.ascent();
    int x = 0;
    for (const QChar ch : t) {
        const int cell = isDot(ch) ? dotCellPx() : digitCellPx();
        // Centred by its ink, not its advance, so a digit sits over the middle
        // of its bar segment.
        const QRect ink = fm.boundingRect(ch);
        p.drawText(QPoint(x + (cell - ink.width()) / 2 - ink.x(), baseline), QString(ch));
        x += cell;
    }
}
