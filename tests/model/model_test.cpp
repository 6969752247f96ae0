// The address model and the facts and texts of one address: the worked
// refreshes, the model's reads against plain arithmetic, its edges, the
// stepping built on it, and a refresh that fails part-way.
#include "cli/reportwriter.h"
#include "model/binaryfield.h"
#include "model/clsipaddy.h"
#include "model/subnetfacts.h"
#include "model/subnetfactsreader.h"
#include "model/subnettexts.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "util/textsink.h"

#include <cmath>
#include <map>
#include <random>

namespace {

using Texts = std::map<std::string, std::string>;

constexpr std::uint32_t addr(int a, int b, int c, int d)
{
    return std::uint32_t(a) << 24 | std::uint32_t(b) << 16 | std::uint32_t(c) << 8 | std::uint32_t(d);
}

Texts byKey(const SubnetTexts& t)
{
    Texts out;
    for (const TextField& f : kTextFields)
        out[f.key] = t.*f.text;
    out["tip_subnets"] = t.subnetsTip;
    return out;
}

class ModelTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        handler->DisplayMsgOnError(false); // as configured at start-up
    }
    void set(std::uint32_t address, int bits)
    {
        for (int k = 1; k <= 4; ++k)
            ip.IPAddress(k, int(address >> (32 - 8 * k) & 255));
        ip.SubnetBits(bits);
    }
    // The facts of a whole refresh.
    SubnetFacts read(std::uint32_t address, int bits)
    {
        set(address, bits);
        FactsRefresh r;
        ReadSubnetFacts(ip, r);
        EXPECT_EQ(r.reached, FactsRefresh::FieldCount);
        return r.facts;
    }
    std::string address() const { return DottedDecimal(std::uint32_t(ip.utStringBinaryToDec(ip.IP_AsBinary(0)))); }
    // The error an operation must have reported, and nothing left on the stack.
    void expectReported(long number, const char* proc)
    {
        EXPECT_EQ(handler->ErrNumber(), number);
        EXPECT_EQ(handler->ErrProc(), proc);
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(handler->StackDepth(), 0);
        messages.shown.clear();
    }
    clsIPAddy ip; // 192.168.1.1/24 until set
};

