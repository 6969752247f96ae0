#include "model/clsipaddy.h"
#include "testsupport.h"

#include <QFile>

#include <cmath>
#include <functional>
#include <vector>

namespace {

class IPAddyTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        handler->DisplayMsgOnError(false); // as configured at start-up
    }
    static void set(clsIPAddy& ip, int o1, int o2, int o3, int o4, int bits)
    {
        ip.IPAddress(1, o1);
        ip.IPAddress(2, o2);
        ip.IPAddress(3, o3);
        ip.IPAddress(4, o4);
        ip.SubnetBits(bits);
    }
    // The names entered while fn runs, from the trace log.
    QStringList traced(const std::function<void()>& fn)
    {
        handler->TraceExecution(true);
        fn();
        handler->TraceExecution(false);
        QFile f(path(QStringLiteral("trace.log")));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.takeLast(), QString()); // every record ends in CR LF
        return lines;
    }
    // The one "Unexpected Error" dialog an error must have produced.
    void expectReported(long number, const QString& description, const QString& proc)
    {
        EXPECT_EQ(handler->ErrNumber(), number);
        EXPECT_EQ(handler->ErrDescription(), description.toStdString());
        EXPECT_EQ(handler->ErrProc(), proc.toStdString());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "Unexpected Error");
        EXPECT_NE(messages.shown[0].text.find(std::to_string(number) + ": " + description.toStdString() + "\r\n" +
                                              proc.toStdString() + "\r\n"),
                  std::string::npos)
            << messages.shown[0].text;
        EXPECT_TRUE(QFile::exists(path(QStringLiteral("error.log"))));
        EXPECT_EQ(handler->StackDepth(), 0);
    }
};

TEST_F(IPAddyTest, ConversionsFollowTheDigitRules)
{
    clsIPAddy ip;
    const QString ones32(32, QLatin1Char('1'));
    const std::pair<QString, double> toDec[] = {
        // Short texts are read exhaustively in the binary-text tests.
        {QString(), 0},
        {ones32, 4294967295.0},
        // Past 53 digits the sum is a double's: 2^59 + 1 rounds to 2^59.
        {QStringLiteral("1") + QString(58, QLatin1Char('0')) + QStringLiteral("1"), std::ldexp(1.0, 59)},
    };
    for (const auto& [text, value] : toDec)
        EXPECT_EQ(ip.utStringBinaryToDec(text), value) << text.toStdString();

    const std::pair<double, QString> fromDec[] = {
        {0, QStringLiteral("0")},
        {1, QStringLiteral("1")},
        {5, QStringLiteral("101")},
        {255, QStringLiteral("11111111")},
        {256, QStringLiteral("100000000")},
        {4294967296.0, QStringLiteral("1") + QString(32, QLatin1Char('0'))},
        {2.5, QStringLiteral("10")},
        {0.75, QStringLiteral("0")},
        {-3, QStringLiteral("0")},
        {std::nan(""), QStringLiteral("0")},
        {std::ldexp(1.0, 64), QStringLiteral("1") + QString(64, QLatin1Char('0'))},
        {std::ldexp(1.0, 65) - std::ldexp(1.0, 13), QString(52, QLatin1Char('1')) + QString(13, QLatin1Char('0'))},
    };
    for (const auto& [value, text] : fromDec)
        EXPECT_EQ(ip.utStringDecToBinary(value), text) << value;
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(handler->StackDepth(), 0);
}

