#include "platform/forms.h"
#include "testsupport.h"
#include "ui/classhelp/frmclasshelp.h"
#include "ui/zoom.h"

#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

QStringList keys(const QTreeWidget* list)
{
    QStringList k;
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        k << list->topLevelItem(r)->data(0, Qt::UserRole).toString();
    return k;
}

class ClassHelpTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        form = new frmClassHelp;
    }
    void TearDown() override
    {
        delete form.data();
        zoom::Zoom::instance().reset();
        FrameworkTest::TearDown();
    }
    QPointer<frmClassHelp> form;
};

// However often the window refills, each row is there once.
TEST_F(ClassHelpTest, RefillingKeepsEachRowOnce)
{
    form->RefreshForm();
    form->RefreshForm();
    EXPECT_EQ(keys(form->lvClass()), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(keys(form->lvSpecial()), (QStringList{"i10", "i127", "i172", "i192"}));
}

// Every column whole and every row shown, long texts wrapped, without scroll
// bars, at every zoom; no row is chosen on opening.
TEST_F(ClassHelpTest, ListsShowEveryColumnAndRowWithoutScrollBarsAndNoRowChosen)
{
    form->show();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_EQ(QApplication::focusWidget(), form->findChild<QPushButton*>(QStringLiteral("cmdOptions")));
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Equal, 125}, {Qt::Key_Equal, 150}, {Qt::Key_Minus, 125}, {Qt::Key_0, 100},     {Qt::Key_Equal, 125},
        {Qt::Key_Equal, 150}, {Qt::Key_Equal, 175}, {Qt::Key_Equal, 200}, {Qt::Key_Equal, 225}, {Qt::Key_Equal, 250},
        {Qt::Key_Equal, 275}, {Qt::Key_Equal, 300}, {Qt::Key_Equal, 300}};
    for (const auto& [key, percent] : steps) {
        QTest::keyClick(form, key, Qt::ControlModifier);
        QApplication::processEvents();
        ASSERT_EQ(zoom::percent(), percent);
        for (QTreeWidget* list : {form->lvClass(), form->lvSpecial()}) {
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

TEST_F(ClassHelpTest, DoneAndEscapeUnloadTheWindow)
{
    delete form.data();
    for (bool escape : {false, true}) {
        auto* help = new frmClassHelp;
        QSignalSpy unloaded(help, &platform::FormBase::unloaded);
        help->show();
        QApplication::setActiveWindow(help);
        if (escape)
            QTest::keyClick(help, Qt::Key_Escape);
        else
            QTest::mouseClick(help->findChild<QPushButton*>(QStringLiteral("cmdOptions")), Qt::LeftButton);
        EXPECT_EQ(unloaded.count(), 1) << escape;
        EXPECT_EQ(platform::Forms::find(QStringLiteral("frmClassHelp")), nullptr) << escape;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
