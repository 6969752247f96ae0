#include "model/clsipaddy.h"

#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "platform/runtimeerror.h"

#include <cmath>
#include <string_view>

using binarytext::Bits;
using errors::Function;
using errors::Procedure;

// The names the members register under.
namespace {
namespace name {
constexpr std::string_view kBroadcastAddressGet = "clsIPAddy.BroadcastAddress() [Get]";
constexpr std::string_view kBroadcastAddressAsBinary = "clsIPAddy.BroadcastAddress_AsBinary()";
constexpr std::string_view kClassGet = "clsIPAddy.Class() [Get]";
constexpr std::string_view kClassBitsGet = "clsIPAddy.ClassBits() [Get]";
constexpr std::string_view kClassNameGet = "clsIPAddy.ClassName() [Get]";
constexpr std::string_view kClassInitialize = "clsIPAddy.Class_Initialize()";
constexpr std::string_view kHostAddressGet = "clsIPAddy.HostAddress() [Get]";
constexpr std::string_view kHostAddressAsBinary = "clsIPAddy.HostAddress_AsBinary()";
constexpr std::string_view kIPAddressGet = "clsIPAddy.IPAddress() [Get]";
constexpr std::string_view kIPAddressLet = "clsIPAddy.IPAddress() [Let]";
constexpr std::string_view kIPAddyDotsAdd = "clsIPAddy.IPAddyDotsAdd()";
constexpr std::string_view kIPAsBinary = "clsIPAddy.IP_AsBinary()";
constexpr std::string_view kIsLoopbackAddress = "clsIPAddy.IsLoopbackAddress()";
constexpr std::string_view kIsPrivateAddress = "clsIPAddy.IsPrivateAddress()";
constexpr std::string_view kNetworkAddressGet = "clsIPAddy.NetworkAddress() [Get]";
constexpr std::string_view kNetworkAddressAsBinary = "clsIPAddy.NetworkAddress_AsBinary()";
constexpr std::string_view kSubnetBitsGet = "clsIPAddy.SubnetBits() [Get]";
constexpr std::string_view kSubnetBitsLet = "clsIPAddy.SubnetBits() [Let]";
constexpr std::string_view kSubnetMaskGet = "clsIPAddy.SubnetMask() [Get]";
constexpr std::string_view kSubnetNumberGet = "clsIPAddy.SubnetNumber() [Get]";
constexpr std::string_view kSubnetNumberAsBinary = "clsIPAddy.SubnetNumber_AsBinary()";
constexpr std::string_view kSubnetAsBinary = "clsIPAddy.Subnet_AsBinary()";
constexpr std::string_view kUtStringBinaryAnd = "clsIPAddy.utStringBinaryAnd()";
constexpr std::string_view kUtStringBinaryToDec = "clsIPAddy.utStringBinaryToDec()";
constexpr std::string_view kUtStringDecToBinary = "clsIPAddy.utStringDecToBinary()";
// The class names share one copy each, so reading one allocates nothing.
const QString kClassNames[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                               QStringLiteral("E")};
} // namespace name

// Network bits of a class (1 to 5 for A to E); D and E count as 8.
int classBitsOf(int cls)
{
    switch (cls) {
    case 2: return 16;
    case 3: return 24;
    default: return 8;
    }
}

// The whole 32-digit text (Octec 0) or the 8 digits of octet Octec.
void wholeOrOctet(const Bits& bits, int Octec, Bits& out)
{
    if (Octec == 0)
        out = bits;
    else
        out.append(bits, (Octec - 1) * 8, 8);
}

bool validOctet(int k)
{
    return k >= 1 && k <= 4;
}

// Decimal digits of a whole number, appended without allocation.
void appendNumber(Bits& out, qint64 v)
{
    if (v < 0) {
        out.append('-');
        v = -v;
    }
    char digits[20];
    int n = 0;
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v > 0);
    while (n > 0)
        out.append(digits[--n]);
}

// Value of octet Octec (1 to 4) of a whole 32-digit text.
double octetValue(const Bits& whole, int Octec)
{
    Bits octet;
    octet.append(whole, (Octec - 1) * 8, 8);
    return binarytext::toDec(octet);
}

void setMinusOne(Bits& out)
{
    out.n = 0;
    out.append('-');
    out.append('1');
}
} // namespace

inline bool clsIPAddy::isKept(Memo::Slot slot) const
{
    return (memo_.held & slot) != 0 && !gErrHandler().TraceExecution();
}

clsIPAddy::clsIPAddy()
{
    Procedure(name::kClassInitialize, [&] {
        forget();
        octets_[1] = 192;
        octets_[2] = 168;
        octets_[3] = 1;
        octets_[4] = 1;
        subnetBits_ = 24;
    });
}

