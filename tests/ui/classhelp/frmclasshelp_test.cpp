#include "platform/forms.h"
#include "testsupport.h"
#include "ui/classhelp/frmclasshelp.h"

#include <QHeaderView>
#include <QLabel>
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

TEST_F(ClassHelpTest, WindowAndColumnsAsDesigned)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("frmClassHelp"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("IP Address Class Help"));
    EXPECT_EQ(form->size(), QSize(537, 297));
    EXPECT_FALSE(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("IP Classes:"));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Special IP Addresses:"));
    EXPECT_EQ(form->findChild<QPushButton*>(QStringLiteral("cmdOptions"))->geometry(), QRect(456, 264, 73, 25));
    EXPECT_EQ(form->lvClass()->geometry(), QRect(8, 24, 521, 97));
    EXPECT_EQ(form->lvSpecial()->geometry(), QRect(8, 144, 521, 113));

    const struct {
        QTreeWidget* list;
        QStringList titles;
        QList<int> widths;
    } lists[] = {
        {form->lvClass(),
         {"Class", "Bits to Identify Network Portion", "First Octec begins with", "First Octec Range"},
         {70, 294, 294, 176}},
        {form->lvSpecial(), {"Class", "Start Address", "End Address", "Notes"}, {70, 139, 164, 535}},
    };
    for (const auto& l : lists) {
        EXPECT_FALSE(l.list->rootIsDecorated());
        ASSERT_EQ(l.list->columnCount(), 4);
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(l.list->headerItem()->text(c), l.titles[c]);
            EXPECT_EQ(l.list->columnWidth(c), l.widths[c]) << c;
        }
    }
}

TEST_F(ClassHelpTest, BothTablesHoldTheirRowsOnceWithKeys)
{
    form->RefreshForm(); // a second fill replaces the first
    QTreeWidget* cls = form->lvClass();
    ASSERT_EQ(cls->topLevelItemCount(), 5);
    EXPECT_EQ(keys(cls), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(row(cls, 0), (QStringList{"A", "8", "0xxx xxxx", "0 - 127"}));
    EXPECT_EQ(row(cls, 3), (QStringList{"D", "Special - Multicast", "1110 xxxx", "224 - 239"}));
    EXPECT_EQ(row(cls, 4), (QStringList{"E", "Special - Reserved", "1111 xxxx", "240 - 255"}));

    QTreeWidget* special = form->lvSpecial();
    ASSERT_EQ(special->topLevelItemCount(), 4);
    EXPECT_EQ(keys(special), (QStringList{"i10", "i127", "i172", "i192"}));
    const QString note = QStringLiteral("Private address (for local use). Doesn't route onto the internet.");
    EXPECT_EQ(row(special, 1), (QStringList{"A", "127.0.0.0", "127.255.255.255", "Loopback"}));
    EXPECT_EQ(row(special, 2), (QStringList{"B", "172.16.0.0", "172.31.255.255", note}));
    EXPECT_EQ(row(special, 3), (QStringList{"C", "192.168.0.0", "192.168.255.255", note}));
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
