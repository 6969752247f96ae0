// The address model: its text operations, its reads and writes, and the
// stepping built on them, against the worked examples and plain arithmetic.
#include "model/binaryfield.h"
#include "model/binarytext.h"
#include "model/clsipaddy.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"

#include <cmath>
#include <string>

namespace {

class ModelTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        handler->DisplayMsgOnError(false); // as configured at start-up
    }
    static void set(clsIPAddy& ip, int o1, int o2, int o3, int o4, int bits)
    {
        const int octets[4] = {o1, o2, o3, o4};
        for (int k = 0; k < 4; ++k)
            ip.IPAddress(k + 1, octets[k]);
        ip.SubnetBits(bits);
    }
    static std::string dotted(const clsIPAddy& ip, int (clsIPAddy::*read)(int) const)
    {
        std::string s;
        for (int k = 1; k <= 4; ++k)
            s += (k > 1 ? "." : "") + std::to_string((ip.*read)(k));
        return s;
    }
    // The error an operation must have reported, and nothing left on the stack.
    void expectReported(long number, const char* proc)
    {
        EXPECT_EQ(handler->ErrNumber(), number);
        EXPECT_EQ(handler->ErrProc(), proc);
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(handler->StackDepth(), 0);
        messages.shown.clear();
    }
};

