#include "guisupport.h"
#include "testsupport.h"
#include "ui/classhelp/frmclasshelp.h"
#include "ui/zoom.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

namespace {

class ClassHelpTest : public FrameworkTest {
protected:
    void TearDown() override
    {
        zoom::Zoom::instance().reset();
        FrameworkTest::TearDown();
    }
};

// Every column whole and every row shown, once however often the window
// refills, long texts wrapped, without scroll bars, at every zoom; no row is
// chosen on opening.
TEST_F(ClassHelpTest, ListsShowEveryColumnAndRowOnceWithoutScrollBarsAndNoRowChosen)
{
    const OneScreen large(QRect(0, 0, 3840, 2160)); // room for every step
    frmClassHelp form;
    form.RefreshForm();
    EXPECT_EQ(form.lvClass()->topLevelItemCount(), 5); // classes A to E
    EXPECT_EQ(form.lvSpecial()->topLevelItemCount(), 4);
    // The private ranges of classes A, B and C say so.
    EXPECT_EQ(form.lvSpecial()->findItems(QStringLiteral("Private address"), Qt::MatchStartsWith, 3).size(), 3);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.findChild<QPushButton*>(QStringLiteral("cmdOptions")));
    // The main window's zoom keys work here too: up to the largest, and back.
    for (int percent : {100, 125, 150, 175, 200, 225, 250, 275, 300, 100}) {
        QTest::keyClick(&form, percent == zoom::Normal ? Qt::Key_0 : Qt::Key_Equal, Qt::ControlModifier);
        QApplication::processEvents();
        ASSERT_EQ(zoom::percent(), percent);
        for (QTreeWidget* list : {form.lvClass(), form.lvSpecial()}) {
            SCOPED_TRACE(list->objectName().toStdString() + " at " + std::to_string(percent));
            EXPECT_FALSE(list->verticalScrollBar()->isVisible());
            EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
            const QFontMetrics fm(list->font());
            for (int c = 0; c < list->columnCount(); ++c) {
                const int width = list->header()->sectionSize(c);
                EXPECT_LE(list->header()->sectionPosition(c) + width, list->viewport()->width()) << c;
                EXPECT_GE(width, fm.horizontalAdvance(list->headerItem()->text(c))) << c;
                for (int r = 0; r < list->topLevelItemCount(); ++r) {
                    const QTreeWidgetItem* item = list->topLevelItem(r);
                    const QRect cell = list->visualItemRect(item);
                    EXPECT_LE(cell.bottom(), list->viewport()->height()) << r;
                    // A text wider than its column wraps onto more lines.
                    const int lines = (fm.horizontalAdvance(item->text(c)) + width - 1) / width;
                    EXPECT_GE(cell.height(), lines * fm.height()) << r << "," << c;
                }
            }
            EXPECT_TRUE(list->selectedItems().isEmpty());
        }
    }
}

} // namespace
