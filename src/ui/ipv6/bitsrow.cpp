#include "ui/ipv6/bitsrow.h"

#include "ui/main/mainlayout.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {
bool isSeparator(QChar c)
{
    return c == QLatin1Char(':') || c == QLatin1Char(' ');
}
} // namespace

BitsRow::BitsRow(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
}

void BitsRow::setRow(const QString& text, int firstBit, int bitsPerDigit, int site, int prefix)
{
    firstBit_ = firstBit;
    bitsPerDigit_ = std::max(1, bitsPerDigit);
    site_ = site;
    prefix_ = prefix;
    setText(text);
    updateGeometry();
    update();
}

QColor BitsRow::colourOfBit(int bit) const
{
    if (bit < site_)
        return mainlayout::NetworkGreen;
    if (bit < prefix_)
        return mainlayout::SubnetPink;
    return mainlayout::HostBlue;
}

int BitsRow::cellWidth() const
{
    // A pixel either side of the widest digit, so that neighbours never touch.
    return QFontMetrics(font()).horizontalAdvance(QLatin1Char('0')) + 2;
}

int BitsRow::separatorWidth() const
{
    return std::max(3, cellWidth() * 2 / 3);
}

int BitsRow::barHeight() const
{
    return std::max(3, QFontMetrics(font()).height() / 4);
}

int BitsRow::cellLeft(int i) const
{
    const QString t = text();
    int x = 0;
    for (int k = 0; k < i && k < t.size(); ++k)
        x += isSeparator(t.at(k)) ? separatorWidth() : cellWidth();
    return x;
}

QSize BitsRow::sizeHint() const
{
    const QFontMetrics fm(font());
    return {cellLeft(int(text().size())), fm.height() + 1 + barHeight()};
}

QColor BitsRow::barColourAt(int x) const
{
    const QString t = text();
    int bit = firstBit_;
    for (int i = 0; i < t.size(); ++i) {
        if (isSeparator(t.at(i)))
            continue;
        const int left = cellLeft(i), right = cellLeft(i + 1);
        if (x >= left && x < right) {
            // The same split as the painter's.
            for (int b = 0; b < bitsPerDigit_; ++b) {
                const int r = left + (right - left) * (b + 1) / bitsPerDigit_;
                if (x < r)
                    return colourOfBit(bit + b);
            }
        }
        bit += bitsPerDigit_;
    }
    return QColor();
}

void BitsRow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QString t = text();
    const QFontMetrics fm(font());
    const int textHeight = fm.height();
    const int barTop = textHeight + 1;
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    int bit = firstBit_;
    for (int i = 0; i < t.size(); ++i) {
        const int left = cellLeft(i), right = cellLeft(i + 1);
        p.drawText(QRect(left, 0, right - left, textHeight), Qt::AlignCenter, QString(t.at(i)));
        if (isSeparator(t.at(i)))
            continue;
        // A bar a bit wide per bit, so a boundary inside a hex digit shows
        // where it falls; a pixel's gap between digits keeps them apart.
        for (int b = 0; b < bitsPerDigit_; ++b) {
            const int l = left + (right - left) * b / bitsPerDigit_;
            int r = left + (right - left) * (b + 1) / bitsPerDigit_;
            if (b == bitsPerDigit_ - 1)
                --r;
            p.fillRect(QRect(l, barTop, std::max(1, r - l), barHeight()), colourOfBit(bit + b));
        }
        bit += bitsPerDigit_;
    }
}