TEST_F(ModelTest, WorkedRefreshesShowTheirExactTexts)
{
    struct Case {
        std::uint32_t address;
        int bits;
        Texts texts;
    };
    const Case cases[] = {
        // Not subnetted: the terminal report's worked output holds every text
        // of this one, the sweep shows the window reads the same.
        {addr(192, 168, 1, 1), 24,
         {{"subnet_binary", ""},
          {"subnet", "Not subnetted"},
          {"subnets", "Not subnetted"},
          {"tip_subnets", ""},
          {"class", "C (private)"}}},
        {addr(172, 16, 5, 10), 20,
         {{"ip_binary", "10101100.00010000.00000101.00001010"},
          {"mask_binary", "11111111.11111111.11110000.00000000"},
          {"network_binary", "10101100.00010000.00000000.00000000"},
          {"broadcast_binary", "10101100.00010000.00001111.11111111"},
          {"host_binary", "00000000.00000000.00000101.00001010"},
          {"subnet_binary", "00000000.00000000.00000000.00000000"},
          {"ip", "172.16.5.10"},
          {"mask", "255.255.240.0"},
          {"network", "172.16.0.0 (network)"},
          {"broadcast", "172.16.15.255 (broadcast)"},
          {"host", "Host: 1290"},
          {"subnet", "Subnet: 0 (unusable - network)"},
          {"subnets", "16 total, 14 usable."},
          {"tip_subnets", "2^BitsForSubnet - 2"},
          {"hosts_per_subnet", "4096 total, 4094 usable."},
          {"usable", "57316 (87.46%)"},
          {"class", "B (private)"},
          {"network_bits", "16 bits."},
          {"subnet_bits", "4 bits."},
          {"host_bits", "12 bits."},
          {"range", "This subnet uses address from 172.16.0.1 to 172.16.15.254"}}},
        {addr(10, 1, 2, 3), 16,
         {{"mask", "255.255.0.0"},
          {"network", "10.1.0.0 (network)"},
          {"broadcast", "10.1.255.255 (broadcast)"},
          {"host", "Host: 515"},
          {"subnet", "Subnet: 1"},
          {"network_bits", "8 bits."}}},
        {addr(10, 1, 2, 3), 8,
         {{"mask", "255.0.0.0"},
          {"network", "10.0.0.0 (network)"},
          {"broadcast", "10.255.255.255 (broadcast)"},
          {"host", "Host: 66051"},
          {"subnet", "Not subnetted"}}},
        // Supernets: the mask's bits are the network, no subnet bits, and the
        // share is of the joined networks.
        {addr(192, 168, 1, 77), 16,
         {{"subnets", "Supernet of 256 class C networks"},
          {"tip_subnets", "The mask is 8 bits shorter than the class's 24 bits of network: it joins 256 class C "
                          "networks into one."},
          {"network_bits", "16 bits."},
          {"subnet_bits", "0 bits."},
          {"host_bits", "16 bits."},
          {"usable", "65534 (100.00%)"},
          {"subnet", "Not subnetted"},
          {"subnet_binary", ""}}},
        {addr(130, 1, 0, 0), 15,
         {{"subnets", "Supernet of 2 class B networks"},
          {"tip_subnets", "The mask is 1 bit shorter than the class's 16 bits of network: it joins 2 class B "
                          "networks into one."},
          {"host", "Host: 65536"}}},
        // Class D counts 8 network bits; the loopback network; the last host
        // bit; the whole address as network.
        {addr(224, 0, 0, 1), 24,
         {{"class", "D"},
          {"subnet_bits", "16 bits."},
          {"subnet", "Subnet: 0 (unusable - network)"},
          {"network", "224.0.0.0 (network)"},
          {"broadcast", "224.0.0.255 (broadcast)"}}},
        {addr(127, 0, 0, 1), 8,
         {{"class", "A (loopback)"},
          {"hosts_per_subnet", "16777216 total, 16777214 usable."},
          {"usable", "16777214 (100.00%)"}}},
        {addr(10, 255, 255, 255), 31,
         {{"host", "Host: 1 (unusable - broadcast)"},
          {"subnet", "Subnet: 8388607 (unusable - broadcast)"},
          {"hosts_per_subnet", "2 total, 0 usable."},
          {"usable", "0 (00.00%)"},
          {"range", "This subnet has no usable hosts."}}},
        {addr(10, 0, 0, 0), 30, {{"host", "Host: 0 (unusable - network)"}, {"usable", "8388604 (50.00%)"}}},
        {addr(255, 255, 255, 255), 32,
         {{"class", "E"},
          {"mask", "255.255.255.255"},
          {"network", "255.255.255.255 (network)"},
          {"subnet", "Subnet: 16777215 (unusable - broadcast)"}}},
    };
    for (const Case& c : cases) {
        const Texts got = byKey(FormTexts(read(c.address, c.bits)));
        for (const auto& [key, text] : c.texts)
            EXPECT_EQ(got.at(key), text) << DottedDecimal(c.address) << "/" << c.bits << " " << key;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ModelTest, TheSharePatternAndTheSystemsSeparator)
{
    const std::tuple<double, const char*, const char*> rows[] = {
        {0.5, ".", "50.00%"}, {1, ",", "100,00%"}, {0.0123, ".", "01.23%"}, {0.87459, "\xD9\xAB", "87\xD9\xAB" "46%"}};
    for (const auto& [share, point, text] : rows)
        EXPECT_EQ(FormatShare(share, point), text);
}

// The report works the facts out by arithmetic, the window by the model's
// reads: every field of both must agree for every class and mask length.
TEST_F(ModelTest, ModelReadsAgreeWithArithmetic)
{
    std::mt19937 random(7);
    for (int first : {0, 10, 127, 128, 172, 191, 192, 223, 224, 239, 240, 255}) {
        for (int bits = 8; bits <= 32; ++bits) {
            for (int i = 0; i < 12; ++i) {
                // All-ones and all-zeros fields are among the samples.
                const std::uint32_t rest = i == 0 ? 0 : i == 1 ? 0xFFFFFF : random() & 0xFFFFFF;
                const std::uint32_t address = std::uint32_t(first) << 24 | rest;
                TextSink fromModel, fromArithmetic;
                const SubnetFacts f = read(address, bits);
                cli::AppendJson(fromModel, f, FormTexts(f));
                const SubnetFacts g = ComputeSubnetFacts(address, bits);
                cli::AppendJson(fromArithmetic, g, FormTexts(g));
                ASSERT_EQ(fromModel.view(), fromArithmetic.view());
                ASSERT_EQ(f.networkBits + f.subnetBits + f.hostBits, 32);
            }
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ModelTest, ClassesAndPrivateRangesEndWhereTheyShould)
{
    const std::tuple<int, int, const char*, bool, bool> rows[] = {
        {0, 0, "A", false, false},     {10, 0, "A", true, false},    {11, 0, "A", false, false},
        {127, 0, "A", false, true},    {128, 0, "B", false, false},  {172, 15, "B", false, false},
        {172, 16, "B", true, false},   {172, 31, "B", true, false},  {172, 32, "B", false, false},
        {191, 255, "B", false, false}, {192, 168, "C", true, false}, {192, 169, "C", false, false},
        {223, 0, "C", false, false},   {224, 0, "D", false, false},  {239, 0, "D", false, false},
        {240, 0, "E", false, false},   {255, 0, "E", false, false}};
    for (const auto& [o1, o2, cls, isPrivate, loopback] : rows) {
        set(addr(o1, o2, 255, 1), 24);
        EXPECT_EQ(ip.ClassName(), cls) << o1 << "." << o2;
        EXPECT_EQ(ip.IsPrivateAddress(), isPrivate) << o1 << "." << o2;
        EXPECT_EQ(ip.IsLoopbackAddress(), loopback) << o1 << "." << o2;
    }
}

TEST_F(ModelTest, TextOperationsFollowTheDigitRules)
{
    const std::string ones32(32, '1');
    const std::pair<std::string, double> toDec[] = {
        {"", 0}, {"101", 5}, {" 101 ", 5}, {"1.1", 5}, {"1x1", 5}, {ones32, 4294967295.0},
        // Past 53 digits the sum is a double's: 2^59 + 1 rounds to 2^59.
        {"1" + std::string(58, '0') + "1", std::ldexp(1.0, 59)}};
    const std::pair<double, std::string> fromDec[] = {
        {0, "0"},    {5, "101"},  {4294967296.0, "1" + std::string(32, '0')},
        {2.5, "10"}, {0.75, "0"}, {-3, "0"}, {std::nan(""), "0"}, {std::ldexp(1.0, 64), "1" + std::string(64, '0')}};
    for (const auto& [text, value] : toDec)
        EXPECT_EQ(ip.utStringBinaryToDec(text), value) << text;
    for (const auto& [value, text] : fromDec)
        EXPECT_EQ(ip.utStringDecToBinary(value), text) << value;
    EXPECT_TRUE(messages.shown.empty());
}

// Octets are 1 to 4 (0 is the whole address for a text) and masks 8 to 32:
// other reads give the empty value, some of them reported, and other writes
// are ignored.
TEST_F(ModelTest, ArgumentsOutOfRangeGiveTheEmptyValueOrAreIgnored)
{
    for (int octec : {5, -1}) {
        EXPECT_EQ(ip.IP_AsBinary(octec), "") << octec;
        EXPECT_EQ(ip.NetworkAddress_AsBinary(octec), "-1") << octec;
        EXPECT_EQ(ip.BroadcastAddress_AsBinary(octec), "-1") << octec;
        EXPECT_EQ(ip.SubnetMask(octec), "") << octec;
        EXPECT_EQ(ip.NetworkAddress(octec), -1) << octec;
    }
    EXPECT_EQ(ip.NetworkAddress(0), -1);
    EXPECT_TRUE(messages.shown.empty());
    for (int octec : {0, 5}) {
        EXPECT_EQ(ip.IPAddress(octec), 0);
        expectReported(platform::errnum::SubscriptOutOfRange, "clsIPAddy.IPAddress() [Get]");
    }

    for (const auto& [octec, value] : {std::pair{2, 256}, {0, 5}, {2, -1}, {5, 7}})
        ip.IPAddress(octec, value);
    for (int bits : {7, 33, -24})
        ip.SubnetBits(bits);
    EXPECT_EQ(ip.IP_AsBinary(0), "11000000101010000000000100000001");
    EXPECT_EQ(ip.SubnetBits(), 24);
    ip.SubnetBits(8);
    EXPECT_EQ(ip.SubnetBits(), 8);

    // A mask shorter than the class has no subnet field: its text is zeros,
    // but its number is an error.
    set(addr(200, 1, 2, 3), 16);
    EXPECT_EQ(ip.SubnetNumber_AsBinary(), std::string(32, '0'));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ip.SubnetNumber(), 0);
    expectReported(platform::errnum::InvalidProcedureCall, "clsIPAddy.SubnetNumber() [Get]");
}

// Each step stays inside its field: it wraps there and never carries into the
// network; below zero it gives all ones.
TEST_F(ModelTest, SteppingMovesThroughHostsAndSubnetsInsideTheirFields)
{
    const auto host = ChangeHostValue, subnet = ChangeSubnetValue;
    const std::tuple<std::uint32_t, int, void (*)(clsIPAddy&, int), int, const char*> rows[] = {
        {addr(192, 168, 1, 1), 24, host, ScaleStep(1, true, true), "192.168.1.233"},
        {addr(192, 168, 1, 5), 24, host, ScaleStep(-1, true, false), "192.168.1.255"},
        {addr(192, 168, 1, 5), 24, host, -5, "192.168.1.0"},
        {addr(10, 1, 255, 255), 16, host, 1, "10.1.0.0"},
        {addr(192, 168, 1, 192), 26, subnet, 1, "192.168.1.0"},
        {addr(172, 16, 5, 10), 20, subnet, ScaleStep(1, false, true), "172.16.69.10"},
        {addr(10, 1, 2, 3), 8, subnet, 1, "10.1.2.3"}, // no subnet field
    };
    for (const auto& [start, bits, step, amount, result] : rows) {
        set(start, bits);
        step(ip, amount);
        EXPECT_EQ(address(), result) << DottedDecimal(start) << "/" << bits << " " << amount;
    }
    EXPECT_TRUE(messages.shown.empty());
    // A subnet step with a mask shorter than the class is an error that keeps
    // the address, as is a field outside the text.
    set(addr(192, 168, 1, 1), 16);
    ChangeSubnetValue(ip, 1);
    EXPECT_EQ(address(), "192.168.1.1");
    expectReported(platform::errnum::InvalidProcedureCall, "frmMain.BinaryAddValue()");
    for (const auto& [start, length] : {std::pair{0, 4}, {3, 4}, {1, -1}}) {
        EXPECT_EQ(BinaryAddValue("1010", 1, start, length), "") << start << "," << length;
        expectReported(platform::errnum::InvalidProcedureCall, "frmMain.BinaryAddValue()");
    }
}

// The model's reads, failing (reported, empty result) at a chosen one.
class FailingModel {
public:
    FailingModel(const clsIPAddy& ip, int failAt) : ip_(ip), failAt_(failAt) {}
    int reads() const { return count_; }

#define FORWARD(R, NAME, PARAMS, ARGS)                                                                                 \
    R NAME PARAMS const                                                                                                \
    {                                                                                                                  \
        return pass<R>([&] { return ip_.NAME ARGS; });                                                                 \
    }
    FORWARD(std::string, IP_AsBinary, (int k), (k))
    FORWARD(std::string, Subnet_AsBinary, (int k), (k))
    FORWARD(std::string, NetworkAddress_AsBinary, (int k), (k))
    FORWARD(std::string, BroadcastAddress_AsBinary, (int k), (k))
    FORWARD(std::string, HostAddress_AsBinary, (), ())
    FORWARD(std::string, SubnetNumber_AsBinary, (), ())
    FORWARD(std::string, SubnetMask, (int k), (k))
    FORWARD(std::string, ClassName, (), ())
    FORWARD(int, IPAddress, (int k), (k))
    FORWARD(int, NetworkAddress, (int k), (k))
    FORWARD(int, BroadcastAddress, (int k), (k))
    FORWARD(int, SubnetBits, (), ())
    FORWARD(int, ClassBits, (), ())
    FORWARD(int, Class, (), ())
    FORWARD(double, HostAddress, (), ())
    FORWARD(double, SubnetNumber, (), ())
    FORWARD(bool, IsPrivateAddress, (), ())
    FORWARD(bool, IsLoopbackAddress, (), ())
#undef FORWARD

private:
    template <typename R, typename Read> R pass(Read read) const
    {
        if (++count_ != failAt_)
            return read();
        return errors::Function<R>("clsIPAddy.Read()", [](R&) { platform::Raise(platform::errnum::Overflow); });
    }
    const clsIPAddy& ip_;
    int failAt_;
    mutable int count_ = 0;
};

TEST_F(ModelTest, AFailingReadIsReportedOnceAndEndsTheRefreshThere)
{
    set(addr(172, 16, 5, 10), 20);
    FailingModel counting(ip, 0);
    FactsRefresh full;
    subnetfacts::Read(counting, full);
    ASSERT_EQ(full.reached, FactsRefresh::FieldCount);
    const Texts expected = byKey(FormTexts(full.facts));

    int previous = 0;
    for (int failAt = 1; failAt <= counting.reads(); ++failAt) {
        FactsRefresh f;
        f.facts = ComputeSubnetFacts(addr(10, 1, 2, 3), 9);
        subnetfacts::Read(FailingModel(ip, failAt), f);
        ASSERT_EQ(messages.shown.size(), 1u) << "read " << failAt;
        messages.shown.clear();
        EXPECT_EQ(handler->StackDepth(), 0);
        EXPECT_LT(f.reached, FactsRefresh::FieldCount) << "read " << failAt;
        EXPECT_GE(f.reached, previous) << "read " << failAt;
        previous = f.reached;
        const Texts got = byKey(FormTexts(f.facts));
        for (const TextField& field : kTextFields)
            if (f.has(field.field)) {
                EXPECT_EQ(got.at(field.key), expected.at(field.key)) << "read " << failAt << " " << field.key;
            }
    }
    EXPECT_EQ(previous, FactsRefresh::Bars) << "the last reads place the bars";
}

} // namespace
