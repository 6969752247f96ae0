// The subnet table beside a real main window: opened by key, menu or name,
// following the main window, double-click, copy, the planner line, Escape,
// and the end of the program with the main window.
#include "ui/besidemain.h"
#include "guisupport.h"
#include "platform/forms.h"
#include "ui/keys/frmkeys.h"
#include "ui/subnets/frmsubnets.h"
#include "ui/subnets/planbar.h"
#include "ui/subnets/subnetmodel.h"
#include "ui/subnets/subnetview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

namespace {

constexpr std::uint32_t addr(int a, int b, int c, int d)
{
    return std::uint32_t(a) << 24 | std::uint32_t(b) << 16 | std::uint32_t(c) << 8 | std::uint32_t(d);
}

class SubnetTableTest : public BesideMainWindow<frmSubnets> {
protected:
    SubnetTableTest() : BesideMainWindow("frmSubnets") {}
    // Opened by Ctrl+L on the main window.
    void open()
    {
        QApplication::setActiveWindow(main);
        QTest::keyClick(main, Qt::Key_L, Qt::ControlModifier);
        opened();
    }
    template <typename W = QWidget> W* ctl(const char* name) const
    {
        return BesideMainWindow::ctl<W>(QLatin1String(name));
    }
    SubnetView* view() const { return ctl<SubnetView>("lvSubnets"); }
    // Double-clicks the row on the screen.
    void doubleClick(int row)
    {
        view()->scrollTo(row);
        const int y = (row - view()->firstVisibleRow()) * view()->rowHeight() + view()->rowHeight() / 2;
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, y));
    }
    void plan(const QString& line)
    {
        ctl<QLineEdit>("txtPlan")->setText(line);
        QApplication::processEvents();
    }

    QPointer<frmSubnets>& table = window;
};

