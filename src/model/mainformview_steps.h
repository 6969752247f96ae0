#pragma once
// The refresh steps, written once for any model with the address model's
// reads. The window uses them with clsIPAddy (mainformview.cpp); tests also run
// them on a model that fails at a chosen read.
#include "errors/procedure.h"
#include "model/binaryfield.h"
#include "model/mainformview.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace mainform {

// Counts and numbers are whole numbers held in doubles.
inline QString N(double value)
{
    return QString::number(qint64(value));
}

inline double Pow2(int exponent)
{
    return std::ldexp(1.0, exponent);
}

// True when text is exactly count copies of digit.
inline bool IsRunOf(const QString& text, int count, QChar digit)
{
    if (text.size() != count)
        return false;
    return std::all_of(text.begin(), text.end(), [digit](QChar ch) { return ch == digit; });
}

template <typename OctetRead> QString Dotted(OctetRead read)
{
    QString s = N(read(1));
    for (int k = 2; k <= 4; ++k) {
        s += QLatin1Char('.');
        s += N(read(k));
    }
    return s;
}

// The four octets of a 32-digit text in dotted decimal, each converted by the model.
template <typename Model> QString DottedFromBits(const Model& ip, const QString& bits)
{
    return Dotted([&](int k) { return ip.utStringBinaryToDec(bits.mid((k - 1) * 8, 8)); });
}

inline void AppendFieldNotes(QString& label, const QString& field, int length)
{
    if (IsRunOf(field, length, QLatin1Char('1')))
        label += QStringLiteral(" (unusable - broadcast)");
    if (IsRunOf(field, length, QLatin1Char('0')))
        label += QStringLiteral(" (unusable - network)");
}

template <typename Model> void AdjustSubnetLinesSteps(const Model& ip, MainFormView& v)
{
    for (int r = 0; r < 6; ++r) {
        BarGeometry& net = v.shapeMaskBits[size_t(3 * r)];
        BarGeometry& sub = v.shapeMaskBits[size_t(3 * r + 1)];
        BarGeometry& host = v.shapeMaskBits[size_t(3 * r + 2)];
        const int cls = ip.Class();
        const int d1 = cls == 2 ? 1 : cls == 3 ? 2 : 0;
        const int c = ip.ClassBits();
        const int m = ip.SubnetBits();
        if (m < c) {
            // The mask ends inside the class's network part: the green bar
            // underlines the mask's bits, no subnet bar, the host bar the rest.
            net.width = m * kDigitTwips + ((m - 1) / 8) * kDotTwips;
            sub.left = net.left + m * kDigitTwips + (m / 8) * kDotTwips;
            sub.width = 0;
            host.left = sub.left;
            host.width = net.left + kRowBarsWidth + kDotTwips - host.left;
            continue;
        }
        net.width = c * kDigitTwips + d1 * kDotTwips;
        sub.left = net.left + net.width + kDotTwips;
        const int s = m - ip.ClassBits();
        const int d2 = s <= 8 ? 0 : s <= 16 ? 1 : 2;
        sub.width = s * kDigitTwips + d2 * kDotTwips;
        host.left = sub.left + sub.width;
        host.width = kRowBarsWidth - (net.width + sub.width);
    }
}

template <typename Model> void AdjustSubnetLines(const Model& ip, MainFormView& v)
{
    errors::Procedure(QStringLiteral("frmMain.AdjustSubnetLines()"), [&] { AdjustSubnetLinesSteps(ip, v); });
}

