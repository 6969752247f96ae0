#include "model/clsipaddy.h"

#include "errors/procedure.h"
#include "model/binarytext.h"
#include "platform/runtimeerror.h"
#include "util/modutils.h"

#include <cmath>

using errors::Function;
using errors::Procedure;

namespace {
// Octet k (1 to 4) of a 32-digit text, or "" outside that range.
QString octetOf(const QString& bits, int k)
{
    return bits.mid((k - 1) * 8, 8);
}
const QString ONE = QStringLiteral("1");
const QString ZERO = QStringLiteral("0");
} // namespace

clsIPAddy::clsIPAddy()
{
    Procedure(QStringLiteral("clsIPAddy.Class_Initialize()"), [&] {
        octets_[1] = 192;
        octets_[2] = 168;
        octets_[3] = 1;
        octets_[4] = 1;
        subnetBits_ = 24;
    });
}

QString clsIPAddy::SubnetMask(int Octec) const
{
    return Function<QString>(QStringLiteral("clsIPAddy.SubnetMask() [Get]"), [&](QString& r) {
        if (Octec >= 1 && Octec <= 4) {
            r = QString::number(qint64(utStringBinaryToDec(Subnet_AsBinary(Octec))));
        } else if (Octec == 0) {
            QString s;
            for (int k = 1; k <= 4; ++k) {
                if (k > 1)
                    s += QLatin1Char('.');
                s += QString::number(qint64(utStringBinaryToDec(Subnet_AsBinary(k))));
            }
            r = s;
        }
    });
}

int clsIPAddy::NetworkAddress(int Octec) const
{
    return Function<int>(QStringLiteral("clsIPAddy.NetworkAddress() [Get]"), [&](int& r) {
        r = -1;
        if (Octec >= 1 && Octec <= 4)
            r = int(std::lrint(utStringBinaryToDec(NetworkAddress_AsBinary(Octec))));
    });
}

int clsIPAddy::BroadcastAddress(int Octec) const
{
    return Function<int>(QStringLiteral("clsIPAddy.BroadcastAddress() [Get]"), [&](int& r) {
        r = -1;
        if (Octec >= 1 && Octec <= 4)
            r = int(std::lrint(utStringBinaryToDec(BroadcastAddress_AsBinary(Octec))));
    });
}

void clsIPAddy::IPAddress(int Octec, int IP)
{
    Procedure(QStringLiteral("clsIPAddy.IPAddress() [Let]"), [&] {
        if (Octec >= 1 && Octec <= 4 && IP >= 0 && IP <= 255)
            octets_[Octec] = IP;
    });
}

double clsIPAddy::HostAddress() const
{
    return Function<double>(QStringLiteral("clsIPAddy.HostAddress() [Get]"),
                            [&](double& r) { r = utStringBinaryToDec(HostAddress_AsBinary()); });
}

double clsIPAddy::SubnetNumber() const
{
    return Function<double>(QStringLiteral("clsIPAddy.SubnetNumber() [Get]"), [&](double& r) {
        const int c = ClassBits();
        const int length = subnetBits_ - c;
        if (length < 0)
            platform::Raise(platform::errnum::InvalidProcedureCall);
        r = utStringBinaryToDec(SubnetNumber_AsBinary().mid(c, length));
    });
}

int clsIPAddy::SubnetBits() const
{
    return Function<int>(QStringLiteral("clsIPAddy.SubnetBits() [Get]"), [&](int& r) { r = subnetBits_; });
}

void clsIPAddy::SubnetBits(int NumberOfBits)
{
    Procedure(QStringLiteral("clsIPAddy.SubnetBits() [Let]"), [&] {
        if (NumberOfBits >= 8 && NumberOfBits <= 32)
            subnetBits_ = NumberOfBits;
    });
}

int clsIPAddy::IPAddress(int Octec) const
{
    return Function<int>(QStringLiteral("clsIPAddy.IPAddress() [Get]"), [&](int& r) {
        if (Octec < 1 || Octec > 4)
            platform::Raise(platform::errnum::SubscriptOutOfRange);
        r = int(std::lrint(octets_[Octec]));
    });
}

int clsIPAddy::Class() const
{
    return Function<int>(QStringLiteral("clsIPAddy.Class() [Get]"), [&](int& r) {
        const QString lead = IP_AsBinary(1);
        if (lead.startsWith(QLatin1String("0")))
            r = 1;
        else if (lead.startsWith(QLatin1String("10")))
            r = 2;
        else if (lead.startsWith(QLatin1String("110")))
            r = 3;
        else if (lead.startsWith(QLatin1String("1110")))
            r = 4;
        else
            r = 5;
    });
}

QString clsIPAddy::ClassName() const
{
    return Function<QString>(QStringLiteral("clsIPAddy.ClassName() [Get]"), [&](QString& r) {
        static const char* const letters[] = {"A", "B", "C", "D", "E"};
        const int c = Class();
        if (c >= 1 && c <= 5)
            r = QLatin1String(letters[c - 1]);
    });
}