QString clsIPAddy::SubnetMask(int Octec) const
{
    return Function<QString>(name::kSubnetMaskGet, [&](QString& r) {
        Bits text;
        const auto value = [&](int k) {
            return qint64(isKept(Memo::Mask) ? octetValue(memo_.mask, k) : binaryToDec(maskBits(k)));
        };
        if (validOctet(Octec)) {
            appendNumber(text, value(Octec));
        } else if (Octec == 0) {
            for (int k = 1; k <= 4; ++k) {
                if (k > 1)
                    text.append('.');
                appendNumber(text, value(k));
            }
        }
        r = text.toQString();
    });
}

int clsIPAddy::NetworkAddress(int Octec) const
{
    return Function<int>(name::kNetworkAddressGet, [&](int& r) {
        r = -1;
        if (validOctet(Octec))
            r = int(std::lrint(isKept(Memo::Network) ? octetValue(memo_.network, Octec)
                                                     : binaryToDec(networkBits(Octec))));
    });
}

int clsIPAddy::BroadcastAddress(int Octec) const
{
    return Function<int>(name::kBroadcastAddressGet, [&](int& r) {
        r = -1;
        if (validOctet(Octec))
            r = int(std::lrint(isKept(Memo::Broadcast) ? octetValue(memo_.broadcast, Octec)
                                                       : binaryToDec(broadcastBits(Octec))));
    });
}

void clsIPAddy::IPAddress(int Octec, int IP)
{
    Procedure(name::kIPAddressLet, [&] {
        if (validOctet(Octec) && IP >= 0 && IP <= 255) {
            octets_[Octec] = IP;
            forget();
        }
    });
}

double clsIPAddy::HostAddress() const
{
    return Function<double>(name::kHostAddressGet, [&](double& r) {
        r = isKept(Memo::Host) ? binarytext::toDec(memo_.host) : binaryToDec(hostBits());
    });
}

double clsIPAddy::SubnetNumber() const
{
    return Function<double>(name::kSubnetNumberGet, [&](double& r) {
        const bool kept = isKept(Memo::SubnetNumber) && isKept(Memo::ClassValue);
        const Bits field = kept ? memo_.subnetNumber : subnetNumberBits();
        const int c = kept ? classBitsOf(memo_.cls) : ClassBits();
        const int length = subnetBits_ - c;
        // A mask shorter than the class asks for a negative number of digits.
        if (length < 0)
            platform::Raise(platform::errnum::InvalidProcedureCall);
        Bits digits;
        digits.append(field, c, length);
        r = kept ? binarytext::toDec(digits) : binaryToDec(digits);
    });
}

int clsIPAddy::SubnetBits() const
{
    return Function<int>(name::kSubnetBitsGet, [&](int& r) { r = subnetBits_; });
}

void clsIPAddy::SubnetBits(int NumberOfBits)
{
    Procedure(name::kSubnetBitsLet, [&] {
        if (NumberOfBits >= 8 && NumberOfBits <= 32) {
            subnetBits_ = NumberOfBits;
            forget();
        }
    });
}

int clsIPAddy::IPAddress(int Octec) const
{
    return Function<int>(name::kIPAddressGet, [&](int& r) {
        if (!validOctet(Octec))
            platform::Raise(platform::errnum::SubscriptOutOfRange);
        r = int(std::lrint(octets_[Octec]));
    });
}

int clsIPAddy::Class() const
{
    return Function<int>(name::kClassGet, [&](int& r) {
        if (isKept(Memo::ClassValue)) {
            r = memo_.cls;
            return;
        }
        const Bits lead = ipBits(1);
        auto startsWith = [&](const char* prefix) {
            for (int i = 0; prefix[i]; ++i)
                if (i >= lead.n || lead.c[i] != prefix[i])
                    return false;
            return true;
        };
        if (startsWith("0"))
            r = 1;
        else if (startsWith("10"))
            r = 2;
        else if (startsWith("110"))
            r = 3;
        else if (startsWith("1110"))
            r = 4;
        else
            r = 5;
        memo_.cls = r;
        markKept(Memo::ClassValue);
    });
}

QString clsIPAddy::ClassName() const
{
    return Function<QString>(name::kClassNameGet, [&](QString& r) {
        const int c = isKept(Memo::ClassValue) ? memo_.cls : Class();
        if (c >= 1 && c <= 5)
            r = name::kClassNames[c - 1];
    });
}

int clsIPAddy::ClassBits() const
{
    return Function<int>(name::kClassBitsGet,
                         [&](int& r) { r = classBitsOf(isKept(Memo::ClassValue) ? memo_.cls : Class()); });
}

template <typename Compute> const Bits& clsIPAddy::keep(Memo::Slot slot, Bits& text, Compute compute) const
{
    if (!isKept(slot)) {
        text = compute();
        markKept(slot);
    }
    return text;
}

Bits clsIPAddy::ipBits(int Octec) const
{
    return Function<Bits>(name::kIPAsBinary, [&](Bits& r) {
        if (Octec == 0) {
            r = keep(Memo::Ip, memo_.ip, [&] {
                Bits all;
                for (int k = 1; k <= 4; ++k)
                    all.appendOctet(decToBinary(octets_[k]));
                return all;
            });
        } else if (validOctet(Octec)) {
            // One octet alone is worked out alone: it reads one conversion.
            if (isKept(Memo::Ip))
                wholeOrOctet(memo_.ip, Octec, r);
            else
                r.appendOctet(decToBinary(octets_[Octec]));
        }
    });
}

