#include "model/clsipaddy.h"

#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "model/addressclass.h"
#include "model/binarytext.h"
#include "model/masklength.h"
#include "platform/runtimeerror.h"
#include "util/strings.h"

#include <cmath>

using errors::Function;
using errors::Procedure;

namespace {

bool validOctet(int k)
{
    return k >= 1 && k <= 4;
}

// The whole 32-digit text (Octec 0) or the 8 digits of octet Octec.
std::string wholeOrOctet(const std::string& bits, int Octec)
{
    return Octec == 0 ? bits : bits.substr(size_t(Octec - 1) * 8, 8);
}

std::string decimal(double whole)
{
    return std::to_string(std::llround(whole));
}

} // namespace

template <typename Compute> const std::string& clsIPAddy::kept(Kept which, Compute compute) const
{
    // While tracing, each read works its text out afresh, so the trace shows
    // every nested read, and keeps nothing: a read that fails part-way (the
    // trace file full) must not leave a wrong text behind.
    if (gErrHandler().TraceExecution())
        return traced_ = compute();
    std::string& text = kept_[which];
    // A kept text is never empty: every one of them is 32 digits.
    if (text.empty())
        text = compute();
    return text;
}

void clsIPAddy::forget() const
{
    for (std::string& text : kept_)
        text.clear();
}

clsIPAddy::clsIPAddy()
{
    Procedure("clsIPAddy.Class_Initialize()", [&] {
        octets_[1] = 192;
        octets_[2] = 168;
        octets_[3] = 1;
        octets_[4] = 1;
        subnetBits_ = 24;
    });
}

std::string clsIPAddy::SubnetMask(int Octec) const
{
    return Function<std::string>("clsIPAddy.SubnetMask() [Get]", [&](std::string& r) {
        if (validOctet(Octec)) {
            r = decimal(utStringBinaryToDec(Subnet_AsBinary(Octec)));
        } else if (Octec == 0) {
            for (int k = 1; k <= 4; ++k) {
                if (k > 1)
                    r += '.';
                r += decimal(utStringBinaryToDec(Subnet_AsBinary(k)));
            }
        }
    });
}

int clsIPAddy::NetworkAddress(int Octec) const
{
    return Function<int>("clsIPAddy.NetworkAddress() [Get]", [&](int& r) {
        r = -1;
        if (validOctet(Octec))
            r = int(std::lrint(utStringBinaryToDec(NetworkAddress_AsBinary(Octec))));
    });
}

int clsIPAddy::BroadcastAddress(int Octec) const
{
    return Function<int>("clsIPAddy.BroadcastAddress() [Get]", [&](int& r) {
        r = -1;
        if (validOctet(Octec))
            r = int(std::lrint(utStringBinaryToDec(BroadcastAddress_AsBinary(Octec))));
    });
}

void clsIPAddy::IPAddress(int Octec, int IP)
{
    Procedure("clsIPAddy.IPAddress() [Let]", [&] {
        if (validOctet(Octec) && IP >= 0 && IP <= 255) {
            octets_[Octec] = IP;
            forget();
        }
    });
}

double clsIPAddy::HostAddress() const
{
    return Function<double>("clsIPAddy.HostAddress() [Get]",
                            [&](double& r) { r = utStringBinaryToDec(HostAddress_AsBinary()); });
}

double clsIPAddy::SubnetNumber() const
{
    return Function<double>("clsIPAddy.SubnetNumber() [Get]", [&](double& r) {
        const std::string field = SubnetNumber_AsBinary();
        const int c = ClassBits();
        const int length = subnetBits_ - c;
        // A mask shorter than the class asks for a negative number of digits.
        if (length < 0)
            platform::Raise(platform::errnum::InvalidProcedureCall);
        r = utStringBinaryToDec(field.substr(size_t(c), size_t(length)));
    });
}

int clsIPAddy::SubnetBits() const
{
    return Function<int>("clsIPAddy.SubnetBits() [Get]", [&](int& r) { r = subnetBits_; });
}

void clsIPAddy::SubnetBits(int NumberOfBits)
{
    Procedure("clsIPAddy.SubnetBits() [Let]", [&] {
        if (NumberOfBits >= masklength::kModelMin && NumberOfBits <= masklength::kModelMax) {
            subnetBits_ = NumberOfBits;
            forget();
        }
    });
}

int clsIPAddy::IPAddress(int Octec) const
{
    return Function<int>("clsIPAddy.IPAddress() [Get]", [&](int& r) {
        if (!validOctet(Octec))
            platform::Raise(platform::errnum::SubscriptOutOfRange);
        r = int(std::lrint(octets_[Octec]));
    });
}

int clsIPAddy::Class() const
{
    return Function<int>("clsIPAddy.Class() [Get]", [&](int& r) { r = addressclass::NumberOf(IP_AsBinary(1)); });
}

std::string clsIPAddy::ClassName() const
{
    return Function<std::string>("clsIPAddy.ClassName() [Get]", [&](std::string& r) {
        const int c = Class();
        if (c >= 1 && c <= addressclass::kClassCount)
            r = std::string(1, addressclass::kClasses[c - 1].letter);
    });
}