TEST_F(SubnetTableTest, OpenedItShowsTheMainWindowsRowsAndItsRowFollows)
{
    main->SetAddress(addr(192, 168, 1, 77), 26);
    open();
    EXPECT_EQ(view()->model()->rowCount(), 4);
    EXPECT_EQ(view()->currentRow(), 1);
    EXPECT_EQ(view()->selectionFirst(), 1);
    // Rows are painted, not widgets: the current one is read out from the view.
    EXPECT_EQ(view()->accessibleDescription(),
              QStringLiteral("Subnet 1, Network 192.168.1.64/26, First Usable 192.168.1.65, Last Usable 192.168.1.126, "
                             "Broadcast 192.168.1.127, Hosts 62"));
    EXPECT_TRUE(ctl<QLabel>("lblNetwork")->text().contains(QLatin1String("192.168.1.0/24")));

    // Far down a class A network at /31: the row is selected and in view.
    main->SetAddress(addr(10, 200, 3, 4), 31);
    const int row = (200 << 15) | (3 << 7) | 2;
    EXPECT_EQ(view()->model()->rowCount(), 8388608);
    EXPECT_EQ(view()->currentRow(), row);
    EXPECT_GE(row, view()->firstVisibleRow());
    EXPECT_LT(row, view()->firstVisibleRow() + view()->visibleRows());
    QTest::keyClick(view(), Qt::Key_End); // the last of 8,388,608 rows, in view
    EXPECT_EQ(view()->currentRow(), 8388607);
    EXPECT_EQ(view()->firstVisibleRow() + view()->visibleRows(), 8388608);

    // A supernet lists the class networks it joins.
    main->SetAddress(addr(192, 168, 17, 1), 20);
    EXPECT_EQ(view()->model()->rowCount(), 16);
    EXPECT_EQ(view()->currentRow(), 1);
    EXPECT_EQ(view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Class Network"));

    // Opening it again by name brings the same window.
    platform::Forms::load(QStringLiteral("frmSubnets"))->Show(false);
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmSubnets")), static_cast<platform::Form*>(table.data()));
}

TEST_F(SubnetTableTest, DoubleClickShowsTheRowsFirstHostOrItsNetworkInTheMainWindow)
{
    main->SetAddress(addr(192, 168, 1, 77), 26);
    open();
    doubleClick(2);
    EXPECT_EQ(main->facts().address, addr(192, 168, 1, 129));
    EXPECT_EQ(main->facts().maskBits, 26);
    EXPECT_EQ(view()->currentRow(), 2);

    main->SetAddress(addr(10, 0, 0, 0), 31); // no usable hosts: the network address
    doubleClick(5);
    EXPECT_EQ(main->facts().address, addr(10, 0, 0, 10));
    EXPECT_EQ(main->facts().maskBits, 31);
    // The supernet rows keep the mask.
    main->SetAddress(addr(192, 168, 16, 1), 20);
    view()->selectRow(3);
    QTest::keyClick(view(), Qt::Key_Return);
    EXPECT_EQ(main->facts().address, addr(192, 168, 19, 1));
    EXPECT_EQ(main->facts().maskBits, 20);
}

TEST_F(SubnetTableTest, CtrlCCopiesTheSelectedRowsUpToTheLimitAndNamesTheTerminalPastIt)
{
    main->SetAddress(addr(192, 168, 1, 77), 26);
    open();
    view()->setFocus();
    QApplication::clipboard()->clear();
    view()->selectRow(0);
    QTest::keyClick(view(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Subnet\tNetwork\tFirst Usable\tLast Usable\tBroadcast\tHosts\tNote\n"
                             "0\t192.168.1.0/26\t192.168.1.1\t192.168.1.62\t192.168.1.63\t62\tsubnet zero\n"
                             "1\t192.168.1.64/26\t192.168.1.65\t192.168.1.126\t192.168.1.127\t62\t\n"));

    // Exactly the limit is copied; one more is refused, said in the window.
    main->SetAddress(addr(10, 0, 0, 0), 31);
    view()->selectRange(1, frmSubnets::MaxCopyRows);
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\n')), frmSubnets::MaxCopyRows + 1);
    QApplication::clipboard()->clear();
    QTest::keyClick(view(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view()->selectionLast() - view()->selectionFirst() + 1, 8388608);
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    const QString said = ctl<QLabel>("lblStatus")->text();
    EXPECT_TRUE(said.startsWith(QLatin1String("Not copied"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QLatin1String("quillmark --subnets 10.0.0.0/31"))) << said.toStdString();
}

TEST_F(SubnetTableTest, ThePlannerShowsBlocksOrSaysBesideTheLineWhatIsWrong)
{
    main->SetAddress(addr(192, 168, 1, 77), 26);
    open();
    EXPECT_EQ(table->plannedNetwork(), net::Network4(addr(192, 168, 1, 0), 24));
    plan(QStringLiteral("50 14 lab=10 2"));
    auto* rows = ctl<QTreeWidget>("lvPlan");
    auto* bar = ctl<PlanBar>("picPlan");
    auto* problem = ctl<QLabel>("lblPlanProblem");
    EXPECT_TRUE(problem->text().isEmpty());
    ASSERT_EQ(bar->blocks().size(), 4u);
    const QStringList blocks = {"192.168.1.0/26", "192.168.1.64/28", "192.168.1.80/28", "192.168.1.96/30"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows->topLevelItem(i)->text(2), blocks[i]) << i;
        // Each block's bar is its share of the range, in address order.
        const QRect r = bar->blockRect(bar->blocks()[size_t(i)].block);
        EXPECT_NEAR(r.left(), 1 + (bar->width() - 2) * double(bar->blocks()[size_t(i)].block.network() & 255) / 256,
                    1.0);
    }
    EXPECT_EQ(rows->topLevelItem(2)->text(0), QStringLiteral("lab"));
    EXPECT_EQ(rows->topLevelItem(3)->text(5), QStringLiteral("0")); // spare: 2 asked, 2 usable
    // The unused space follows as the fewest blocks.
    ASSERT_EQ(rows->topLevelItemCount(), 8);
    EXPECT_EQ(rows->topLevelItem(7)->text(2), QStringLiteral("192.168.1.128/25"));

    ctl<QCheckBox>("chkRFC3021")->setChecked(true);
    EXPECT_EQ(rows->topLevelItem(3)->text(2), QStringLiteral("192.168.1.96/31"));

    const struct {
        const char* line;
        const char* says;
    } bad[] = {{"50 x", "request \"x\": host count \"x\" is not a decimal number"},
               {"200 100", "Does not fit in 192.168.1.0/24: 128 more addresses needed."}};
    for (const auto& b : bad) {
        plan(QLatin1String(b.line));
        EXPECT_EQ(problem->text(), QLatin1String(b.says)) << b.line;
        EXPECT_EQ(rows->topLevelItemCount(), 0) << b.line;
        EXPECT_TRUE(bar->blocks().empty()) << b.line;
    }
    plan(QString()); // nothing asked is no mistake
    EXPECT_TRUE(problem->text().isEmpty());
}

TEST_F(SubnetTableTest, EscapeClosesOnlyTheTableWhichKeepsItsPlaceAndZoomKeysLayItOut)
{
    open();
    const int rowHeight = view()->rowHeight();
    QTest::keyClick(view(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(zoom::percent(), 125);
    EXPECT_GT(view()->rowHeight(), rowHeight);
    table->setGeometry(40, 50, 500, 400);
    const QRect at = table->geometry();
    QTest::keyClick(view(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmSubnets")), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(gApp);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open();
    EXPECT_EQ(table->geometry(), at);
}

TEST_F(SubnetTableTest, ClosingTheMainWindowWithTheTableAndTheKeysListOpenEndsTheProgram)
{
    open();
    frmKeys* keys = new frmKeys;
    keys->Show(false);
    QCloseEvent closeBox;
    EXPECT_THROW(QCoreApplication::sendEvent(main, &closeBox), platform::ProcessEnded);
    EXPECT_FALSE(gApp);
    for (const char* name : {"frmSubnets", "frmKeys"})
        EXPECT_EQ(platform::Forms::find(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(SubnetTableTest, TheMainWindowsMenuOpensItAndEveryControlHasAnAccessibleName)
{
    main->WindowMenu()->findChild<QAction*>(QStringLiteral("mnuSubnets"))->trigger();
    opened();
    for (const char* name : {"lblNetwork", "lvSubnets", "lblStatus", "fraPlanner", "txtPlan", "chkRFC3021",
                             "lblPlanProblem", "lblPlanNetwork", "picPlan", "lvPlan"})
        EXPECT_FALSE(ctl(name)->accessibleName().isEmpty()) << name;
}

} // namespace