int clsIPAddy::ClassBits() const
{
    return Function<int>(QStringLiteral("clsIPAddy.ClassBits() [Get]"), [&](int& r) {
        switch (Class()) {
        case 1: r = 8; break;
        case 2: r = 16; break;
        case 3: r = 24; break;
        default: r = 8; break;
        }
    });
}

QString clsIPAddy::IP_AsBinary(int Octec) const
{
    return Function<QString>(QStringLiteral("clsIPAddy.IP_AsBinary()"), [&](QString& r) {
        auto octetBits = [&](int k) {
            const QString b = utStringDecToBinary(octets_[k]);
            return b.size() < 8 ? QString(8 - b.size(), QLatin1Char('0')) + b : b;
        };
        if (Octec == 0) {
            QString all;
            all.reserve(32);
            for (int k = 1; k <= 4; ++k)
                all += octetBits(k);
            r = all;
        } else if (Octec >= 1 && Octec <= 4) {
            r = octetBits(Octec);
        }
    });
}

QString clsIPAddy::Subnet_AsBinary(int Octec) const
{
    return Function<QString>(QStringLiteral("clsIPAddy.Subnet_AsBinary()"), [&](QString& r) {
        const QString mask = utStringRepeat(ONE, subnetBits_) + utStringRepeat(ZERO, 32 - subnetBits_);
        if (Octec == 0)
            r = mask;
        else if (Octec >= 1 && Octec <= 4)
            r = octetOf(mask, Octec);
    });
}

QString clsIPAddy::NetworkAddress_AsBinary(int Octec) const
{
    return Function<QString>(QStringLiteral("clsIPAddy.NetworkAddress_AsBinary()"), [&](QString& r) {
        r = QStringLiteral("-1");
        if (Octec < 0 || Octec > 4)
            return;
        const QString n = utStringBinaryAnd(IP_AsBinary(0), Subnet_AsBinary(0));
        r = Octec == 0 ? n : octetOf(n, Octec);
    });
}

QString clsIPAddy::BroadcastAddress_AsBinary(int Octec) const
{
    return Function<QString>(QStringLiteral("clsIPAddy.BroadcastAddress_AsBinary()"), [&](QString& r) {
        r = QStringLiteral("-1");
        if (Octec < 0 || Octec > 4)
            return;
        const int m = subnetBits_;
        const QString b = NetworkAddress_AsBinary(0).left(m) + utStringRepeat(ONE, 32 - m);
        r = Octec == 0 ? b : octetOf(b, Octec);
    });
}

QString clsIPAddy::HostAddress_AsBinary() const
{
    return Function<QString>(QStringLiteral("clsIPAddy.HostAddress_AsBinary()"), [&](QString& r) {
        const int m = subnetBits_;
        r = utStringBinaryAnd(IP_AsBinary(0), utStringRepeat(ZERO, m) + utStringRepeat(ONE, 32 - m));
    });
}

QString clsIPAddy::SubnetNumber_AsBinary() const
{
    return Function<QString>(QStringLiteral("clsIPAddy.SubnetNumber_AsBinary()"), [&](QString& r) {
        const int m = subnetBits_;
        const int c = ClassBits();
        // With m < c the field mask has no ones and runs past 32 digits: the
        // AND then clears every bit, as designed.
        const QString fieldMask = utStringRepeat(ZERO, c) + utStringRepeat(ONE, m - c) + utStringRepeat(ZERO, 32 - m);
        r = utStringBinaryAnd(IP_AsBinary(0), fieldMask);
    });
}

double clsIPAddy::utStringBinaryToDec(const QString& text) const
{
    return Function<double>(QStringLiteral("clsIPAddy.utStringBinaryToDec()"),
                            [&](double& r) { r = binarytext::toDec(text); });
}

QString clsIPAddy::utStringDecToBinary(double value) const
{
    return Function<QString>(QStringLiteral("clsIPAddy.utStringDecToBinary()"),
                             [&](QString& r) { r = binarytext::fromDec(value); });
}

QString clsIPAddy::IPAddyDotsAdd(const QString& IPAddy_Binary) const
{
    return Function<QString>(QStringLiteral("clsIPAddy.IPAddyDotsAdd()"),
                             [&](QString& r) { r = binarytext::dotsAdd(IPAddy_Binary); });
}

QString clsIPAddy::utStringBinaryAnd(const QString& BinaryNumber, const QString& BinaryMask) const
{
    return Function<QString>(QStringLiteral("clsIPAddy.utStringBinaryAnd()"),
                             [&](QString& r) { r = binarytext::binaryAnd(BinaryNumber, BinaryMask); });
}

bool clsIPAddy::IsPrivateAddress() const
{
    return Function<bool>(QStringLiteral("clsIPAddy.IsPrivateAddress()"), [&](bool& r) {
        const int o1 = IPAddress(1);
        const int o2 = IPAddress(2);
        r = o1 == 10 || (o1 == 192 && o2 == 168) || (o1 == 172 && o2 >= 16 && o2 <= 31);
    });
}

bool clsIPAddy::IsLoopbackAddress() const
{
    return Function<bool>(QStringLiteral("clsIPAddy.IsLoopbackAddress()"), [&](bool& r) { r = IPAddress(1) == 127; });
}