int clsIPAddy::ClassBits() const
{
    return Function<int>("clsIPAddy.ClassBits() [Get]", [&](int& r) {
        const int c = Class();
        r = c >= 1 && c <= addressclass::kClassCount ? addressclass::kClasses[c - 1].bits : addressclass::kFewestBits;
    });
}

std::string clsIPAddy::IP_AsBinary(int Octec) const
{
    return Function<std::string>("clsIPAddy.IP_AsBinary()", [&](std::string& r) {
        if (Octec != 0 && !validOctet(Octec))
            return;
        // One octet alone is worked out alone when it is not kept.
        if (Octec != 0 && gErrHandler().TraceExecution()) {
            const std::string digits = utStringDecToBinary(octets_[Octec]);
            r = utStringRepeat("0", 8 - int(digits.size())) + digits;
            return;
        }
        r = wholeOrOctet(kept(IpBits,
                              [&] {
                                  std::string all;
                                  for (int k = 1; k <= 4; ++k) {
                                      const std::string digits = utStringDecToBinary(octets_[k]);
                                      all += utStringRepeat("0", 8 - int(digits.size())) + digits;
                                  }
                                  return all;
                              }),
                         Octec);
    });
}

std::string clsIPAddy::Subnet_AsBinary(int Octec) const
{
    return Function<std::string>("clsIPAddy.Subnet_AsBinary()", [&](std::string& r) {
        if (Octec == 0 || validOctet(Octec))
            r = wholeOrOctet(
                kept(MaskBits, [&] { return utStringRepeat("1", subnetBits_) + utStringRepeat("0", 32 - subnetBits_); }),
                Octec);
    });
}

std::string clsIPAddy::NetworkAddress_AsBinary(int Octec) const
{
    return Function<std::string>("clsIPAddy.NetworkAddress_AsBinary()", [&](std::string& r) {
        if (Octec < 0 || Octec > 4) {
            r = "-1";
            return;
        }
        r = wholeOrOctet(kept(NetworkBits, [&] { return utStringBinaryAnd(IP_AsBinary(0), Subnet_AsBinary(0)); }),
                         Octec);
    });
}

std::string clsIPAddy::BroadcastAddress_AsBinary(int Octec) const
{
    return Function<std::string>("clsIPAddy.BroadcastAddress_AsBinary()", [&](std::string& r) {
        if (Octec < 0 || Octec > 4) {
            r = "-1";
            return;
        }
        const int m = subnetBits_;
        r = wholeOrOctet(kept(BroadcastBits,
                              [&] { return NetworkAddress_AsBinary(0).substr(0, size_t(m)) + utStringRepeat("1", 32 - m); }),
                         Octec);
    });
}

std::string clsIPAddy::HostAddress_AsBinary() const
{
    return Function<std::string>("clsIPAddy.HostAddress_AsBinary()", [&](std::string& r) {
        const int m = subnetBits_;
        r = kept(HostBits,
                 [&] { return utStringBinaryAnd(IP_AsBinary(0), utStringRepeat("0", m) + utStringRepeat("1", 32 - m)); });
    });
}

std::string clsIPAddy::SubnetNumber_AsBinary() const
{
    return Function<std::string>("clsIPAddy.SubnetNumber_AsBinary()", [&](std::string& r) {
        r = kept(SubnetFieldBits, [&] {
            const int m = subnetBits_;
            const int c = ClassBits();
            // With m < c the field mask has no ones and runs past 32 digits:
            // the AND then clears every bit, and the field reads as 32 zeros.
            const std::string fieldMask =
                utStringRepeat("0", c) + utStringRepeat("1", m - c) + utStringRepeat("0", 32 - m);
            return utStringBinaryAnd(IP_AsBinary(0), fieldMask);
        });
    });
}

double clsIPAddy::utStringBinaryToDec(const std::string& text) const
{
    return Function<double>("clsIPAddy.utStringBinaryToDec()", [&](double& r) { r = binarytext::toDec(text); });
}

std::string clsIPAddy::utStringDecToBinary(double value) const
{
    return Function<std::string>("clsIPAddy.utStringDecToBinary()",
                                 [&](std::string& r) { r = binarytext::fromDec(value); });
}

std::string clsIPAddy::IPAddyDotsAdd(const std::string& IPAddy_Binary) const
{
    return Function<std::string>("clsIPAddy.IPAddyDotsAdd()",
                                 [&](std::string& r) { r = binarytext::dotsAdd(IPAddy_Binary); });
}

std::string clsIPAddy::utStringBinaryAnd(const std::string& BinaryNumber, const std::string& BinaryMask) const
{
    return Function<std::string>("clsIPAddy.utStringBinaryAnd()",
                                 [&](std::string& r) { r = binarytext::binaryAnd(BinaryNumber, BinaryMask); });
}

bool clsIPAddy::IsPrivateAddress() const
{
    return Function<bool>("clsIPAddy.IsPrivateAddress()", [&](bool& r) {
        const int o1 = IPAddress(1);
        const int o2 = IPAddress(2);
        r = addressclass::IsPrivate(o1, o2);
    });
}

bool clsIPAddy::IsLoopbackAddress() const
{
    return Function<bool>("clsIPAddy.IsLoopbackAddress()", [&](bool& r) { r = addressclass::IsLoopback(IPAddress(1)); });
}
