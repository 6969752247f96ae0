// The facts and texts of one address: the worked refreshes, supernets, the
// model's reads against plain arithmetic, and a refresh that fails part-way.
#include "cli/reportwriter.h"
#include "model/clsipaddy.h"
#include "model/subnetfacts.h"
#include "model/subnetfactsreader.h"
#include "model/subnettexts.h"
#include "testsupport.h"
#include "util/textsink.h"

#include <map>
#include <random>

namespace {

using Texts = std::map<std::string, std::string>;

Texts byKey(const SubnetTexts& t)
{
    Texts out;
    for (const TextField& f : kTextFields)
        out[f.key] = t.*f.text;
    out["tip_subnets"] = t.subnetsTip;
    return out;
}

class SubnetFactsTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        handler->DisplayMsgOnError(false);
    }
    void set(std::uint32_t address, int bits)
    {
        for (int k = 1; k <= 4; ++k)
            ip.IPAddress(k, int(address >> (32 - 8 * k) & 255));
        ip.SubnetBits(bits);
    }
    SubnetFacts read(std::uint32_t address, int bits)
    {
        set(address, bits);
        SubnetFacts f;
        ReadSubnetFacts(ip, f);
        return f;
    }
    clsIPAddy ip;
};

constexpr std::uint32_t addr(int a, int b, int c, int d)
{
    return std::uint32_t(a) << 24 | std::uint32_t(b) << 16 | std::uint32_t(c) << 8 | std::uint32_t(d);
}

TEST_F(SubnetFactsTest, WorkedRefreshesShowTheirExactTexts)
{
    struct Case {
        std::uint32_t address;
        int bits;
        Texts texts;
    };
    const Case cases[] = {
        {addr(192, 168, 1, 1), 24,
         {{"ip_binary", "11000000.10101000.00000001.00000001"},
          {"mask_binary", "11111111.11111111.11111111.00000000"},
          {"network_binary", "11000000.10101000.00000001.00000000"},
          {"broadcast_binary", "11000000.10101000.00000001.11111111"},
          {"host_binary", "00000000.00000000.00000000.00000001"},
          {"subnet_binary", ""},
          {"ip", "192.168.1.1"},
          {"mask", "255.255.255.0"},
          {"network", "192.168.1.0 (network)"},
          {"broadcast", "192.168.1.255 (broadcast)"},
          {"host", "Host: 1"},
          {"subnet", "Not subnetted"},
          {"subnets", "Not subnetted"},
          {"tip_subnets", ""},
          {"hosts_per_subnet", "256 total, 254 usable."},
          {"usable", "254 (100.00%)"},
          {"class", "C (private)"},
          {"network_bits", "24 bits."},
          {"subnet_bits", "0 bits."},
          {"host_bits", "8 bits."},
          {"range", "This subnet uses address from 192.168.1.1 to 192.168.1.254"}}},
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
        // Class D counts 8 network bits; the loopback network; the last host bit.
        {addr(224, 0, 0, 1), 24, {{"class", "D"}, {"subnet_bits", "16 bits."}, {"subnet", "Subnet: 0 (unusable - network)"}}},
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
    };
    for (const Case& c : cases) {
        const Texts got = byKey(FormTexts(read(c.address, c.bits)));
        for (const auto& [key, text] : c.texts)
            EXPECT_EQ(got.at(key), text) << DottedDecimal(c.address) << "/" << c.bits << " " << key;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SubnetFactsTest, TheSharePatternAndTheSystemsSeparator)
{
    const std::tuple<double, const char*, const char*> rows[] = {
        {0.5, ".", "50.00%"}, {1, ",", "100,00%"}, {0.0123, ".", "01.23%"}, {0.87459, "\xD9\xAB", "87\xD9\xAB" "46%"}};
    for (const auto& [share, point, text] : rows)
        EXPECT_EQ(FormatShare(share, point), text);
}

// The report works the facts out by arithmetic, the window by the model's
// reads: every field of both must agree for every class and mask length.
TEST_F(SubnetFactsTest, ModelReadsAgreeWithArithmetic)
{
    std::mt19937 random(7);
    for (int first : {0, 10, 127, 128, 172, 191, 192, 223, 224, 239, 240, 255}) {
        for (int bits = 8; bits <= 31; ++bits) {
            for (int i = 0; i < 12; ++i) {
                // All-ones and all-zeros fields are among the samples.
                const std::uint32_t rest = i == 0 ? 0 : i == 1 ? 0xFFFFFF : random() & 0xFFFFFF;
                const std::uint32_t address = std::uint32_t(first) << 24 | rest;
                TextSink fromModel, fromArithmetic;
                const SubnetFacts f = read(address, bits);
                ASSERT_EQ(f.reached, SubnetFacts::FieldCount);
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

// The model's reads, failing (reported, empty result) at a chosen one.
class FailingModel {
public:
    FailingModel(const clsIPAddy& ip, int failAt) : ip_(ip), failAt_(failAt) {}
    int reads() const { return count_; }

#define FORWARD(R, NAME, PARAMS, ARGS)                                                                                 \
    R NAME PARAMS const { return pass<R>([&] { return ip_.NAME ARGS; }); }
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

TEST_F(SubnetFactsTest, AFailingReadIsReportedOnceAndEndsTheRefreshThere)
{
    set(addr(172, 16, 5, 10), 20);
    FailingModel counting(ip, 0);
    SubnetFacts full;
    subnetfacts::Read(counting, full);
    ASSERT_EQ(full.reached, SubnetFacts::FieldCount);
    const Texts expected = byKey(FormTexts(full));

    int previous = 0;
    for (int failAt = 1; failAt <= counting.reads(); ++failAt) {
        SubnetFacts f = ComputeSubnetFacts(addr(10, 1, 2, 3), 9);
        subnetfacts::Read(FailingModel(ip, failAt), f);
        ASSERT_EQ(messages.shown.size(), 1u) << "read " << failAt;
        messages.shown.clear();
        EXPECT_EQ(handler->StackDepth(), 0);
        EXPECT_LT(f.reached, SubnetFacts::FieldCount) << "read " << failAt;
        EXPECT_GE(f.reached, previous) << "read " << failAt;
        previous = f.reached;
        const Texts got = byKey(FormTexts(f));
        for (const TextField& field : kTextFields)
            if (f.has(field.field)) {
                EXPECT_EQ(got.at(field.key), expected.at(field.key)) << "read " << failAt << " " << field.key;
            }
    }
    EXPECT_EQ(previous, SubnetFacts::Bars) << "the last reads place the bars";
}

} // namespace
