#include "ui/main/binarylabel.h"

#include "ui/main/mainview.h"
#include "ui/zoom.h"

#include <QEvent>
#include <QFontInfo>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
bool isDot(QChar ch)
{
    return ch == QLatin1Char('.');
}

// Smallest pixel size a row is still painted in.
constexpr int MinPixelSize = 7;
} // namespace

BinaryLabel::BinaryLabel(QWidget* parent) : QLabel(parent) {}

void BinaryLabel::setGrid(int originTwips, int percent)
{
    if (originTwips == originTwips_ && percent == percent_)
        return;
    originTwips_ = originTwips;
    percent_ = percent;
    gridFontValid_ = false;
    updateGeometry();
    update();
}

int BinaryLabel::twipsBefore(const QString& text, int i)
{
    int t = 0;
    const int end = std::min(i, int(text.size()));
    for (int k = 0; k < end; ++k)
        t += isDot(text.at(k)) ? mainview::kDotTwips : mainview::kDigitTwips;
    return t;
}

int BinaryLabel::cellLeft(const QString& text, int i) const
{
    return zoom::px(originTwips_ + twipsBefore(text, i), percent_) - zoom::px(originTwips_, percent_);
}

int BinaryLabel::narrowestDigitCell() const
{
    // Scaled edges make cells of a zoom like 125% alternate in width.
    int narrowest = std::numeric_limits<int>::max();
    for (int k = 0; k < 8; ++k) {
        const int left = zoom::px(originTwips_ + k * mainview::kDigitTwips, percent_);
        narrowest = std::min(narrowest, zoom::px(originTwips_ + (k + 1) * mainview::kDigitTwips, percent_) - left);
    }
    return narrowest;
}

void BinaryLabel::fitGrid() const
{
    if (gridFontValid_)
        return;
    // The widest of the row's glyphs must leave at least a pixel between
    // neighbouring digits. Sizes are tried, and the row drawn, on a raw copy
    // of the face: a font at each size has the font system match and set up
    // an engine for it, about 2 M instructions each at the window's start.
    QFont f = font();
    const qreal room = narrowestDigitCell() - 1;
    const int minimum = MinPixelSize * percent_ / zoom::Normal;
    const int designPx = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
    int px = designPx;
    QRawFont raw = QRawFont::fromFont(f);
    const QList<quint32> digits = raw.glyphIndexesForString(QStringLiteral("01"));
    auto ink = [&] {
        qreal widest = 0;
        for (quint32 glyph : digits)
            widest = std::max(widest, raw.boundingRect(glyph).width());
        return widest;
    };
    while (px > minimum && ink() > room)
        raw.setPixelSize(--px);
    if (px != designPx)
        f.setPixelSize(px);
    gridFont_ = f;
    gridFace_ = raw;
    gridFontValid_ = true;
}

QFont BinaryLabel::gridFont() const
{
    fitGrid();
    return gridFont_;
}

QSize BinaryLabel::sizeHint() const
{
    return {gridWidth(), QFontMetrics(font()).height()};
}

void BinaryLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        gridFontValid_ = false;
    QLabel::changeEvent(event);
}

void BinaryLabel::paintEvent(QPaintEvent*)
{
    fitGrid();
    const QRawFont& face = gridFace_;
    const QString t = text();
    // One glyph per character: the row is digits and dots, nothing to shape.
    const QList<quint32> glyphs = face.glyphIndexesForString(t);
    // One baseline for the row, placed as the label's own font would place it.
    const qreal baseline = std::round((height() - (face.ascent() + face.descent())) / 2 + face.ascent());
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    for (int i = 0; i < int(glyphs.size()); ++i) {
        const int left = cellLeft(t, i);
        const int cell = cellLeft(t, i + 1) - left;
        // Centred by its ink, not its advance, so a digit sits over the middle
        // of its bar segment; in fractions of a pixel, which a screen scaled
        // to twice the size draws as whole device pixels.
        const QRectF ink = face.boundingRect(glyphs[i]);
        positions.append(QPointF(left + (cell - ink.width()) / 2 - ink.x(), baseline));
    }
    QGlyphRun row;
    row.setRawFont(face);
    row.setGlyphIndexes(glyphs);
    row.setPositions(positions);
    QPainter p(this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    p.drawGlyphRun(QPointF(), row);
}