TEST_F(ModelTest, TextOperationsFollowTheDigitRules)
{
    const std::string ones32(32, '1');
    const std::pair<std::string, double> toDec[] = {
        {"", 0}, {"101", 5}, {" 101 ", 5}, {"11111111", 255}, {"1.1", 5}, {"1x1", 5}, {ones32, 4294967295.0},
        // Past 53 digits the sum is a double's: 2^59 + 1 rounds to 2^59.
        {"1" + std::string(58, '0') + "1", std::ldexp(1.0, 59)}};
    const std::pair<double, std::string> fromDec[] = {
        {0, "0"},     {1, "1"},    {5, "101"},          {255, "11111111"}, {4294967296.0, "1" + std::string(32, '0')},
        {2.5, "10"}, {0.75, "0"}, {-3, "0"},            {std::nan(""), "0"},
        {std::ldexp(1.0, 64), "1" + std::string(64, '0')}};
    const std::pair<std::string, std::string> dots[] = {{"110000001010100000000001", "11000000.10101000.00000001"},
                                                        {"1.0.1", "101"},
                                                        {"123456789", "12345678.9"},
                                                        {".", ""},
                                                        {"", ""}};
    const std::tuple<std::string, std::string, std::string> ands[] = {
        {"1101", "1", "1000"}, {"1", "1111", "1"}, {"11a1", "1111", "1101"}, {"1.1", "1.1", "101"}, {"", "1", ""}};

    clsIPAddy ip;
    for (const auto& [text, value] : toDec)
        EXPECT_EQ(ip.utStringBinaryToDec(text), value) << text;
    for (const auto& [value, text] : fromDec)
        EXPECT_EQ(ip.utStringDecToBinary(value), text) << value;
    for (const auto& [in, out] : dots)
        EXPECT_EQ(ip.IPAddyDotsAdd(in), out) << in;
    for (const auto& [number, mask, out] : ands)
        EXPECT_EQ(ip.utStringBinaryAnd(number, mask), out) << number << " AND " << mask;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ModelTest, WorkedAddresses)
{
    struct Row {
        int o[4], bits;
        char cls;
        int classBits;
        const char *mask, *network, *broadcast;
        double host, subnet;
    };
    const Row rows[] = {
        {{192, 168, 1, 1}, 24, 'C', 24, "255.255.255.0", "192.168.1.0", "192.168.1.255", 1, 0},
        {{172, 16, 5, 10}, 20, 'B', 16, "255.255.240.0", "172.16.0.0", "172.16.15.255", 1290, 0},
        {{10, 1, 2, 3}, 16, 'A', 8, "255.255.0.0", "10.1.0.0", "10.1.255.255", 515, 1},
        {{192, 168, 1, 77}, 26, 'C', 24, "255.255.255.192", "192.168.1.64", "192.168.1.127", 13, 1},
        {{224, 0, 0, 1}, 24, 'D', 8, "255.255.255.0", "224.0.0.0", "224.0.0.255", 1, 0},
        {{255, 255, 255, 255}, 32, 'E', 8, "255.255.255.255", "255.255.255.255", "255.255.255.255", 0, 16777215},
        {{10, 1, 2, 3}, 8, 'A', 8, "255.0.0.0", "10.0.0.0", "10.255.255.255", 66051, 0},
    };
    for (const Row& r : rows) {
        clsIPAddy ip;
        set(ip, r.o[0], r.o[1], r.o[2], r.o[3], r.bits);
        SCOPED_TRACE(dotted(ip, &clsIPAddy::IPAddress) + "/" + std::to_string(r.bits));
        EXPECT_EQ(ip.ClassName(), std::string(1, r.cls));
        EXPECT_EQ(ip.ClassBits(), r.classBits);
        EXPECT_EQ(ip.SubnetMask(0), r.mask);
        EXPECT_EQ(dotted(ip, &clsIPAddy::NetworkAddress), r.network);
        EXPECT_EQ(dotted(ip, &clsIPAddy::BroadcastAddress), r.broadcast);
        EXPECT_EQ(ip.HostAddress(), r.host);
        EXPECT_EQ(ip.SubnetNumber(), r.subnet);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ModelTest, OctetArgumentsAndIgnoredWrites)
{
    clsIPAddy ip; // 192.168.1.1/24
    EXPECT_EQ(ip.IP_AsBinary(0), "11000000101010000000000100000001");
    const std::tuple<int, const char*, const char*, const char*, int> rows[] = {
        {1, "11000000", "11000000", "255", 192},
        {4, "00000001", "00000000", "0", 0},
        {5, "", "-1", "", -1},
        {-1, "", "-1", "", -1},
    };
    for (const auto& [octec, bits, networkBits, maskText, network] : rows) {
        EXPECT_EQ(ip.IP_AsBinary(octec), bits) << octec;
        EXPECT_EQ(ip.NetworkAddress_AsBinary(octec), networkBits) << octec;
        EXPECT_EQ(ip.BroadcastAddress_AsBinary(octec), octec == 4 ? "11111111" : networkBits) << octec;
        EXPECT_EQ(ip.SubnetMask(octec), maskText) << octec;
        EXPECT_EQ(ip.NetworkAddress(octec), network) << octec;
    }
    EXPECT_EQ(ip.NetworkAddress(0), -1);

    for (const auto& [octec, value] : {std::pair{2, 256}, {0, 5}, {2, -1}, {5, 7}})
        ip.IPAddress(octec, value);
    for (int bits : {7, 33, -24})
        ip.SubnetBits(bits);
    EXPECT_EQ(ip.IP_AsBinary(0), "11000000101010000000000100000001");
    EXPECT_EQ(ip.SubnetBits(), 24);
    ip.SubnetBits(8);
    EXPECT_EQ(ip.SubnetBits(), 8);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ModelTest, ClassesAndPrivateRangesEndWhereTheyShould)
{
    const std::tuple<int, int, const char*, bool, bool> rows[] = {
        {0, 0, "A", false, false},    {10, 0, "A", true, false},     {11, 0, "A", false, false},
        {127, 0, "A", false, true},   {128, 0, "B", false, false},   {172, 15, "B", false, false},
        {172, 16, "B", true, false},  {172, 31, "B", true, false},   {172, 32, "B", false, false},
        {191, 255, "B", false, false}, {192, 168, "C", true, false}, {192, 169, "C", false, false},
        {223, 0, "C", false, false},  {224, 0, "D", false, false},   {239, 0, "D", false, false},
        {240, 0, "E", false, false},  {255, 0, "E", false, false}};
    clsIPAddy ip;
    for (const auto& [o1, o2, cls, isPrivate, loopback] : rows) {
        set(ip, o1, o2, 255, 1, 24);
        EXPECT_EQ(ip.ClassName(), cls) << o1 << "." << o2;
        EXPECT_EQ(ip.IsPrivateAddress(), isPrivate) << o1 << "." << o2;
        EXPECT_EQ(ip.IsLoopbackAddress(), loopback) << o1 << "." << o2;
    }
}

TEST_F(ModelTest, ReadsThatCannotBeAnsweredAreReportedAndGiveTheEmptyValue)
{
    clsIPAddy ip;
    for (int octec : {0, 5}) {
        EXPECT_EQ(ip.IPAddress(octec), 0);
        expectReported(platform::errnum::SubscriptOutOfRange, "clsIPAddy.IPAddress() [Get]");
    }
    // A mask shorter than the class has no subnet field: its text is zeros,
    // but its number is an error.
    set(ip, 200, 1, 2, 3, 16);
    EXPECT_EQ(ip.SubnetNumber_AsBinary(), std::string(32, '0'));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ip.SubnetNumber(), 0);
    expectReported(platform::errnum::InvalidProcedureCall, "clsIPAddy.SubnetNumber() [Get]");
}

