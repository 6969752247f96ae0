// The main window's frames look exactly as the toolkit's own Fusion frames.
#include "ui/main/framestyle.h"
#include "ui/main/mainlayout.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QGroupBox>
#include <QStyle>
#include <gtest/gtest.h>

namespace {

QImage drawn(const QString& title, const QFont& font, bool own)
{
    QGroupBox box(title);
    box.setFont(font);
    box.resize(300, 80);
    if (own)
        framestyle::apply(&box);
    return box.grab().toImage();
}

} // namespace

// Titled and untitled, in the window's font at every zoom: a pixel off would
// show as a frame standing higher or lower than the rest of the window expects.
TEST(FrameStyle, DrawsEveryFramePixelForPixelAsFusionDoes)
{
    if (QApplication::style()->name() != QLatin1String("fusion"))
        GTEST_SKIP() << "the application style is " << QApplication::style()->name().toStdString();
    for (int percent = zoom::Normal; percent <= zoom::Largest; percent += zoom::Step) {
        const QFont font = mainlayout::designFont(QApplication::font(), percent);
        for (const QString& title : {QString(), QStringLiteral("Legend")}) {
            SCOPED_TRACE(std::to_string(percent) + "% \"" + title.toStdString() + "\"");
            const QImage fusion = drawn(title, font, false);
            ASSERT_FALSE(fusion.isNull());
            EXPECT_EQ(drawn(title, font, true), fusion);
        }
    }
}
