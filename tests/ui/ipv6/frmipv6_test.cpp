// The IPv6 window beside a real main window: typing every text form, the
// coloured portions and boundary hextets, stepping with wrap, bad text,
// Escape, Ctrl+6 and the main window's menu.
#include "ui/besidemain.h"
#include "ui/ipv6/bitsrow.h"
#include "ui/ipv6/frmipv6.h"
#include "ui/main/mainlayout.h"
#include "ui/main/updown.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTest>

namespace {

class IPv6WindowTest : public BesideMainWindow<frmIPv6> {
protected:
    IPv6WindowTest() : BesideMainWindow("frmIPv6") {}
    // Opened by Ctrl+6 on the main window.
    void open()
    {
        QApplication::setActiveWindow(main);
        QTest::keyClick(main, Qt::Key_6, Qt::ControlModifier);
        opened();
    }
    QLineEdit* box() const { return ctl<QLineEdit>(QStringLiteral("txtAddress")); }
    std::string row(const char* name) const { return ctl<BitsRow>(QLatin1String(name))->text().toStdString(); }
    QString problem() const { return ctl<QLabel>(QStringLiteral("lblProblem"))->text(); }
    QString value(int i) const { return ctl<QLabel>(QStringLiteral("lblValues_%1").arg(i))->text(); }
    // Typed as a person would: the box emptied, then key by key.
    void typeAddress(const QString& text)
    {
        box()->selectAll();
        QTest::keyClick(box(), Qt::Key_Delete);
        QTest::keyClicks(box(), text);
    }
    // A click on the upper or lower half of a spin control.
    void click(const char* spin, bool up, Qt::KeyboardModifiers held = Qt::NoModifier)
    {
        auto* u = ctl<UpDown>(QLatin1String(spin));
        QTest::mouseClick(u, Qt::LeftButton, held, QPoint(u->width() / 2, up ? 2 : u->height() - 3));
    }
    // The bar colour under digit `d` of a row (separators not counted), at
    // a fraction of its cell.
    static QColor barUnder(BitsRow* r, int d, double at = 0.5)
    {
        int i = 0;
        for (; i < r->text().size(); ++i)
            if (r->text().at(i).isLetterOrNumber() && d-- == 0)
                break;
        const int left = r->cellLeft(i);
        return r->barColourAt(left + int((r->cellLeft(i + 1) - left) * at));
    }
};

TEST_F(IPv6WindowTest, EveryTextFormUpdatesTheRowsAndTheFacts)
{
    open();
    const struct {
        const char* typed;
        const char* address;
        int prefix;
        const char* zone;
        const char* compressed;
        const char* network;
    } cases[] = {
        {"2001:db8::1/64", "2001:0db8:0000:0000:0000:0000:0000:0001", 64, "", "2001:db8::1/64", "2001:db8::/64"},
        {"FE80::0:1%eth0/10", "fe80:0000:0000:0000:0000:0000:0000:0001", 10, "eth0", "fe80::1%eth0/10", "fe80::/10"},
        {"::ffff:192.0.2.1/96", "0000:0000:0000:0000:0000:ffff:c000:0201", 96, "", "::ffff:192.0.2.1/96",
         "::ffff:0.0.0.0/96"},
        // No length typed: the spin's stays.
        {"2001:0DB8:0:0:1:0:0:1", "2001:0db8:0000:0000:0001:0000:0000:0001", 96, "", "2001:db8::1:0:0:1/96",
         "2001:db8:0:0:1::/96"},
        {"::/0", "0000:0000:0000:0000:0000:0000:0000:0000", 0, "", "::/0", "::/0"},
    };
    for (const auto& c : cases) {
        typeAddress(QLatin1String(c.typed));
        EXPECT_TRUE(problem().isEmpty()) << c.typed << ": " << problem().toStdString();
        EXPECT_EQ(row("hexRows_0"), c.address) << c.typed;
        EXPECT_EQ(ctl<QSpinBox>(QStringLiteral("spnPrefix"))->value(), c.prefix) << c.typed;
        EXPECT_EQ(window->zone(), QLatin1String(c.zone)) << c.typed;
        EXPECT_EQ(value(0).toStdString(), c.compressed) << c.typed;
        EXPECT_EQ(value(1).toStdString(), c.network) << c.typed;
        // Typing is never rewritten under the fingers.
        EXPECT_EQ(box()->text(), QLatin1String(c.typed));
    }
    EXPECT_EQ(row("hexRows_1"), "0000:0000:0000:0000:0000:0000:0000:0000");
    EXPECT_EQ(row("hexRows_2"), "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff");
    // Counts are exact, the whole space included.
    EXPECT_EQ(value(3).toStdString(), "340,282,366,920,938,463,463,374,607,431,768,211,456 (2^128)");
    EXPECT_EQ(value(4).toStdString(), "18,446,744,073,709,551,616 (2^64)");
    EXPECT_EQ(value(5).toStdString(), "0 (from 0) of 1 /0 subnets in ::/0");
    typeAddress(QStringLiteral("2001:db8:acad:12f4::1/127"));
    EXPECT_EQ(value(1).toStdString(), "2001:db8:acad:12f4::/127");
    EXPECT_EQ(value(3).toStdString(), "2 (2^1)");
    EXPECT_EQ(value(4).toStdString(), "none whole: the network lies inside one /64");
    ctl<QSpinBox>(QStringLiteral("spnSite"))->setValue(52);
    EXPECT_EQ(value(5).toStdString(), "6,972,869,259,862,210,510,848 (from 0) of 37,778,931,862,957,161,709,568 /127 subnets in "
              "2001:db8:acad:1000::/52");
}

TEST_F(IPv6WindowTest, TheFactsNameTheTypeTheInterfaceTheCarriedIPv4AndTheReverseZones)
{
    open();
    enum { Type = 2, Interface = 6, Embedded = 7, Zones = 8 };
    const struct {
        const char* typed;
        int fact;
        const char* says;
    } cases[] = {
        {"2001:db8::1/64", Type, "Documentation, 2001:db8::/32 (RFC 3849); not globally reachable"},
        {"2001:db8::1/64", Interface, "0000:0000:0000:0001"},
        {"2001:db8::1/56", Interface, "- (the prefix is shorter than /64)"},
        {"2606:4700::1111/128", Type, "Global Unicast, 2000::/3 (RFC 3513, RFC 4291); globally reachable"},
        {"fe80::211:22ff:fe33:4455%eth0/64", Type, "Link-Local Unicast, fe80::/10 (RFC 4291); not globally reachable"},
        {"fe80::211:22ff:fe33:4455%eth0/64", Interface, "0211:22ff:fe33:4455, EUI-64 from MAC 00:11:22:33:44:55"},
        {"::ffff:192.0.2.1/128", Embedded, "192.0.2.1 (IPv4-mapped)"},
        {"2001:0:4136:e378:8000:63bf:3fff:fdd2/128", Embedded,
         "server 65.54.227.120, client 192.0.2.45 port 40000 (Teredo)"},
        {"2001:db8::/32", Zones, "8.b.d.0.1.0.0.2.ip6.arpa"},
        {"2001:db8::/33", Zones, "8 zones at /36: 0.8.b.d.0.1.0.0.2.ip6.arpa to 7.8.b.d.0.1.0.0.2.ip6.arpa"},
        {"::/0", Zones, "ip6.arpa"},
    };
    for (const auto& c : cases) {
        box()->setText(QLatin1String(c.typed));
        EXPECT_EQ(value(c.fact).toStdString(), c.says) << c.typed;
    }
    // Every zone is in the tooltip.
    box()->setText(QStringLiteral("2001:db8::/33"));
    EXPECT_EQ(ctl<QLabel>(QStringLiteral("lblValues_8"))->toolTip().count(QLatin1Char('\n')), 7);
}

TEST_F(IPv6WindowTest, BarsColourEachBitAndTheHextetsABoundaryCutsShowInBinary)
{
    open();
    auto* site = ctl<QSpinBox>(QStringLiteral("spnSite"));
    typeAddress(QStringLiteral("2001:db8:acad:12f4::1/60"));
    site->setValue(52);
    auto* hex = ctl<BitsRow>(QStringLiteral("hexRows_0"));
    // Hex digit 13 holds bits 48..51 (routing prefix), 14 bits 52..55 (subnet
    // ID), 16 bits 60..63 (interface ID).
    EXPECT_EQ(barUnder(hex, 12), mainlayout::NetworkGreen);
    EXPECT_EQ(barUnder(hex, 13), mainlayout::SubnetPink);
    EXPECT_EQ(barUnder(hex, 15), mainlayout::HostBlue);
    // Both boundaries in hextet 4: one binary row.
    auto* bin0 = ctl<BitsRow>(QStringLiteral("binRows_0"));
    EXPECT_TRUE(bin0->isVisible());
    EXPECT_FALSE(ctl<BitsRow>(QStringLiteral("binRows_1"))->isVisible());
    EXPECT_EQ(bin0->text(), QStringLiteral("0001 0010 1111 0100"));
    EXPECT_EQ(ctl<QLabel>(QStringLiteral("lblBinaryRows_0"))->text(), QStringLiteral("Hextet 4 (bits 49 to 64):"));
    EXPECT_EQ(barUnder(bin0, 3), mainlayout::NetworkGreen);
    EXPECT_EQ(barUnder(bin0, 4), mainlayout::SubnetPink);
    EXPECT_EQ(barUnder(bin0, 12), mainlayout::HostBlue);

    // A boundary inside a hex digit splits its bar: /50 cuts digit 13 after two bits.
    site->setValue(44);
    typeAddress(QStringLiteral("2001:db8:acad:12f4::1/50"));
    EXPECT_EQ(barUnder(hex, 12, 0.2), mainlayout::SubnetPink);
    EXPECT_EQ(barUnder(hex, 12, 0.8), mainlayout::HostBlue);
    EXPECT_EQ(ctl<QLabel>(QStringLiteral("lblBinaryRows_0"))->text(), QStringLiteral("Hextet 3 (bits 33 to 48):"));
    EXPECT_EQ(ctl<QLabel>(QStringLiteral("lblBinaryRows_1"))->text(), QStringLiteral("Hextet 4 (bits 49 to 64):"));
    EXPECT_TRUE(ctl<BitsRow>(QStringLiteral("binRows_1"))->isVisible());
    EXPECT_FALSE(ctl<QLabel>(QStringLiteral("lblNoBoundary"))->isVisible());

    // On hextet edges the hex row says it all.
    typeAddress(QStringLiteral("2001:db8:acad:12f4::1/64"));
    site->setValue(48);
    EXPECT_FALSE(bin0->isVisible());
    EXPECT_TRUE(ctl<QLabel>(QStringLiteral("lblNoBoundary"))->isVisible());
    // The site never exceeds the prefix.
    typeAddress(QStringLiteral("2001:db8::/32"));
    EXPECT_EQ(site->value(), 32);
    EXPECT_EQ(site->maximum(), 32);
    // and comes back to the length chosen when the prefix grows again.
    typeAddress(QStringLiteral("2001:db8::/64"));
    EXPECT_EQ(site->value(), 48);
}

TEST_F(IPv6WindowTest, TheSpinsStepTheSubnetWithinTheSiteAndTheAddressWithinTheNetworkWrapping)
{
    open();
    ctl<QSpinBox>(QStringLiteral("spnSite"))->setValue(48);
    typeAddress(QStringLiteral("2001:db8:acad:1::1/64"));
    const struct {
        const char* spin;
        bool up;
        Qt::KeyboardModifiers held;
        const char* shows;
    } steps[] = {
        {"udSubnet", true, Qt::NoModifier, "2001:db8:acad:2::1/64"},
        {"udSubnet", false, Qt::ShiftModifier, "2001:db8:acad:fff8::1/64"}, // 2 - 10 wraps inside the /48
        {"udSubnet", true, Qt::ShiftModifier, "2001:db8:acad:2::1/64"},
        {"udSubnet", false, Qt::NoModifier, "2001:db8:acad:1::1/64"},
        {"udSubnet", false, Qt::NoModifier, "2001:db8:acad::1/64"},
        {"udSubnet", false, Qt::NoModifier, "2001:db8:acad:ffff::1/64"},
        {"udSubnet", true, Qt::NoModifier, "2001:db8:acad::1/64"},
        {"udSubnet", true, Qt::ShiftModifier, "2001:db8:acad:a::1/64"},
        {"udSubnet", true, Qt::ControlModifier, "2001:db8:acad:6e::1/64"},
        {"udAddress", false, Qt::NoModifier, "2001:db8:acad:6e::/64"},
        {"udAddress", false, Qt::NoModifier, "2001:db8:acad:6e:ffff:ffff:ffff:ffff/64"}, // wraps inside the /64
        {"udAddress", true, Qt::NoModifier, "2001:db8:acad:6e::/64"},
        {"udAddress", true, Qt::ControlModifier | Qt::ShiftModifier, "2001:db8:acad:6e::3e8/64"},
    };
    for (const auto& s : steps) {
        click(s.spin, s.up, s.held);
        EXPECT_EQ(box()->text(), QLatin1String(s.shows)) << s.shows;
        EXPECT_TRUE(problem().isEmpty());
    }
    EXPECT_EQ(row("hexRows_0"), "2001:0db8:acad:006e:0000:0000:0000:03e8");

    // The extremes: a /128 has one address, a site as long as the prefix one
    // subnet, and ::/0 wraps round the whole space.
    typeAddress(QStringLiteral("2001:db8::5/128"));
    click("udAddress", true);
    EXPECT_EQ(box()->text(), QStringLiteral("2001:db8::5/128"));
    ctl<QSpinBox>(QStringLiteral("spnSite"))->setValue(128);
    click("udSubnet", true);
    EXPECT_EQ(box()->text(), QStringLiteral("2001:db8::5/128"));
    ctl<QSpinBox>(QStringLiteral("spnSite"))->setValue(0);
    click("udSubnet", false);
    EXPECT_EQ(box()->text(), QStringLiteral("2001:db8::4/128"));
    typeAddress(QStringLiteral("ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/0"));
    click("udAddress", true);
    EXPECT_EQ(box()->text(), QStringLiteral("::/0"));
    click("udAddress", false);
    EXPECT_EQ(box()->text(), QStringLiteral("ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/0"));

    // The zone goes with the address; the prefix spin writes its length in.
    typeAddress(QStringLiteral("fe80::1%eth0/64"));
    click("udAddress", true);
    EXPECT_EQ(box()->text(), QStringLiteral("fe80::2%eth0/64"));
    ctl<QSpinBox>(QStringLiteral("spnPrefix"))->setValue(10);
    EXPECT_EQ(box()->text(), QStringLiteral("fe80::2%eth0/10"));
}

TEST_F(IPv6WindowTest, BadTextKeepsTheLastAnswerAndSaysWhatIsWrongInTheWindow)
{
    open();
    typeAddress(QStringLiteral("2001:db8::1/64"));
    const std::string before = row("hexRows_0");
    const struct {
        const char* typed;
        const char* says;
    } bad[] = {
        {"2001:db8::g", "hextet \"g\" is not hexadecimal"},
        {"2001:db8::1/129", "prefix length \"129\" is outside 0 to 128"},
        {"fe80::1/64%eth0", "prefix length \"64%eth0\""},
        {"", "Type an IPv6 address"},
    };
    for (const auto& b : bad) {
        // Pasted whole: typing would pass through good texts on the way.
        box()->setText(QLatin1String(b.typed));
        EXPECT_TRUE(problem().contains(QLatin1String(b.says))) << b.typed << ": " << problem().toStdString();
        EXPECT_EQ(row("hexRows_0"), before) << b.typed;
        EXPECT_EQ(window->network(), net::Network6(net::uint128(0x20010db8) << 96 | 1, 64)) << b.typed;
        EXPECT_EQ(box()->text(), QLatin1String(b.typed)); // left for the user to mend
    }
    // A step starts from the last good answer and mends the box.
    click("udAddress", true);
    EXPECT_EQ(box()->text(), QStringLiteral("2001:db8::2/64"));
    EXPECT_TRUE(problem().isEmpty());
}

TEST_F(IPv6WindowTest, EscapeClosesOnlyThisWindowWhichKeepsItsPlaceAndFollowsTheZoom)
{
    open();
    const QSize at100 = window->size();
    const int rowWidth = ctl<BitsRow>(QStringLiteral("hexRows_0"))->sizeHint().width();
    QTest::keyClick(box(), Qt::Key_Equal, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(zoom::percent(), 125);
    EXPECT_GT(ctl<BitsRow>(QStringLiteral("hexRows_0"))->sizeHint().width(), rowWidth);
    EXPECT_GT(window->width(), at100.width());
    window->move(40, 50);
    QApplication::processEvents();
    const QPoint place = window->pos();
    QTest::keyClick(box(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmIPv6")), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(gApp);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open();
    EXPECT_EQ(window->pos(), place);
}

TEST_F(IPv6WindowTest, TheMainWindowsMenuOpensItAndEveryControlIsNamed)
{
    main->WindowMenu()->findChild<QAction*>(QStringLiteral("mnuIPv6"))->trigger();
    window = dynamic_cast<frmIPv6*>(platform::Forms::find(QStringLiteral("frmIPv6")));
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().startsWith(QLatin1String("qt_")) || !w->parent()->isWidgetType() ||
            qobject_cast<QWidget*>(w->parent())->inherits("QAbstractSpinBox"))
            continue;
        EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}

} // namespace