TEST_F(IPAddyTest, DotsAndAndWorkOnAnyText)
{
    clsIPAddy ip;
    const std::pair<const char*, const char*> dots[] = {
        {"1.0.1", "101"},
        {"123456789", "12345678.9"},
        {".", ""},
        {"1100.0000.1010.1000.0", "11000000.10101000.0"},
    };
    for (const auto& [in, out] : dots)
        EXPECT_EQ(ip.IPAddyDotsAdd(QLatin1String(in)), QLatin1String(out)) << in;

    // Number, mask, number AND mask.
    const std::tuple<const char*, const char*, const char*> ands[] = {
        {"1101", "1", "1000"}, {"1", "1111", "1"},   {"11a1", "1111", "1101"}, {"1.1", "1.1", "101"},
        {"", "111", ""},       {"0110", "", "0000"}, {"1111", "0101", "0101"}};
    for (const auto& [number, mask, out] : ands)
        EXPECT_EQ(ip.utStringBinaryAnd(QLatin1String(number), QLatin1String(mask)), QLatin1String(out))
            << number << " AND " << mask;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(IPAddyTest, FreshModelAndOctetArguments)
{
    clsIPAddy ip; // 192.168.1.1/24
    struct Row {
        int octec;
        const char* ip;
        const char* mask;
        const char* network;
        const char* broadcast;
        const char* maskText;
        int networkOctet;
        int broadcastOctet;
    };
    const Row rows[] = {
        // Whole texts and octet values are compared with integer arithmetic in the property test.
        {2, "10101000", "11111111", "10101000", "10101000", "255", 168, 168},
        {4, "00000001", "00000000", "00000000", "11111111", "0", 0, 255},
        {5, "", "", "-1", "-1", "", -1, -1},
        {-1, "", "", "-1", "-1", "", -1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.octec);
        EXPECT_EQ(ip.IP_AsBinary(r.octec), QLatin1String(r.ip));
        EXPECT_EQ(ip.Subnet_AsBinary(r.octec), QLatin1String(r.mask));
        EXPECT_EQ(ip.NetworkAddress_AsBinary(r.octec), QLatin1String(r.network));
        EXPECT_EQ(ip.BroadcastAddress_AsBinary(r.octec), QLatin1String(r.broadcast));
        EXPECT_EQ(ip.SubnetMask(r.octec), QLatin1String(r.maskText));
        EXPECT_EQ(ip.NetworkAddress(r.octec), r.networkOctet);
        EXPECT_EQ(ip.BroadcastAddress(r.octec), r.broadcastOctet);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(IPAddyTest, OutOfRangeWritesAreIgnored)
{
    clsIPAddy ip;
    ip.IPAddress(2, 256);
    ip.IPAddress(0, 5);
    ip.IPAddress(2, -1);
    ip.IPAddress(5, 7);
    ip.IPAddress(-1, 7);
    ip.SubnetBits(7);
    ip.SubnetBits(33);
    ip.SubnetBits(-24);
    EXPECT_EQ(ip.IP_AsBinary(0), QStringLiteral("11000000101010000000000100000001"));
    EXPECT_EQ(ip.SubnetBits(), 24); // every value in range is written in the property test
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(handler->IsError());
}

// Classes follow the first octet alone and are compared for every value in the
// property test; the private ranges' edges in the second octet need their own rows.
TEST_F(IPAddyTest, PrivateAndLoopbackRangesEndWhereTheyShould)
{
    struct Row {
        int o1, o2;
        bool isPrivate, loopback;
    };
    const Row rows[] = {{10, 0, true, false},    {11, 0, false, false},   {127, 0, false, true},
                        {172, 15, false, false}, {172, 16, true, false},  {172, 31, true, false},
                        {172, 32, false, false}, {192, 168, true, false}, {192, 169, false, false}};
    clsIPAddy ip;
    for (const Row& r : rows) {
        set(ip, r.o1, r.o2, 255, 1, 24);
        EXPECT_EQ(ip.IsPrivateAddress(), r.isPrivate) << r.o1 << "." << r.o2;
        EXPECT_EQ(ip.IsLoopbackAddress(), r.loopback) << r.o1 << "." << r.o2;
    }
}

TEST_F(IPAddyTest, MaskEqualToTheClassHasAnEmptySubnetField)
{
    clsIPAddy ip;
    set(ip, 10, 1, 2, 3, 8);
    EXPECT_EQ(ip.SubnetNumber_AsBinary(), QString(32, QLatin1Char('0')));
    EXPECT_EQ(ip.SubnetNumber(), 0);
    // Shorter than the class: the field text still reads as zeros, without a report...
    set(ip, 200, 1, 2, 3, 16);
    EXPECT_EQ(ip.SubnetNumber_AsBinary(), QString(32, QLatin1Char('0')));
    EXPECT_EQ(ip.HostAddress_AsBinary(), QStringLiteral("00000000000000000000001000000011"));
    EXPECT_EQ(ip.HostAddress(), 515);
    EXPECT_TRUE(messages.shown.empty());
    // ...but the number of a field that does not exist is a reported error.
    EXPECT_EQ(ip.SubnetNumber(), 0);
    expectReported(5, QStringLiteral("Invalid procedure call or argument"),
                   QStringLiteral("clsIPAddy.SubnetNumber() [Get]"));
}

TEST_F(IPAddyTest, ReadingAnOctetOutsideOneToFourIsReportedAndGivesZero)
{
    clsIPAddy ip;
    std::vector<std::string> stackAtError;
    handler->BeforeHandlerCalled = [&](bool&) { stackAtError = handler->CurrentStack(); };
    for (int octec : {0, 5}) {
        SCOPED_TRACE(octec);
        messages.shown.clear();
        EXPECT_EQ(ip.IPAddress(octec), 0);
        expectReported(9, QStringLiteral("Subscript out of range"), QStringLiteral("clsIPAddy.IPAddress() [Get]"));
        ASSERT_GE(stackAtError.size(), 3u);
        EXPECT_EQ(stackAtError[1], "clsIPAddy.IPAddress() [Get]");
        EXPECT_EQ(stackAtError[2], "");
    }
}

TEST_F(IPAddyTest, ATracedReadWorksThroughEveryNestedReadKeptOrNot)
{
    clsIPAddy ip;
    const QStringList fresh = traced([&] { ip.NetworkAddress(3); });
    EXPECT_GT(fresh.size(), 1) << "the texts it is computed from are read too";
    ip.NetworkAddress(3); // an untraced read keeps its texts
    EXPECT_EQ(traced([&] { ip.NetworkAddress(3); }), fresh);
    ip.IPAddress(3, 77);
    EXPECT_EQ(ip.NetworkAddress(3), 77);
    EXPECT_EQ(traced([&] { ip.NetworkAddress(3); }), fresh);
}

// Every read of a model, as one text, to compare two models.
QString everyRead(const clsIPAddy& ip)
{
    QStringList out{ip.IP_AsBinary(0),
                    ip.Subnet_AsBinary(0),
                    ip.NetworkAddress_AsBinary(0),
                    ip.BroadcastAddress_AsBinary(0),
                    ip.HostAddress_AsBinary(),
                    ip.SubnetNumber_AsBinary(),
                    ip.SubnetMask(0),
                    ip.ClassName(),
                    QString::number(ip.Class()),
                    QString::number(ip.ClassBits()),
                    QString::number(ip.HostAddress())};
    for (int k = 1; k <= 4; ++k) {
        out << ip.IP_AsBinary(k) << ip.Subnet_AsBinary(k) << ip.NetworkAddress_AsBinary(k)
            << ip.BroadcastAddress_AsBinary(k) << QString::number(ip.NetworkAddress(k))
            << QString::number(ip.BroadcastAddress(k)) << ip.SubnetMask(k);
    }
    if (ip.SubnetBits() >= ip.ClassBits())
        out << QString::number(ip.SubnetNumber());
    return out.join(QLatin1Char('|'));
}

TEST_F(IPAddyTest, ReadsIntoACallersTextGiveWhatTheReadsReturn)
{
    clsIPAddy ip;
    for (const auto& [o1, bits] : {std::pair{10, 12}, std::pair{172, 20}, std::pair{192, 30}, std::pair{200, 8}}) {
        set(ip, o1, 17, 200, 33, bits);
        QString into = QStringLiteral("something long left from before, to be reused");
        into.detach();
        const QString shared = into; // and once while someone else holds it
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 1)
                into = shared;
            for (int k = 0; k <= 4; ++k) {
                ip.IP_AsBinary(k, into);
                EXPECT_EQ(into, ip.IP_AsBinary(k));
                ip.Subnet_AsBinary(k, into);
                EXPECT_EQ(into, ip.Subnet_AsBinary(k));
                ip.NetworkAddress_AsBinary(k, into);
                EXPECT_EQ(into, ip.NetworkAddress_AsBinary(k));
                ip.BroadcastAddress_AsBinary(k, into);
                EXPECT_EQ(into, ip.BroadcastAddress_AsBinary(k));
            }
            ip.HostAddress_AsBinary(into);
            EXPECT_EQ(into, ip.HostAddress_AsBinary());
            ip.SubnetNumber_AsBinary(into);
            EXPECT_EQ(into, ip.SubnetNumber_AsBinary());
            const QString bitsText = ip.IP_AsBinary(0);
            ip.IPAddyDotsAdd(bitsText, into);
            EXPECT_EQ(into, ip.IPAddyDotsAdd(bitsText));
        }
        EXPECT_EQ(shared, QStringLiteral("something long left from before, to be reused"));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(IPAddyTest, EveryWriteShowsInTheNextUntracedRead)
{
    struct Row {
        const char* what;
        std::function<void(clsIPAddy&)> write;
    };
    const std::vector<Row> rows{
        {"first octet, class A to B", [](clsIPAddy& ip) { ip.IPAddress(1, 130); }},
        {"first octet, class A to C", [](clsIPAddy& ip) { ip.IPAddress(1, 200); }},
        {"second octet", [](clsIPAddy& ip) { ip.IPAddress(2, 255); }},
        {"third octet", [](clsIPAddy& ip) { ip.IPAddress(3, 0); }},
        {"fourth octet", [](clsIPAddy& ip) { ip.IPAddress(4, 255); }},
        {"longer mask", [](clsIPAddy& ip) { ip.SubnetBits(30); }},
        {"shorter mask", [](clsIPAddy& ip) { ip.SubnetBits(9); }},
    };
    for (const Row& r : rows) {
        clsIPAddy used;
        set(used, 10, 20, 30, 40, 20);
        everyRead(used); // everything kept
        r.write(used);
        clsIPAddy fresh;
        set(fresh, 10, 20, 30, 40, 20);
        r.write(fresh);
        EXPECT_EQ(everyRead(used).toStdString(), everyRead(fresh).toStdString()) << r.what;
    }
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
