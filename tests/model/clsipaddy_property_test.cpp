// Every derived value of the model against plain 32-bit integer arithmetic,
// for many random addresses and mask lengths.
#include "model/clsipaddy.h"
#include "testsupport.h"

#include <cstdint>
#include <random>

namespace {

class IPAddyPropertyTest : public FrameworkTest {};

QString bitsOf(uint32_t v)
{
    char digits[32];
    for (int i = 0; i < 32; ++i)
        digits[i] = char('0' + (v >> (31 - i) & 1));
    return QString::fromLatin1(digits, 32);
}

int octetOf(uint32_t v, int k)
{
    return int(v >> (32 - 8 * k) & 255);
}

TEST_F(IPAddyPropertyTest, DerivedValuesMatchIntegerArithmetic)
{
    constexpr int pairs = 100000;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<uint32_t> anyAddress;
    std::uniform_int_distribution<int> anyBits(8, 32);
    clsIPAddy ip;
    int mismatches = 0;
    for (int i = 0; i < pairs && mismatches < 10; ++i) {
        const uint32_t addr = anyAddress(random);
        const int m = anyBits(random);
        for (int k = 1; k <= 4; ++k)
            ip.IPAddress(k, octetOf(addr, k));
        ip.SubnetBits(m);

        const uint32_t mask = m == 32 ? ~0u : ~(~0u >> m);
        const uint32_t network = addr & mask;
        const uint32_t broadcast = network | ~mask;
        const uint32_t host = addr & ~mask;
        const int o1 = octetOf(addr, 1);
        const int o2 = octetOf(addr, 2);
        const int cls = o1 < 128 ? 1 : o1 < 192 ? 2 : o1 < 224 ? 3 : o1 < 240 ? 4 : 5;
        const int c = cls == 2 ? 16 : cls == 3 ? 24 : 8;
        const uint32_t classMask = ~(~0u >> c);
        const uint32_t subnetField = m > c ? addr & mask & ~classMask : 0;
        const bool isPrivate = o1 == 10 || (o1 == 192 && o2 == 168) || (o1 == 172 && o2 >= 16 && o2 <= 31);
        const QString maskText = QStringLiteral("%1.%2.%3.%4")
                                     .arg(octetOf(mask, 1))
                                     .arg(octetOf(mask, 2))
                                     .arg(octetOf(mask, 3))
                                     .arg(octetOf(mask, 4));

        bool ok = ip.IP_AsBinary(0) == bitsOf(addr) && ip.Subnet_AsBinary(0) == bitsOf(mask) &&
                  ip.NetworkAddress_AsBinary(0) == bitsOf(network) &&
                  ip.BroadcastAddress_AsBinary(0) == bitsOf(broadcast) && ip.HostAddress_AsBinary() == bitsOf(host) &&
                  ip.SubnetNumber_AsBinary() == bitsOf(subnetField) && ip.SubnetMask(0) == maskText &&
                  ip.HostAddress() == double(host) && ip.Class() == cls && ip.ClassBits() == c &&
                  ip.ClassName() == QString(QLatin1Char(char('A' + cls - 1))) && ip.IsPrivateAddress() == isPrivate &&
                  ip.IsLoopbackAddress() == (o1 == 127);
        // One octet per pair keeps the run short; over the run each octet is
        // read a quarter of the time.
        const int k = i % 4 + 1;
        ok = ok && ip.IPAddress(k) == octetOf(addr, k) && ip.NetworkAddress(k) == octetOf(network, k) &&
             ip.BroadcastAddress(k) == octetOf(broadcast, k) && ip.SubnetMask(k) == QString::number(octetOf(mask, k));
        if (m >= c)
            ok = ok && ip.SubnetNumber() == double(m == c ? 0 : subnetField >> (32 - m));
        if (!ok) {
            ++mismatches;
            ADD_FAILURE() << "address " << bitsOf(addr).toStdString() << " with " << m << " mask bits";
        }
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(handler->StackDepth(), 0);
}

} // namespace
