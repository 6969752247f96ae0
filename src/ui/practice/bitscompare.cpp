#include "ui/practice/bitscompare.h"

#include "model/dotted.h"
#include "ui/main/binarylabel.h"
#include "ui/main/mainlayout.h"
#include "ui/main/mainview.h"
#include "ui/zoom.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace {
// The calculator's rows, in twips: a row every 300, its bars 180 below its
// top and 45 high.
constexpr int RowPitch = 300;
constexpr int LabelHeight = 195;
constexpr int BarsTop = 180;
constexpr int BarHeight = 45;
constexpr int MarkerHeight = 210;
const QColor Marked(255, 214, 0);
const QColor MarkerRed(200, 0, 0);

QString dottedBinary(std::uint32_t value)
{
    QString text;
    for (int bit = 0; bit < 32; ++bit) {
        if (bit && bit % 8 == 0)
            text += QLatin1Char('.');
        text += value >> (31 - bit) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    }
    return text;
}
} // namespace

BitsCompare::BitsCompare(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Addresses in binary"));
}

void BitsCompare::setRows(const std::vector<Row>& rows, int networkBits, int subnetBits, std::uint32_t marked)
{
    rows_ = rows;
    networkBits_ = networkBits;
    subnetBits_ = subnetBits;
    marked_ = marked;
    while (captions_.size() < rows_.size()) {
        const int i = int(captions_.size());
        auto* caption = new QLabel(this);
        caption->setObjectName(QStringLiteral("lblCompare_%1").arg(i));
        caption->setTextFormat(Qt::PlainText);
        auto* digits = new BinaryLabel(this);
        digits->setObjectName(QStringLiteral("lblCompareBits_%1").arg(i));
        captions_.push_back(caption);
        digits_.push_back(digits);
    }
    const QString portions = QStringLiteral("Network portion: %1 bits, subnet portion: %2 bits, host portion: %3 bits.")
                                 .arg(networkBits)
                                 .arg(subnetBits)
                                 .arg(32 - networkBits - subnetBits);
    for (size_t i = 0; i < captions_.size(); ++i) {
        const bool used = i < rows_.size();
        captions_[i]->setVisible(used);
        digits_[i]->setVisible(used);
        if (!used)
            continue;
        captions_[i]->setText(rows_[i].caption);
        captions_[i]->setAccessibleName(rows_[i].caption);
        digits_[i]->setText(dottedBinary(rows_[i].value));
        QString name = rows_[i].caption;
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        digits_[i]->setAccessibleName(name + QStringLiteral(" in binary, ") +
                                      QString::fromStdString(dotted::ToString(rows_[i].value)));
        digits_[i]->setAccessibleDescription(portions + QStringLiteral(" Marked: ") + bitList(marked) +
                                             QLatin1Char('.'));
    }
    setAccessibleDescription(QStringLiteral("Marked: ") + bitList(marked));
    place();
}

void BitsCompare::setZoom(int percent)
{
    percent_ = percent;
    place();
}

QString BitsCompare::rowText(int row) const
{
    return digits_[size_t(row)]->text();
}