Bits clsIPAddy::maskBits(int Octec) const
{
    return Function<Bits>(name::kSubnetAsBinary, [&](Bits& r) {
        if (Octec != 0 && !validOctet(Octec))
            return;
        const Bits& mask = keep(Memo::Mask, memo_.mask, [&] {
            Bits all;
            all.append('1', subnetBits_);
            all.append('0', 32 - subnetBits_);
            return all;
        });
        wholeOrOctet(mask, Octec, r);
    });
}

Bits clsIPAddy::networkBits(int Octec) const
{
    return Function<Bits>(name::kNetworkAddressAsBinary, [&](Bits& r) {
        if (Octec < 0 || Octec > 4) {
            setMinusOne(r);
            return;
        }
        const Bits& network = keep(Memo::Network, memo_.network, [&] {
            const Bits address = ipBits(0);
            const Bits mask = maskBits(0);
            return binaryAnd(address, mask);
        });
        wholeOrOctet(network, Octec, r);
    });
}

Bits clsIPAddy::broadcastBits(int Octec) const
{
    return Function<Bits>(name::kBroadcastAddressAsBinary, [&](Bits& r) {
        if (Octec < 0 || Octec > 4) {
            setMinusOne(r);
            return;
        }
        const Bits& broadcast = keep(Memo::Broadcast, memo_.broadcast, [&] {
            const int m = subnetBits_;
            Bits b;
            b.append(networkBits(0), 0, m);
            b.append('1', 32 - m);
            return b;
        });
        wholeOrOctet(broadcast, Octec, r);
    });
}

Bits clsIPAddy::hostBits() const
{
    return Function<Bits>(name::kHostAddressAsBinary, [&](Bits& r) {
        r = keep(Memo::Host, memo_.host, [&] {
            const int m = subnetBits_;
            Bits fieldMask;
            fieldMask.append('0', m);
            fieldMask.append('1', 32 - m);
            return binaryAnd(ipBits(0), fieldMask);
        });
    });
}

Bits clsIPAddy::subnetNumberBits() const
{
    return Function<Bits>(name::kSubnetNumberAsBinary, [&](Bits& r) {
        r = keep(Memo::SubnetNumber, memo_.subnetNumber, [&] {
            const int m = subnetBits_;
            const int c = ClassBits();
            // With m < c the field mask has no ones and runs past 32 digits:
            // the AND then clears every bit, and the field reads as 32 zeros.
            Bits fieldMask;
            fieldMask.append('0', c);
            fieldMask.append('1', m - c);
            fieldMask.append('0', 32 - m);
            return binaryAnd(ipBits(0), fieldMask);
        });
    });
}

double clsIPAddy::utStringBinaryToDec(const QString& text) const
{
    return Function<double>(name::kUtStringBinaryToDec, [&](double& r) { r = binarytext::toDec(text); });
}

double clsIPAddy::binaryToDec(const Bits& text) const
{
    return Function<double>(name::kUtStringBinaryToDec, [&](double& r) { r = binarytext::toDec(text); });
}

Bits clsIPAddy::decToBinary(double value) const
{
    return Function<Bits>(name::kUtStringDecToBinary, [&](Bits& r) { binarytext::fromDec(value, r); });
}

QString clsIPAddy::IPAddyDotsAdd(const QString& IPAddy_Binary) const
{
    return Function<QString>(name::kIPAddyDotsAdd, [&](QString& r) { r = binarytext::dotsAdd(IPAddy_Binary); });
}

void clsIPAddy::IPAddyDotsAdd(const QString& IPAddy_Binary, QString& into) const
{
    Procedure(name::kIPAddyDotsAdd, [&] { binarytext::dotsAdd(IPAddy_Binary, into); });
}

QString clsIPAddy::utStringBinaryAnd(const QString& BinaryNumber, const QString& BinaryMask) const
{
    return Function<QString>(name::kUtStringBinaryAnd,
                             [&](QString& r) { r = binarytext::binaryAnd(BinaryNumber, BinaryMask); });
}

Bits clsIPAddy::binaryAnd(const Bits& number, const Bits& mask) const
{
    return Function<Bits>(name::kUtStringBinaryAnd, [&](Bits& r) { binarytext::binaryAnd(number, mask, r); });
}

bool clsIPAddy::IsPrivateAddress() const
{
    return Function<bool>(name::kIsPrivateAddress, [&](bool& r) {
        const int o1 = IPAddress(1);
        const int o2 = IPAddress(2);
        r = o1 == 10 || (o1 == 192 && o2 == 168) || (o1 == 172 && o2 >= 16 && o2 <= 31);
    });
}

bool clsIPAddy::IsLoopbackAddress() const
{
    return Function<bool>(name::kIsLoopbackAddress, [&](bool& r) { r = IPAddress(1) == 127; });
}
