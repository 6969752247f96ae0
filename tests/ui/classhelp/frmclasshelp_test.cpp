#include "platform/forms.h"
#include "testsupport.h"
#include "ui/classhelp/frmclasshelp.h"

#include <QPointer>
#include <QPushButton>
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
        FrameworkTest::TearDown();
    }
    QPointer<frmClassHelp> form;
};

// The rows' texts are the source's table; what matters is that they are shown
// once, in order, keyed and with every cell filled, however often it refills.
TEST_F(ClassHelpTest, BothTablesHoldTheirRowsOnceWithKeys)
{
    form->RefreshForm();
    EXPECT_EQ(keys(form->lvClass()), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(keys(form->lvSpecial()), (QStringList{"i10", "i127", "i172", "i192"}));
    for (const QTreeWidget* list : {form->lvClass(), form->lvSpecial()})
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            for (int c = 0; c < list->columnCount(); ++c)
                EXPECT_FALSE(list->topLevelItem(r)->text(c).isEmpty()) << r << "," << c;
}

TEST_F(ClassHelpTest, DoneAndEscapeUnloadTheWindow)
{
    QSignalSpy unloaded(form.data(), &platform::FormBase::unloaded);
    form->show();
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("cmdOptions")), Qt::LeftButton);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmClassHelp")), nullptr);

    auto* second = new frmClassHelp;
    QSignalSpy secondUnloaded(second, &platform::FormBase::unloaded);
    second->show();
    QApplication::setActiveWindow(second);
    QTest::keyClick(second, Qt::Key_Escape);
    EXPECT_EQ(secondUnloaded.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