QString BitsCompare::bitList(std::uint32_t bits)
{
    QStringList numbers;
    for (int bit = 0; bit < 32; ++bit)
        if (bits >> (31 - bit) & 1)
            numbers << QString::number(bit + 1);
    if (numbers.isEmpty())
        return QStringLiteral("no bit");
    if (numbers.size() == 1)
        return QStringLiteral("bit ") + numbers.front();
    const QString last = numbers.takeLast();
    return QStringLiteral("bits ") + numbers.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

int BitsCompare::rowTop(int row) const
{
    return zoom::px(row * RowPitch, percent_);
}

int BitsCompare::bitsLeft() const
{
    int widest = 0;
    for (size_t i = 0; i < rows_.size(); ++i)
        widest = std::max(widest, captions_[i]->sizeHint().width());
    return widest + zoom::px(120, percent_);
}

void BitsCompare::place()
{
    const int left = bitsLeft();
    for (size_t i = 0; i < rows_.size(); ++i) {
        const int top = rowTop(int(i));
        const int height = zoom::px(LabelHeight, percent_);
        captions_[i]->setGeometry(0, top, left, height);
        digits_[i]->setGrid(mainview::kBarsLeft, percent_);
        digits_[i]->setGeometry(left, top, digits_[i]->sizeHint().width(), height);
    }
    updateGeometry();
    update();
}

QSize BitsCompare::sizeHint() const
{
    if (rows_.empty())
        return {0, 0};
    const int width = bitsLeft() + digits_[0]->sizeHint().width() + 1;
    const int height = rowTop(int(rows_.size()) - 1) + zoom::px(BarsTop + BarHeight + MarkerHeight, percent_);
    return {width, height};
}

QRect BitsCompare::cellOfBit(int row, int bit) const
{
    const BinaryLabel* d = digits_[size_t(row)];
    const int i = bit + bit / 8;
    const int l = d->cellLeft(i);
    return QRect(d->x() + l, d->y(), d->cellLeft(i + 1) - l, d->height());
}

std::array<int, 2> BitsCompare::portionsOf(int row) const
{
    const Row& r = rows_[size_t(row)];
    if (r.networkBits < 0)
        return {networkBits_, subnetBits_};
    return {r.networkBits, std::max(0, r.subnetBits)};
}

QColor BitsCompare::barColourUnder(int row, int bit) const
{
    const QRect cell = cellOfBit(row, bit);
    const int x = cell.center().x();
    const auto portions = portionsOf(row);
    const auto bars = mainview::RowBars(portions[0], portions[1]);
    const QColor colours[3] = {mainlayout::NetworkGreen, mainlayout::SubnetPink, mainlayout::HostBlue};
    for (int k = 0; k < 3; ++k) {
        const int l = bitsLeft() + zoom::px(bars[size_t(k)].left, percent_) - zoom::px(mainview::kBarsLeft, percent_);
        const int r = l + zoom::px(bars[size_t(k)].left + std::max(0, bars[size_t(k)].width), percent_) -
                      zoom::px(bars[size_t(k)].left, percent_);
        if (x >= l && x < r)
            return colours[k];
    }
    return QColor();
}

void BitsCompare::paintEvent(QPaintEvent*)
{
    if (rows_.empty())
        return;
    QPainter p(this);
    const int left = bitsLeft();
    const QColor colours[3] = {mainlayout::NetworkGreen, mainlayout::SubnetPink, mainlayout::HostBlue};
    const int origin = zoom::px(mainview::kBarsLeft, percent_);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const BinaryLabel* d = digits_[i];
        // The calculator's grey behind the digits, the marked cells over it;
        // the label draws its digits on top.
        p.fillRect(d->geometry(), mainlayout::LightGrey);
        for (int bit = 0; bit < 32 && rows_[i].marks; ++bit)
            if (marked_ >> (31 - bit) & 1)
                p.fillRect(cellOfBit(int(i), bit), Marked);
        const auto portions = portionsOf(int(i));
        const auto bars = mainview::RowBars(portions[0], portions[1]);
        // Both edges from twips, as the calculator places its bars.
        const int top = rowTop(int(i)) + zoom::px(BarsTop, percent_);
        const int height = zoom::px(BarsTop + BarHeight, percent_) - zoom::px(BarsTop, percent_);
        for (int k = 0; k < 3; ++k) {
            const auto& b = bars[size_t(k)];
            if (b.width <= 0)
                continue;
            const int l = zoom::px(b.left, percent_) - origin;
            const int r = zoom::px(b.left + b.width, percent_) - origin;
            p.fillRect(QRect(left + l, top, r - l, height), colours[k]);
        }
    }
    // A caret under each marked bit of the last row: the mark without colour.
    const int last = int(rows_.size()) - 1;
    const int caretTop = rowTop(last) + zoom::px(BarsTop + BarHeight + 15, percent_);
    p.setPen(MarkerRed);
    p.setFont(font());
    for (int bit = 0; bit < 32; ++bit) {
        if (!(marked_ >> (31 - bit) & 1))
            continue;
        const QRect cell = cellOfBit(last, bit);
        p.drawText(QRect(cell.left() - 4, caretTop, cell.width() + 8, zoom::px(MarkerHeight, percent_)),
                   Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("^"));
    }
}
