#pragma once
#include "model/binarytext.h"

#include <QString>

// One IPv4 address with a mask length. Only the four octets and the mask
// length are stored; every other value is worked out on texts of binary
// digits. Reads and writes of one name are overloads (IPAddress(k) reads,
// IPAddress(k, v) writes).
class clsIPAddy {
public:
    clsIPAddy();

    QString SubnetMask(int Octec) const;
    int NetworkAddress(int Octec) const;
    int BroadcastAddress(int Octec) const;
    void IPAddress(int Octec, int IP);
    double HostAddress() const;
    double SubnetNumber() const;
    int SubnetBits() const;
    void SubnetBits(int NumberOfBits);
    int IPAddress(int Octec) const;
    int Class() const;
    QString ClassName() const;
    int ClassBits() const;
    QString IP_AsBinary(int Octec = 0) const { return ipBits(Octec).toQString(); }
    QString Subnet_AsBinary(int Octec = 0) const { return maskBits(Octec).toQString(); }
    QString NetworkAddress_AsBinary(int Octec = 0) const { return networkBits(Octec).toQString(); }
    QString BroadcastAddress_AsBinary(int Octec = 0) const { return broadcastBits(Octec).toQString(); }
    QString HostAddress_AsBinary() const { return hostBits().toQString(); }
    QString SubnetNumber_AsBinary() const { return subnetNumberBits().toQString(); }
    double utStringBinaryToDec(const QString& text) const;
    QString utStringDecToBinary(double value) const { return decToBinary(value).toQString(); }
    QString IPAddyDotsAdd(const QString& IPAddy_Binary) const;
    // The same reads written into a text the caller keeps, reusing its
    // storage: a refresh writes a dozen such texts.
    void IP_AsBinary(int Octec, QString& into) const { binarytext::assign(ipBits(Octec), into); }
    void Subnet_AsBinary(int Octec, QString& into) const { binarytext::assign(maskBits(Octec), into); }
    void NetworkAddress_AsBinary(int Octec, QString& into) const { binarytext::assign(networkBits(Octec), into); }
    void BroadcastAddress_AsBinary(int Octec, QString& into) const { binarytext::assign(broadcastBits(Octec), into); }
    void HostAddress_AsBinary(QString& into) const { binarytext::assign(hostBits(), into); }
    void SubnetNumber_AsBinary(QString& into) const { binarytext::assign(subnetNumberBits(), into); }
    void IPAddyDotsAdd(const QString& IPAddy_Binary, QString& into) const;
    QString utStringBinaryAnd(const QString& BinaryNumber, const QString& BinaryMask) const;
    bool IsPrivateAddress() const;
    bool IsLoopbackAddress() const;

private:
    // The members above pass their texts to each other in this form; each
    // registers under the same name as the public member it serves.
    using Bits = binarytext::Bits;
    Bits ipBits(int Octec) const;
    Bits maskBits(int Octec) const;
    Bits networkBits(int Octec) const;
    Bits broadcastBits(int Octec) const;
    Bits hostBits() const;
    Bits subnetNumberBits() const;
    double binaryToDec(const Bits& text) const;
    Bits decToBinary(double value) const;
    Bits binaryAnd(const Bits& number, const Bits& mask) const;

    double octets_[5] = {0, 192, 168, 1, 1}; // indexed 1 to 4
    int subnetBits_ = 24;

    // The whole texts (and the class) of the reads that others nest most
    // often, kept from their first read until the next write. A refresh reads
    // them by the dozen; this keeps it cheap enough to report hundreds of
    // thousands of addresses a second. Each read still registers itself;
    // only the reads nested inside it whose results are kept are skipped, the
    // read taking what it needs straight from the kept texts. That is
    // invisible while no trace is written, as those reads cannot fail. With
    // the trace on every read is worked out afresh, so the trace lists every
    // nested read.
    struct Memo {
        enum Slot : unsigned {
            Ip = 1,
            Mask = 2,
            Network = 4,
            Broadcast = 8,
            Host = 16,
            SubnetNumber = 32,
            ClassValue = 64
        };
        unsigned held = 0;
        Bits ip, mask, network, broadcast, host, subnetNumber;
        int cls = 0;
    };
    mutable Memo memo_;
    bool isKept(Memo::Slot slot) const;
    // The kept text of slot, worked out by compute first (with its nested
    // reads) when it is not kept or the trace is on.
    template <typename Compute> const Bits& keep(Memo::Slot slot, Bits& text, Compute compute) const;
    void markKept(Memo::Slot slot) const { memo_.held |= slot; }
    void forget() { memo_.held = 0; }
};
