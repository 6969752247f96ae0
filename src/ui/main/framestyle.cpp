#include "ui/main/framestyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

namespace framestyle {
namespace {

// Fusion's own measures: the image's corners and the gap above the frame.
constexpr int FrameImageMargin = 6;
constexpr int FusionTopMargin = 3;

class FrameStyle : public QProxyStyle {
public:
    FrameStyle() : QProxyStyle(QStringLiteral("fusion")) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_FrameGroupBox || frameImage().isNull()) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // A frame without a title has no room kept for one.
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        const bool untitled = box && !box->isCheckable() && box->title().isEmpty();
        const int top =
            FusionTopMargin +
            (untitled ? 0 : std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()));
        qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0),
                          QMargins(FrameImageMargin, FrameImageMargin, FrameImageMargin, FrameImageMargin),
                          frameImage());
    }

private:
    const QPixmap& frameImage() const
    {
        if (!imageRead_) {
            QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
                                "png");
            reader.setAutoDetectImageFormat(false);
            image_ = QPixmap::fromImage(reader.read());
            imageRead_ = true;
        }
        return image_;
    }

    mutable QPixmap image_;
    mutable bool imageRead_ = false;
};

} // namespace

void apply(QGroupBox* frame)
{
    if (QApplication::style()->name() != QLatin1String("fusion"))
        return;
    // One style for every frame of the program's life; the widgets do not own it.
    static QPointer<FrameStyle> style;
    if (!style) {
        style = new FrameStyle;
        style->setParent(qApp);
    }
    frame->setStyle(style);
}

} // namespace framestyle
