#pragma once
// The refresh steps, written once for any model with the address model's
// reads. The window uses them with clsIPAddy (mainformview.cpp); tests also run
// them on a model that fails at a chosen read.
#include "errors/procedure.h"
#include "model/binaryfield.h"
#include "model/mainformview.h"

#include <QLocale>
#include <QStringView>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <optional>

namespace mainform {

inline double Pow2(int exponent)
{
    return exponent >= 0 && exponent < 64 ? double(quint64(1) << exponent) : std::ldexp(1.0, exponent);
}

// A label text assembled in place and then copied into the label, reusing the
// label's storage when it can: a refresh writes two dozen texts and should not
// allocate for each.
class Text {
public:
    // Literals only: their length is known where they are written.
    template <size_t N> Text& operator<<(const char (&ascii)[N])
    {
        constexpr qsizetype n = qsizetype(N) - 1;
        const qsizetype at = buf_.size();
        buf_.resize(at + n);
        std::copy_n(ascii, n, buf_.data() + at);
        return *this;
    }
    Text& operator<<(QChar ch)
    {
        buf_.append(ch.unicode());
        return *this;
    }
    Text& operator<<(const QString& s)
    {
        buf_.append(reinterpret_cast<const char16_t*>(s.constData()), s.size());
        return *this;
    }
    // A count or number: a whole number, plain decimal with a leading minus.
    Text& number(double whole)
    {
        const qint64 v = qint64(whole);
        quint64 u = v < 0 ? 0 - quint64(v) : quint64(v);
        char16_t digits[24];
        char16_t* p = digits + 24;
        // Most counts fit 32 bits, whose division by ten is the cheaper.
        for (; u > 0xFFFFFFFFu; u /= 10)
            *--p = char16_t(u'0' + u % 10);
        // Two digits per division: a refresh writes about a hundred digits.
        static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                         "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                         "8081828384858687888990919293949596979899";
        quint32 w = quint32(u);
        for (; w >= 100; w /= 100) {
            const quint32 pair = 2 * (w % 100);
            p -= 2;
            p[0] = char16_t(kPairs[pair]);
            p[1] = char16_t(kPairs[pair + 1]);
        }
        if (w >= 10) {
            p -= 2;
            p[0] = char16_t(kPairs[2 * w]);
            p[1] = char16_t(kPairs[2 * w + 1]);
        } else {
            *--p = char16_t(u'0' + w);
        }
        if (v < 0)
            *--p = u'-';
        buf_.append(p, digits + 24 - p);
        return *this;
    }
    void writeTo(QString& label) const
    {
        const qsizetype n = buf_.size();
        if (label.isDetached() && label.capacity() >= n) {
            if (label.size() != n)
                label.resize(n);
            std::copy(buf_.begin(), buf_.end(), reinterpret_cast<char16_t*>(label.data()));
        } else {
            label = QString(reinterpret_cast<const QChar*>(buf_.data()), n);
        }
    }

private:
    QVarLengthArray<char16_t, 256> buf_;
};

// True when text is exactly count copies of digit.
inline bool IsRunOf(QStringView text, int count, QChar digit)
{
    if (text.size() != count)
        return false;
    return std::all_of(text.begin(), text.end(), [digit](QChar ch) { return ch == digit; });
}

template <typename OctetRead> Text& AppendDotted(Text& t, OctetRead read)
{
    t.number(read(1));
    for (int k = 2; k <= 4; ++k) {
        t << QChar(u'.');
        t.number(read(k));
    }
    return t;
}
template <typename OctetRead> Text& AppendDotted(Text&& t, OctetRead read)
{
    return AppendDotted(t, read);
}

// The four octets of a 32-digit text in dotted decimal, each converted by the model.
template <typename Model> Text& AppendDottedFromBits(Text& t, const Model& ip, const QString& bits)
{
    return AppendDotted(t, [&](int k) {
        const qsizetype from = (k - 1) * 8;
        // The octet is passed without copying it out of the text.
        const QString octet =
            bits.size() >= from + 8 ? QString::fromRawData(bits.constData() + from, 8) : bits.mid(from, 8);
        return ip.utStringBinaryToDec(octet);
    });
}

inline void AppendFieldNotes(Text& label, QStringView field, int length)
{
    if (IsRunOf(field, length, u'1'))
        label << " (unusable - broadcast)";
    if (IsRunOf(field, length, u'0'))
        label << " (unusable - network)";
}

// "00.00%" into a text.
void AppendShare(Text& t, double share, const QString& decimalPoint);

// The reads a refresh repeats step after step: the class, the mask length and
// the address bits. While no trace is written each is made once and its value
// reused, as the model cannot change during the refresh; with the trace on
// every step makes its own reads, so the trace lists each of them.
template <typename Model> class RepeatedReads {
public:
    explicit RepeatedReads(const Model& ip) : ip_(ip), everyTime_(gErrHandler().TraceExecution()) {}

    int Class() { return once(class_, [this] { return ip_.Class(); }); }
    int ClassBits() { return once(classBits_, [this] { return ip_.ClassBits(); }); }
    int SubnetBits() { return once(subnetBits_, [this] { return ip_.SubnetBits(); }); }
    QString ClassName() { return once(className_, [this] { return ip_.ClassName(); }); }
    QString IP_AsBinary() { return once(ipBits_, [this] { return ip_.IP_AsBinary(0); }); }

private:
    template <typename T, typename Read> T once(std::optional<T>& kept, Read read)
    {
        if (everyTime_)
            return read();
        if (!kept)
            kept = read();
        return *kept;
    }
    const Model& ip_;
    const bool everyTime_;
    std::optional<int> class_, classBits_, subnetBits_;
    std::optional<QString> className_, ipBits_;
};

template <typename Model> void AdjustSubnetLinesSteps(const Model& ip, MainFormView& v)
{
    RepeatedReads<Model> reads(ip);
    for (int r = 0; r < 6; ++r) {
        BarGeometry& net = v.shapeMaskBits[size_t(3 * r)];
        BarGeometry& sub = v.shapeMaskBits[size_t(3 * r + 1)];
        BarGeometry& host = v.shapeMaskBits[size_t(3 * r + 2)];
        const int cls = reads.Class();
        const int d1 = cls == 2 ? 1 : cls == 3 ? 2 : 0;
        const int c = reads.ClassBits();
        const int m = reads.SubnetBits();
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
        const int s = m - reads.ClassBits();
        const int d2 = s <= 8 ? 0 : s <= 16 ? 1 : 2;
        sub.width = s * kDigitTwips + d2 * kDotTwips;
        host.left = sub.left + sub.width;
        host.width = kRowBarsWidth - (net.width + sub.width);
    }
}

template <typename Model> void AdjustSubnetLines(const Model& ip, MainFormView& v)
{
    errors::Procedure("frmMain.AdjustSubnetLines()", [&] { AdjustSubnetLinesSteps(ip, v); });
}

template <typename Model> void UpdateFormSteps(const Model& ip, MainFormView& v)
{
    // The spin control's numeric property set first on every refresh has no
    // counterpart to compute here.
    RepeatedReads<Model> reads(ip);
    // The binary rows are read into one text and dotted into their labels,
    // both reusing their storage from row to row and refresh to refresh.
    QString bits;
    ip.IPAddyDotsAdd(reads.IP_AsBinary(), v.lblValues[0]);
    AppendDotted(Text(), [&](int k) { return ip.IPAddress(k); }).writeTo(v.lblValues[11]);
    ip.Subnet_AsBinary(0, bits);
    ip.IPAddyDotsAdd(bits, v.lblValues[1]);
    v.lblValues[12] = ip.SubnetMask(0);
    ip.NetworkAddress_AsBinary(0, bits);
    ip.IPAddyDotsAdd(bits, v.lblValues[2]);
    (AppendDotted(Text(), [&](int k) { return ip.NetworkAddress(k); }) << " (network)").writeTo(v.lblValues[13]);
    ip.BroadcastAddress_AsBinary(0, bits);
    ip.IPAddyDotsAdd(bits, v.lblValues[21]);
    (AppendDotted(Text(), [&](int k) { return ip.BroadcastAddress(k); }) << " (broadcast)").writeTo(v.lblValues[17]);
    ip.HostAddress_AsBinary(bits);
    ip.IPAddyDotsAdd(bits, v.lblValues[3]);
    {
        Text host;
        (host << "Host: ").number(ip.HostAddress());
        host.writeTo(v.lblValues[14]);
        const int h = 32 - reads.SubnetBits();
        const QString address = reads.IP_AsBinary();
        AppendFieldNotes(host, QStringView(address).right(h), h);
        host.writeTo(v.lblValues[14]);
    }

    {
        const int m = reads.SubnetBits();
        const int c = reads.ClassBits();
        v.subnetted = m > c;
        v.supernet = m < c;
        if (v.subnetted) {
            ip.SubnetNumber_AsBinary(bits);
            ip.IPAddyDotsAdd(bits, v.lblValues[4]);
            Text subnet;
            (subnet << "Subnet: ").number(ip.SubnetNumber());
            subnet.writeTo(v.lblValues[15]);
            const QString address = reads.IP_AsBinary();
            AppendFieldNotes(subnet, QStringView(address).mid(c, m - c), m - c);
            subnet.writeTo(v.lblValues[15]);
        } else {
            v.lblValues[4] = QString();
            Text subnet;
            if (v.supernet)
                subnet << "Supernet: mask < class " << reads.ClassName();
            else
                subnet << "Not subnetted";
            subnet.writeTo(v.lblValues[15]);
        }
    }

    {
        const int m = reads.SubnetBits();
        const int c = reads.ClassBits();
        const int s = m - c;
        Text subnets;
        Text tip;
        if (s > 0) {
            subnets.number(Pow2(s)) << " total, ";
            subnets.number(Pow2(s) - 2) << " usable.";
        } else if (s < 0) {
            const QString cls = reads.ClassName();
            (subnets << "Supernet of ").number(Pow2(-s)) << " class " << cls << " networks";
            (tip << "The mask is ").number(-s) << " bits shorter than the class's ";
            tip.number(c) << " network bits: the network joins ";
            tip.number(Pow2(-s)) << " class " << cls << " networks and has no subnets.";
        } else {
            subnets << "Not subnetted";
        }
        subnets.writeTo(v.lblValues[5]);
        // The fixed tooltips are shared texts rather than copies.
        if (s > 0)
            v.tipValues5 = QStringLiteral("2^BitsForSubnet - 2");
        else
            tip.writeTo(v.tipValues5);
    }

    {
        const int h = 32 - reads.SubnetBits();
        Text hosts;
        hosts.number(Pow2(h)) << " total, ";
        hosts.number(Pow2(h) - 2) << " usable.";
        hosts.writeTo(v.lblValues[6]);
        v.tipValues6 = QStringLiteral("2^BitsForHosts - 2");
    }

    {
        Text cls;
        cls << reads.ClassName();
        if (ip.IsPrivateAddress())
            cls << " (private)";
        if (ip.IsLoopbackAddress())
            cls << " (loopback)";
        cls.writeTo(v.lblValues[7]);
    }

    {
        const int c = reads.ClassBits();
        const int m = reads.SubnetBits();
        (Text().number(c) << " bits.").writeTo(v.lblValues[8]);
        if (m < c)
            (Text() << "0 bits (supernet).").writeTo(v.lblValues[9]);
        else
            (Text().number(m - c) << " bits.").writeTo(v.lblValues[9]);
        (Text().number(32 - m) << " bits.").writeTo(v.lblValues[10]);
    }

    {
        const int m = reads.SubnetBits();
        const int c = reads.ClassBits();
        const double hostsPerSubnet = Pow2(32 - m) - 2;
        const double usable = m > c ? (Pow2(m - c) - 2) * hostsPerSubnet : hostsPerSubnet;
        // The share is of the whole network's usable addresses: the class
        // network, or the joined networks when the mask is shorter.
        const double share = usable / (Pow2(32 - std::min(m, c)) - 2);
        Text text;
        text.number(usable) << " (";
        // The system's decimal separator: QLocale() is the system locale
        // unless a default was set (the tests pin C).
        AppendShare(text, share, QLocale().decimalPoint());
        text << QChar(u')');
        text.writeTo(v.lblValues[16]);
        v.tipValues16 = QStringLiteral("Usable Subnets * Usable Hosts per Subnet");
    }

    {
        const int m = reads.SubnetBits();
        const int h = 32 - m;
        Text range;
        if (Pow2(h) - 2 <= 0) {
            range << "This subnet has no usable hosts.";
            range.writeTo(v.lblSubnetRange);
        } else {
            range << "This subnet uses address from ";
            ip.NetworkAddress_AsBinary(0, bits);
            AppendDottedFromBits(range, ip, BinaryAddValue(bits, 1, m + 1, h)) << " to ";
            range.writeTo(v.lblSubnetRange);
            ip.BroadcastAddress_AsBinary(0, bits);
            AppendDottedFromBits(range, ip, BinaryAddValue(bits, -1, m + 1, h));
            range.writeTo(v.lblSubnetRange);
        }
    }

    AdjustSubnetLines(ip, v);
}

template <typename Model> void UpdateForm(const Model& ip, MainFormView& v)
{
    errors::Procedure("frmMain.UpdateForm()", [&] { UpdateFormSteps(ip, v); });
}

} // namespace mainform
