#include "platform/forms.h"
#include "testsupport.h"
#include "ui/classhelp/frmclasshelp.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

QStringList row(const QTreeWidget* list, int r)
{
    QStringList cells;
    const QTreeWidgetItem* item = list->topLevelItem(r);
    for (int c = 0; c < list->columnCount(); ++c)
        cells << item->text(c);
    return cells;
}

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

// The rows themselves are the source's table; what matters is that they are
// shown once, in order, whole and keyed, however often the window refills.
TEST_F(ClassHelpTest, BothTablesHoldTheirRowsOnceWithKeys)
{
    form->RefreshForm();
    QTreeWidget* cls = form->lvClass();
    EXPECT_EQ(keys(cls), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(row(cls, 4), (QStringList{"E", "Special - Reserved", "1111 xxxx", "240 - 255"}));
    QTreeWidget* special = form->lvSpecial();
    EXPECT_EQ(keys(special), (QStringList{"i10", "i127", "i172", "i192"}));
    EXPECT_EQ(row(special, 1), (QStringList{"A", "127.0.0.0", "127.255.255.255", "Loopback"}));
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