template <typename Model> void UpdateFormSteps(const Model& ip, MainFormView& v)
{
    // The spin control's numeric property set first on every refresh has no
    // counterpart to compute here.
    v.lblValues[0] = ip.IPAddyDotsAdd(ip.IP_AsBinary(0));
    v.lblValues[11] = Dotted([&](int k) { return ip.IPAddress(k); });
    v.lblValues[1] = ip.IPAddyDotsAdd(ip.Subnet_AsBinary(0));
    v.lblValues[12] = ip.SubnetMask(0);
    v.lblValues[2] = ip.IPAddyDotsAdd(ip.NetworkAddress_AsBinary(0));
    v.lblValues[13] = Dotted([&](int k) { return ip.NetworkAddress(k); }) + QStringLiteral(" (network)");
    v.lblValues[21] = ip.IPAddyDotsAdd(ip.BroadcastAddress_AsBinary(0));
    v.lblValues[17] = Dotted([&](int k) { return ip.BroadcastAddress(k); }) + QStringLiteral(" (broadcast)");
    v.lblValues[3] = ip.IPAddyDotsAdd(ip.HostAddress_AsBinary());
    v.lblValues[14] = QStringLiteral("Host: ") + N(ip.HostAddress());
    {
        const int h = 32 - ip.SubnetBits();
        AppendFieldNotes(v.lblValues[14], ip.IP_AsBinary(0).right(h), h);
    }

    {
        const int m = ip.SubnetBits();
        const int c = ip.ClassBits();
        v.subnetted = m > c;
        v.supernet = m < c;
        if (v.subnetted) {
            v.lblValues[4] = ip.IPAddyDotsAdd(ip.SubnetNumber_AsBinary());
            v.lblValues[15] = QStringLiteral("Subnet: ") + N(ip.SubnetNumber());
            AppendFieldNotes(v.lblValues[15], ip.IP_AsBinary(0).mid(c, m - c), m - c);
        } else {
            v.lblValues[4] = QString();
            v.lblValues[15] = v.supernet ? QStringLiteral("Supernet: mask < class ") + ip.ClassName()
                                         : QStringLiteral("Not subnetted");
        }
    }

    {
        const int m = ip.SubnetBits();
        const int c = ip.ClassBits();
        const int s = m - c;
        if (s > 0) {
            v.lblValues[5] = N(Pow2(s)) + QStringLiteral(" total, ") + N(Pow2(s) - 2) + QStringLiteral(" usable.");
            v.tipValues5 = QStringLiteral("2^BitsForSubnet - 2");
        } else if (s < 0) {
            const QString networks =
                N(Pow2(-s)) + QStringLiteral(" class ") + ip.ClassName() + QStringLiteral(" networks");
            v.lblValues[5] = QStringLiteral("Supernet of ") + networks;
            v.tipValues5 = QStringLiteral("The mask is ") + N(-s) + QStringLiteral(" bits shorter than the class's ") +
                           N(c) + QStringLiteral(" network bits: the network joins ") + networks +
                           QStringLiteral(" and has no subnets.");
        } else {
            v.lblValues[5] = QStringLiteral("Not subnetted");
            v.tipValues5 = QString();
        }
    }

    {
        const int h = 32 - ip.SubnetBits();
        v.lblValues[6] = N(Pow2(h)) + QStringLiteral(" total, ") + N(Pow2(h) - 2) + QStringLiteral(" usable.");
        v.tipValues6 = QStringLiteral("2^BitsForHosts - 2");
    }

    {
        QString cls = ip.ClassName();
        if (ip.IsPrivateAddress())
            cls += QStringLiteral(" (private)");
        if (ip.IsLoopbackAddress())
            cls += QStringLiteral(" (loopback)");
        v.lblValues[7] = cls;
    }

    {
        const int c = ip.ClassBits();
        const int m = ip.SubnetBits();
        v.lblValues[8] = N(c) + QStringLiteral(" bits.");
        v.lblValues[9] = m < c ? QStringLiteral("0 bits (supernet).") : N(m - c) + QStringLiteral(" bits.");
        v.lblValues[10] = N(32 - m) + QStringLiteral(" bits.");
    }

    {
        const int m = ip.SubnetBits();
        const int c = ip.ClassBits();
        const double hostsPerSubnet = Pow2(32 - m) - 2;
        const double usable = m > c ? (Pow2(m - c) - 2) * hostsPerSubnet : hostsPerSubnet;
        // The share is of the whole network's usable addresses: the class
        // network, or the joined networks when the mask is shorter.
        const double share = usable / (Pow2(32 - std::min(m, c)) - 2);
        v.lblValues[16] =
            N(usable) + QStringLiteral(" (") + FormatShare(share, QLocale().decimalPoint()) + QLatin1Char(')');
        v.tipValues16 = QStringLiteral("Usable Subnets * Usable Hosts per Subnet");
    }

    {
        const int m = ip.SubnetBits();
        const int h = 32 - m;
        if (Pow2(h) - 2 <= 0) {
            v.lblSubnetRange = QStringLiteral("This subnet has no usable hosts.");
        } else {
            const QString first = BinaryAddValue(ip.NetworkAddress_AsBinary(0), 1, m + 1, h);
            v.lblSubnetRange =
                QStringLiteral("This subnet uses address from ") + DottedFromBits(ip, first) + QStringLiteral(" to ");
            const QString last = BinaryAddValue(ip.BroadcastAddress_AsBinary(0), -1, m + 1, h);
            v.lblSubnetRange += DottedFromBits(ip, last);
        }
    }

    AdjustSubnetLines(ip, v);
}

template <typename Model> void UpdateForm(const Model& ip, MainFormView& v)
{
    errors::Procedure(QStringLiteral("frmMain.UpdateForm()"), [&] { UpdateFormSteps(ip, v); });
}

} // namespace mainform
