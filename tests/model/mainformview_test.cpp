#include "model/clsipaddy.h"
#include "model/mainformview.h"
#include "model/mainformview_steps.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

// Readable failures.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
static void PrintTo(const BarGeometry& b, std::ostream* os)
{
    *os << "{" << b.left << ", " << b.width << "}";
}

namespace {

void setAddress(clsIPAddy& ip, int a, int b, int c, int d, int bits)
{
    ip.IPAddress(1, a);
    ip.IPAddress(2, b);
    ip.IPAddress(3, c);
    ip.IPAddress(4, d);
    ip.SubnetBits(bits);
}

// Field name -> expected text; "tip5" etc. name the three tooltips, "range" the sentence.
using Fields = std::map<QString, QString>;

QString field(const MainFormView& v, const QString& name)
{
    if (name == QLatin1String("tip5"))
        return v.tipValues5;
    if (name == QLatin1String("tip6"))
        return v.tipValues6;
    if (name == QLatin1String("tip16"))
        return v.tipValues16;
    if (name == QLatin1String("range"))
        return v.lblSubnetRange;
    return v.lblValues[size_t(name.toInt())];
}

class MainFormViewTest : public FrameworkTest {
protected:
    // "A.B.C.D/M" set into the model and shown on a fresh view.
    MainFormView refresh(const char* address)
    {
        const QStringList p = QString::fromLatin1(address).split(QRegularExpression(QStringLiteral("[./]")));
        setAddress(ip, p[0].toInt(), p[1].toInt(), p[2].toInt(), p[3].toInt(), p[4].toInt());
        MainFormView v = MainFormView::design();
        ComputeUpdateForm(ip, v);
        return v;
    }
    clsIPAddy ip;
};

// What the random comparison below does not cover: the two fixed tooltips, the
// class with its notes, and the network and host bits. Every text of one
// address is in the report's exact examples.
TEST_F(MainFormViewTest, ClassNotesBitCountsAndFixedTooltips)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"192.168.1.1/24", "tip6", "2^BitsForHosts - 2"},
        {"192.168.1.1/24", "tip16", "Usable Subnets * Usable Hosts per Subnet"},
        {"192.168.1.1/24", "7", "C (private)"},
        {"192.168.1.1/24", "8", "24 bits."},
        {"192.168.1.1/24", "10", "8 bits."},
        {"10.1.2.3/16", "7", "A (private)"},
        {"10.0.0.6/31", "10", "1 bits."},
        // Class D counts as 8 network bits.
        {"224.0.0.1/24", "7", "D"},
        {"224.0.0.1/24", "8", "8 bits."},
        {"240.1.2.3/30", "7", "E"},
        {"127.0.0.1/8", "7", "A (loopback)"},
        {"172.32.0.1/16", "7", "B"},
    };
    for (const auto& [address, name, text] : cases)
        EXPECT_EQ(field(refresh(address), QLatin1String(name)), QLatin1String(text)) << address << " field " << name;
    EXPECT_EQ(handler->StackDepth(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

// A mask shorter than the class's network part: no negative counts or
// widths, no share above 100%, and words saying what it is.
TEST_F(MainFormViewTest, MaskShorterThanTheClassIsShownAsASupernet)
{
    struct Super {
        const char* address;
        Fields fields;
        BarGeometry net, sub, host;
    };
    const Super cases[] = {
        // Mask, network and broadcast follow the mask as for any other; see the random comparison.
        {"192.168.1.1/16",
         {{"4", ""},
          {"15", "Supernet: mask < class C"},
          {"5", "Supernet of 256 class C networks"},
          {"tip5", "The mask is 8 bits shorter than the class's 24 network bits: the network joins 256 class C "
                   "networks and has no subnets."},
          {"6", "65536 total, 65534 usable."},
          {"8", "24 bits."},
          {"9", "0 bits (supernet)."},
          {"10", "16 bits."},
          {"16", "65534 (100.00%)"}},
         {1800, 1485},
         {3330, 0},
         {3330, 1505}},
        {"200.1.2.3/23",
         {{"15", "Supernet: mask < class C"}, {"5", "Supernet of 2 class C networks"}, {"9", "0 bits (supernet)."}},
         {1800, 2160},
         {3960, 0},
         {3960, 875}},
        {"172.20.1.1/12",
         {{"13", "172.16.0.0 (network)"},
          {"15", "Supernet: mask < class B"},
          {"5", "Supernet of 16 class B networks"},
          {"16", "1048574 (100.00%)"}},
         {1800, 1125},
         {2925, 0},
         {2925, 1910}},
    };
    for (const Super& s : cases) {
        const MainFormView v = refresh(s.address);
        for (const auto& [name, text] : s.fields)
            EXPECT_EQ(field(v, name), text) << s.address << " field " << name.toStdString();
        EXPECT_TRUE(v.supernet);
        EXPECT_FALSE(v.subnetted);
        for (size_t r = 0; r < 6; ++r) {
            EXPECT_EQ(v.shapeMaskBits[3 * r], s.net) << s.address;
            EXPECT_EQ(v.shapeMaskBits[3 * r + 1], s.sub) << s.address;
            EXPECT_EQ(v.shapeMaskBits[3 * r + 2], s.host) << s.address;
        }
    }
    // The model's subnet number is never read for such a mask: nothing is reported.
    EXPECT_TRUE(messages.shown.empty());
}

// A model that fails at its n-th read, the way a run-time error inside the
// refresh would surface.
class FailingModel {
public:
    FailingModel(const clsIPAddy& real, int failAt) : real_(real), failAt_(failAt) {}
    int reads() const { return reads_; }

#define QM_FORWARD(R, name, params, args)                                                                              \
    R name params const                                                                                                \
    {                                                                                                                  \
        tick();                                                                                                        \
        return real_.name args;                                                                                        \
    }
    QM_FORWARD(QString, SubnetMask, (int k), (k))
    QM_FORWARD(int, NetworkAddress, (int k), (k))
    QM_FORWARD(int, BroadcastAddress, (int k), (k))
    QM_FORWARD(double, HostAddress, (), ())
    QM_FORWARD(double, SubnetNumber, (), ())
    QM_FORWARD(int, SubnetBits, (), ())
    QM_FORWARD(int, IPAddress, (int k), (k))
    QM_FORWARD(int, Class, (), ())
    QM_FORWARD(QString, ClassName, (), ())
    QM_FORWARD(int, ClassBits, (), ())
    QM_FORWARD(QString, IP_AsBinary, (int k), (k))
    QM_FORWARD(QString, Subnet_AsBinary, (int k), (k))
    QM_FORWARD(QString, NetworkAddress_AsBinary, (int k), (k))
    QM_FORWARD(QString, BroadcastAddress_AsBinary, (int k), (k))
    QM_FORWARD(QString, HostAddress_AsBinary, (), ())
    QM_FORWARD(QString, SubnetNumber_AsBinary, (), ())
    QM_FORWARD(double, utStringBinaryToDec, (const QString& t), (t))
    QM_FORWARD(QString, IPAddyDotsAdd, (const QString& t), (t))
    QM_FORWARD(void, IP_AsBinary, (int k, QString& into), (k, into))
    QM_FORWARD(void, Subnet_AsBinary, (int k, QString& into), (k, into))
    QM_FORWARD(void, NetworkAddress_AsBinary, (int k, QString& into), (k, into))
    QM_FORWARD(void, BroadcastAddress_AsBinary, (int k, QString& into), (k, into))
    QM_FORWARD(void, HostAddress_AsBinary, (QString & into), (into))
    QM_FORWARD(void, SubnetNumber_AsBinary, (QString & into), (into))
    QM_FORWARD(void, IPAddyDotsAdd, (const QString& t, QString& into), (t, into))
    QM_FORWARD(bool, IsPrivateAddress, (), ())
    QM_FORWARD(bool, IsLoopbackAddress, (), ())
#undef QM_FORWARD

private:
    void tick() const
    {
        if (++reads_ == failAt_)
            platform::Raise(platform::errnum::Overflow);
    }
    const clsIPAddy& real_;
    int failAt_;
    mutable int reads_ = 0;
};

// Every field of the view in the order the refresh writes them.
std::vector<QString> inWriteOrder(const MainFormView& v)
{
    std::vector<QString> out;
    for (int i : {0, 11, 1, 12, 2, 13, 21, 17, 3, 14})
        out.push_back(v.lblValues[size_t(i)]);
    out.push_back(v.subnetted ? QStringLiteral("shown") : QStringLiteral("hidden"));
    out.push_back(v.lblValues[4]);
    out.push_back(v.lblValues[15]);
    out.push_back(v.lblValues[5] + QLatin1Char('|') + v.tipValues5);
    out.push_back(v.lblValues[6] + QLatin1Char('|') + v.tipValues6);
    for (int i : {7, 8, 9, 10})
        out.push_back(v.lblValues[size_t(i)]);
    out.push_back(v.lblValues[16] + QLatin1Char('|') + v.tipValues16);
    out.push_back(v.lblSubnetRange);
    for (const BarGeometry& b : v.shapeMaskBits)
        out.push_back(QString::number(b.left) + QLatin1Char(',') + QString::number(b.width));
    return out;
}

MainFormView stale()
{
    MainFormView v;
    v.lblValues.fill(QStringLiteral("old"));
    v.tipValues5 = v.tipValues6 = v.tipValues16 = v.lblSubnetRange = QStringLiteral("old");
    v.shapeMaskBits.fill(BarGeometry{-7, -7});
    return v;
}

TEST_F(MainFormViewTest, AFailingReadEndsTheRefreshAndLeavesTheLaterFields)
{
    for (const auto& [bits, subnetted] : {std::pair{20, true}, std::pair{16, false}}) {
        setAddress(ip, 172, 16, 5, 10, bits);
        MainFormView full = stale();
        full.subnetted = !subnetted;
        FailingModel counter(ip, 0);
        mainform::UpdateForm(counter, full);
        ASSERT_EQ(full.subnetted, subnetted);
        const std::vector<QString> expected = inWriteOrder(full);
        const std::vector<QString> old = [&] {
            MainFormView s = stale();
            s.subnetted = !subnetted;
            return inWriteOrder(s);
        }();

        size_t previousDone = 0;
        for (int failAt = 1; failAt <= counter.reads(); ++failAt) {
            MainFormView v = stale();
            v.subnetted = !subnetted;
            const size_t reportsBefore = messages.shown.size();
            mainform::UpdateForm(FailingModel(ip, failAt), v);
            ASSERT_GT(messages.shown.size(), reportsBefore) << "read " << failAt << " failed unreported";
            EXPECT_EQ(handler->ErrNumber(), platform::errnum::Overflow);
            EXPECT_EQ(handler->StackDepth(), 0);

            const std::vector<QString> got = inWriteOrder(v);
            size_t done = 0;
            while (done < got.size() && got[done] == expected[done])
                ++done;
            // At most the field being written when the read failed is partly
            // done (a note or the second half of the range); every later one is untouched.
            for (size_t i = done + 1; i < got.size(); ++i)
                EXPECT_EQ(got[i], old[i]) << "read " << failAt << " field " << i;
            EXPECT_LT(done, got.size()) << "read " << failAt << " failed but everything was written";
            EXPECT_GE(done, previousDone) << "read " << failAt;
            previousDone = done;
        }
        // The last read to fail is in the bars of the last row.
        EXPECT_EQ(handler->ErrProc(), "frmMain.AdjustSubnetLines()");
    }
}

// Plain 32-bit arithmetic, for comparison.
QString dotted(uint32_t v)
{
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 255).arg((v >> 8) & 255).arg(v & 255);
}

QString dottedBinary(uint32_t v)
{
    QString s;
    for (int i = 31; i >= 0; --i) {
        s += QLatin1Char((v >> i) & 1 ? '1' : '0');
        if (i % 8 == 0 && i > 0)
            s += QLatin1Char('.');
    }
    return s;
}

QString notes(uint64_t value, uint64_t top)
{
    QString s;
    if (value == top)
        s += QStringLiteral(" (unusable - broadcast)");
    if (value == 0)
        s += QStringLiteral(" (unusable - network)");
    return s;
}

// One view for every address, so nothing left from the one before (a subnet
// row after an unsubnetted mask, say) goes unseen.
TEST_F(MainFormViewTest, AgreesWithIntegerArithmeticOnRandomAddresses)
{
    QRandomGenerator rng(20240611);
    MainFormView v = MainFormView::design();
    int checked = 0;
    while (checked < 100000) {
        const uint32_t addr = rng.generate();
        const int m = int(rng.bounded(8, 32));
        const int first = int(addr >> 24);
        const int c = first < 128 ? 8 : first < 192 ? 16 : first < 224 ? 24 : 8;
        if (m < c)
            continue;
        ++checked;
        setAddress(ip, first, (addr >> 16) & 255, (addr >> 8) & 255, addr & 255, m);
        ComputeUpdateForm(ip, v);

        const uint32_t mask = uint32_t(0xFFFFFFFFull << (32 - m));
        const uint32_t net = addr & mask;
        const uint32_t bcast = net | ~mask;
        const uint32_t host = addr & ~mask;
        const int s = m - c;
        const int h = 32 - m;
        const uint64_t subnet = (addr >> h) & ((1ull << s) - 1);
        const uint64_t hostsPer = (1ull << h) - 2;
        const uint64_t usable = s > 0 ? ((1ull << s) - 2) * hostsPer : hostsPer;
        const uint64_t denominator = (1ull << (32 - c)) - 2;
        const uint64_t hundredths = (usable * 20000 + denominator) / (2 * denominator);
        const QString share = QStringLiteral("%1.%2%")
                                  .arg(hundredths / 100, 2, 10, QLatin1Char('0'))
                                  .arg(hundredths % 100, 2, 10, QLatin1Char('0'));

        const std::vector<std::pair<QString, QString>> want = {
            {v.lblValues[0], dottedBinary(addr)},
            {v.lblValues[2], dottedBinary(net)},
            {v.lblValues[21], dottedBinary(bcast)},
            {v.lblValues[3], dottedBinary(host)},
            {v.lblValues[4], s > 0 ? dottedBinary(uint32_t(subnet << h)) : QString()},
            {v.lblValues[12], dotted(mask)},
            {v.lblValues[13], dotted(net) + QStringLiteral(" (network)")},
            {v.lblValues[17], dotted(bcast) + QStringLiteral(" (broadcast)")},
            {v.lblValues[14], QStringLiteral("Host: %1").arg(host) + notes(host, ~mask)},
            {v.lblValues[15], s > 0 ? QStringLiteral("Subnet: %1").arg(subnet) + notes(subnet, (1ull << s) - 1)
                                    : QStringLiteral("Not subnetted")},
            {v.lblValues[5], s > 0 ? QStringLiteral("%1 total, %2 usable.").arg(1ull << s).arg((1ull << s) - 2)
                                   : QStringLiteral("Not subnetted")},
            {v.tipValues5, s > 0 ? QStringLiteral("2^BitsForSubnet - 2") : QString()},
            {v.lblValues[6], QStringLiteral("%1 total, %2 usable.").arg(1ull << h).arg(hostsPer)},
            {v.lblValues[16], QStringLiteral("%1 (%2)").arg(usable).arg(share)},
            {v.lblValues[9], QStringLiteral("%1 bits.").arg(s)},
            {v.lblSubnetRange,
             h >= 2 ? QStringLiteral("This subnet uses address from %1 to %2").arg(dotted(net + 1), dotted(bcast - 1))
                    : QStringLiteral("This subnet has no usable hosts.")},
        };
        for (const auto& [got, expected] : want)
            ASSERT_EQ(got, expected) << dotted(addr).toStdString() << "/" << m;
        ASSERT_EQ(v.subnetted, s > 0) << dotted(addr).toStdString() << "/" << m;
        ASSERT_FALSE(v.supernet);

        const int netWidth = c * 90 + (c / 8 - 1) * 45;
        const int subWidth = s * 90 + (s > 0 ? (s - 1) / 8 : 0) * 45;
        for (size_t r = 0; r < 6; ++r) {
            ASSERT_EQ(v.shapeMaskBits[3 * r], (BarGeometry{1800, netWidth})) << dotted(addr).toStdString() << "/" << m;
            ASSERT_EQ(v.shapeMaskBits[3 * r + 1], (BarGeometry{1800 + netWidth + 45, subWidth}));
            ASSERT_EQ(v.shapeMaskBits[3 * r + 2],
                      (BarGeometry{1800 + netWidth + 45 + subWidth, 2990 - netWidth - subWidth}));
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}

// One refresh run untraced and traced on fresh views: what each shows and
// how many model reads each made (the quiet one reads each value once).
struct QuietAndTraced {
    MainFormView quiet = stale();
    MainFormView traced = stale();
    int quietReads = 0;
    int tracedReads = 0;
};
template <typename Compute>
QuietAndTraced runQuietAndTraced(clsErrHandler& handler, const clsIPAddy& ip, Compute compute)
{
    QuietAndTraced r;
    FailingModel quietCount(ip, 0);
    FailingModel tracedCount(ip, 0);
    compute(quietCount, r.quiet);
    handler.TraceExecution(true);
    compute(tracedCount, r.traced);
    handler.TraceExecution(false);
    r.quietReads = quietCount.reads();
    r.tracedReads = tracedCount.reads();
    return r;
}

TEST_F(MainFormViewTest, ARefreshShowsTheSameWithTheTraceOnButMakesEveryStepsReads)
{
    for (int bits : {20, 16, 12}) { // subnetted, not subnetted, a supernet
        setAddress(ip, 172, 16, 5, 10, bits);
        const QuietAndTraced r =
            runQuietAndTraced(*handler, ip, [](const FailingModel& m, MainFormView& v) { mainform::UpdateForm(m, v); });
        EXPECT_EQ(inWriteOrder(r.quiet), inWriteOrder(r.traced)) << bits;
        // Mask length, class bits and address bits are read by several steps.
        EXPECT_GE(r.tracedReads, r.quietReads + 10) << bits;
    }
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
