#pragma once
// The window's refresh as reads of the model, written once for any model with
// the address model's reads: the window reads clsIPAddy, and tests a model
// whose reads fail where they choose.
#include "errors/procedure.h"
#include "model/addressclass.h"
#include "model/binaryfield.h"
#include "model/dotted.h"
#include "model/factsrefresh.h"
#include "model/masklength.h"
#include "model/subnetfacts.h"
#include "platform/runtimeerror.h"

#include <string>
#include <string_view>

namespace subnetfacts {

// Everything that follows from M and C alone.
void setCounts(SubnetFacts& f, int m, int c);
FieldNote noteOf(std::string_view field);

// A read failed (and reported it) or gave a value it cannot give: the
// refresh ends there without reporting it again.
struct ReadFailed {};

inline int checked(int value, int low, int high)
{
    if (value < low || value > high)
        throw ReadFailed{};
    return value;
}

inline std::uint32_t bitsValue(const std::string& bits)
{
    if (bits.size() != 32)
        throw ReadFailed{};
    std::uint32_t v = 0;
    for (char digit : bits) {
        if (digit != '0' && digit != '1')
            throw ReadFailed{};
        v = v << 1 | std::uint32_t(digit == '1');
    }
    return v;
}

template <typename OctetRead> std::uint32_t octetsValue(OctetRead read)
{
    std::uint32_t v = 0;
    for (int k = 1; k <= 4; ++k)
        v = v << 8 | std::uint32_t(checked(read(k), 0, 255));
    return v;
}

inline std::uint32_t dottedValue(const std::string& text)
{
    const auto v = dotted::Parse(text);
    if (!v)
        throw ReadFailed{};
    return *v;
}

template <typename Model> void Read(const Model& ip, FactsRefresh& refresh)
{
    using Field = FactsRefresh::Field;
    errors::Procedure("frmMain.UpdateForm()", [&] {
        // A read that fails reports its error and goes on with an empty value;
        // the refresh keeps what it had up to the field that read was for, so
        // no field shows a value made up from it.
        clsErrHandler& eh = gErrHandler();
        eh.Clear();
        SubnetFacts f = refresh.facts;
        refresh.reached = 0;
        const auto done = [&](Field field) {
            if (eh.IsError())
                throw ReadFailed{};
            refresh.reached = field + 1;
            refresh.facts = f;
        };
        const auto maskBits = [&] { return checked(ip.SubnetBits(), masklength::kModelMin, masklength::kModelMax); };
        const auto classBits = [&] {
            return checked(ip.ClassBits(), addressclass::kFewestBits, addressclass::kMostBits);
        };
        // The field of the address's bits after `from`, `length` long.
        const auto addressNote = [&](int from, int length) {
            const std::string address = ip.IP_AsBinary(0);
            bitsValue(address);
            return noteOf(std::string_view(address).substr(size_t(from), size_t(length)));
        };
        try {
            f.address = bitsValue(ip.IP_AsBinary(0));
            done(Field::IpBinary);
            f.address = octetsValue([&](int k) { return ip.IPAddress(k); });
            done(Field::Ip);
            f.mask = bitsValue(ip.Subnet_AsBinary(0));
            done(Field::MaskBinary);
            f.mask = dottedValue(ip.SubnetMask(0));
            done(Field::Mask);
            f.network = bitsValue(ip.NetworkAddress_AsBinary(0));
            done(Field::NetworkBinary);
            f.network = octetsValue([&](int k) { return ip.NetworkAddress(k); });
            done(Field::Network);
            f.broadcast = bitsValue(ip.BroadcastAddress_AsBinary(0));
            done(Field::BroadcastBinary);
            f.broadcast = octetsValue([&](int k) { return ip.BroadcastAddress(k); });
            done(Field::Broadcast);
            f.hostNumber = bitsValue(ip.HostAddress_AsBinary());
            done(Field::HostBinary);
            f.hostNumber = std::uint32_t(ip.HostAddress());
            {
                const int m = maskBits();
                f.hostNote = addressNote(m, 32 - m);
            }
            done(Field::Host);

            const int m = maskBits();
            const int c = classBits();
            setCounts(f, m, c);
            f.subnetNumber = 0;
            f.subnetNote = FieldNote::None;
            if (f.subnetted)
                f.subnetNumber = bitsValue(ip.SubnetNumber_AsBinary()) >> f.hostBits;
            done(Field::SubnetBinary);
            if (f.subnetted) {
                f.subnetNumber = std::uint32_t(ip.SubnetNumber());
                f.subnetNote = addressNote(c, m - c);
            }
            done(Field::Subnet);
            setCounts(f, maskBits(), classBits());
            done(Field::Subnets);
            setCounts(f, maskBits(), classBits());
            done(Field::HostsPerSubnet);
            const std::string className = ip.ClassName();
            if (className.size() != 1)
                throw ReadFailed{};
            f.classLetter = className[0];
            f.isPrivate = ip.IsPrivateAddress();
            f.isLoopback = ip.IsLoopbackAddress();
            done(Field::Class);
            setCounts(f, maskBits(), classBits());
            done(Field::BitCounts);
            setCounts(f, maskBits(), classBits());
            done(Field::Usable);
            if (f.hasUsableHosts) {
                // One more than the network address and one less than the
                // broadcast address, in the host field.
                const auto step = [&](const std::string& bits, int amount) {
                    bitsValue(bits);
                    return bitsValue(BinaryAddValue(bits, amount, f.maskBits + 1, f.hostBits));
                };
                f.firstUsable = step(ip.NetworkAddress_AsBinary(0), +1);
                f.lastUsable = step(ip.BroadcastAddress_AsBinary(0), -1);
            }
            done(Field::Range);
        } catch (const ReadFailed&) {
            return;
        }
        errors::Procedure("frmMain.AdjustSubnetLines()", [&] {
            try {
                // Every row reads the class and the mask length for itself.
                for (int row = 0; row < 6; ++row) {
                    checked(ip.Class(), 1, addressclass::kClassCount);
                    setCounts(f, maskBits(), classBits());
                }
                done(Field::Bars);
            } catch (const ReadFailed&) {
            }
        });
    });
}

} // namespace subnetfacts
