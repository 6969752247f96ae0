#include "model/binaryfield.h"
#include "model/clsipaddy.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"

namespace {

class BinaryFieldTest : public FrameworkTest {};

TEST_F(BinaryFieldTest, AdditionWrapsUpAndLandsOnTopBelowZero)
{
    struct Row {
        const char* bits;
        int amount;
        const char* result;
    };
    const Row rows[] = {{"11111111", 1, "00000000"},
                        {"11001000", 100, "00101100"},
                        {"00000000", -1, "11111111"},
                        {"00000101", -10, "11111111"},
                        {"00000101", -5, "00000000"},
                        {"00000001", 1000, "11101001"},
                        {"0", 1, "1"},
                        {"1", 1, "0"},
                        {"", 5, ""},
                        {"", -5, ""},
                        {"0000", 0, "0000"}};
    for (const Row& r : rows)
        EXPECT_EQ(BinaryAddition(QLatin1String(r.bits), r.amount), QLatin1String(r.result))
            << r.bits << " " << r.amount;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BinaryFieldTest, AddValueChangesOnlyTheField)
{
    struct Row {
        const char* bits;
        int amount, start, length;
        const char* result;
    };
    const Row rows[] = {
        {"11000000101010000000000100000001", 1, 25, 8, "11000000101010000000000100000010"},
        // 10.1.255.255 with 16 bits, host field 17-32: no carry leaves the field.
        {"00001010000000011111111111111111", 1, 17, 16, "00001010000000010000000000000000"},
        {"00001010000000010000000000000000", -1, 17, 16, "00001010000000011111111111111111"},
        {"1111", 1, 2, 2, "1001"},
        {"1111", 7, 2, 0, "1111"},
        {"1010", 1, 5, 0, "1010"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(BinaryAddValue(QLatin1String(r.bits), r.amount, r.start, r.length), QLatin1String(r.result))
            << r.bits << " +" << r.amount << " at " << r.start;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BinaryFieldTest, AFieldOutsideTheTextIsReportedNotGuessed)
{
    struct Row {
        int start, length;
    };
    for (const Row& r : {Row{0, 4}, Row{3, 4}, Row{1, -1}}) {
        messages.shown.clear();
        EXPECT_EQ(BinaryAddValue(QStringLiteral("1010"), 1, r.start, r.length), QString())
            << r.start << "," << r.length;
        EXPECT_EQ(handler->ErrNumber(), platform::errnum::InvalidProcedureCall);
        EXPECT_EQ(handler->ErrProc(), "frmMain.BinaryAddValue()");
        EXPECT_FALSE(messages.shown.empty());
    }
    EXPECT_EQ(handler->StackDepth(), 0);
}

TEST_F(BinaryFieldTest, SteppingMovesThroughHostsAndSubnets)
{
    enum Field { Host, Subnet };
    struct Row {
        int o[4], bits;
        Field field;
        int step;
        bool shift, ctrl;
        QString result;
    };
    // Every step size once; the wrapping inside a field is the additions' above.
    const Row rows[] = {
        {192, 168, 1, 1, 24, Host, 1, false, false, "192.168.1.2"},
        {192, 168, 1, 1, 24, Host, 1, false, true, "192.168.1.101"},
        {192, 168, 1, 1, 24, Host, 1, true, true, "192.168.1.233"},
        {192, 168, 1, 5, 24, Host, -1, true, false, "192.168.1.255"},
        {10, 1, 255, 255, 16, Host, 1, false, false, "10.1.0.0"},
        {192, 168, 1, 77, 26, Subnet, 1, false, false, "192.168.1.141"},
        {172, 16, 5, 10, 20, Subnet, 1, false, false, "172.16.21.10"},
        {10, 1, 2, 3, 16, Subnet, -1, false, false, "10.0.2.3"},
        // An empty subnet field leaves the address alone.
        {10, 1, 2, 3, 8, Subnet, 1, false, false, "10.1.2.3"},
    };
    for (const Row& r : rows) {
        clsIPAddy ip;
        for (int k = 0; k < 4; ++k)
            ip.IPAddress(k + 1, r.o[k]);
        ip.SubnetBits(r.bits);
        const int amount = ScaleStep(r.step, r.shift, r.ctrl);
        if (r.field == Host)
            ChangeHostValue(ip, amount);
        else
            ChangeSubnetValue(ip, amount);
        QStringList got;
        for (int k = 1; k <= 4; ++k)
            got << QString::number(ip.IPAddress(k));
        EXPECT_EQ(got.join(QLatin1Char('.')), r.result) << r.o[0] << "." << r.o[1] << "." << r.o[2] << "." << r.o[3];
        EXPECT_EQ(ip.SubnetBits(), r.bits);
    }
    EXPECT_TRUE(messages.shown.empty());
}

// The subnet control is hidden for such masks; should a step still arrive, the
// error is reported and the address is kept rather than zeroed.
TEST_F(BinaryFieldTest, SubnetStepWithAMaskShorterThanTheClassKeepsTheAddress)
{
    clsIPAddy ip;
    ip.SubnetBits(16);
    ChangeSubnetValue(ip, 1);
    EXPECT_EQ(ip.IP_AsBinary(0), QStringLiteral("11000000101010000000000100000001"));
    EXPECT_EQ(handler->ErrNumber(), platform::errnum::InvalidProcedureCall);
    EXPECT_EQ(handler->ErrProc(), "frmMain.BinaryAddValue()");
    EXPECT_EQ(handler->StackDepth(), 0);
}

} // namespace