TEST_F(ModelTest, FieldAdditionWrapsInsideItsField)
{
    const std::tuple<const char*, int, const char*> additions[] = {
        {"11111111", 1, "00000000"}, {"11001000", 100, "00101100"}, {"00000000", -1, "11111111"},
        {"00000101", -10, "11111111"}, {"00000101", -5, "00000000"}, {"", 5, ""}};
    for (const auto& [bits, amount, result] : additions)
        EXPECT_EQ(BinaryAddition(bits, amount), result) << bits << " " << amount;

    const std::tuple<const char*, int, int, int, const char*> fields[] = {
        {"11000000101010000000000100000001", 1, 25, 8, "11000000101010000000000100000010"},
        // 10.1.255.255 with 16 bits: nothing carries out of the host field.
        {"00001010000000011111111111111111", 1, 17, 16, "00001010000000010000000000000000"},
        {"1111", 1, 2, 2, "1001"},
        {"1010", 7, 5, 0, "1010"}};
    for (const auto& [bits, amount, start, length, result] : fields)
        EXPECT_EQ(BinaryAddValue(bits, amount, start, length), result) << bits << " +" << amount << " at " << start;
    EXPECT_TRUE(messages.shown.empty());

    for (const auto& [start, length] : {std::pair{0, 4}, {3, 4}, {1, -1}}) {
        EXPECT_EQ(BinaryAddValue("1010", 1, start, length), "") << start << "," << length;
        expectReported(platform::errnum::InvalidProcedureCall, "frmMain.BinaryAddValue()");
    }
}

TEST_F(ModelTest, SteppingMovesThroughHostsAndSubnets)
{
    enum Field { Host, Subnet };
    struct Row {
        int o[4], bits;
        Field field;
        int amount;
        const char* result;
    };
    const Row rows[] = {
        {{192, 168, 1, 1}, 24, Host, 1, "192.168.1.2"},
        {{192, 168, 1, 1}, 24, Host, ScaleStep(1, true, true), "192.168.1.233"},
        {{192, 168, 1, 5}, 24, Host, ScaleStep(-1, true, false), "192.168.1.255"},
        {{10, 1, 255, 255}, 16, Host, 1, "10.1.0.0"},
        {{192, 168, 1, 77}, 26, Subnet, 1, "192.168.1.141"},
        {{172, 16, 5, 10}, 20, Subnet, ScaleStep(1, false, true), "172.16.69.10"},
        {{10, 1, 2, 3}, 16, Subnet, -1, "10.0.2.3"},
        {{10, 1, 2, 3}, 8, Subnet, 1, "10.1.2.3"}, // no subnet field
    };
    for (const Row& r : rows) {
        clsIPAddy ip;
        set(ip, r.o[0], r.o[1], r.o[2], r.o[3], r.bits);
        (r.field == Host ? ChangeHostValue : ChangeSubnetValue)(ip, r.amount);
        EXPECT_EQ(dotted(ip, &clsIPAddy::IPAddress), r.result) << r.o[0] << "." << r.o[3] << " " << r.amount;
    }
    EXPECT_TRUE(messages.shown.empty());
    // A subnet step with a mask shorter than the class is an error that keeps the address.
    clsIPAddy ip;
    ip.SubnetBits(16);
    ChangeSubnetValue(ip, 1);
    EXPECT_EQ(dotted(ip, &clsIPAddy::IPAddress), "192.168.1.1");
    expectReported(platform::errnum::InvalidProcedureCall, "frmMain.BinaryAddValue()");
}

} // namespace
