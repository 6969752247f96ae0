#pragma once
#include <QString>

// One IPv4 address with a mask length. Only the four octets and the mask
// length are stored; every other value is worked out afresh, on texts of
// binary digits, at each read. Reads and writes of one name are overloads
// (IPAddress(k) reads, IPAddress(k, v) writes).
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
    QString IP_AsBinary(int Octec = 0) const;
    QString Subnet_AsBinary(int Octec = 0) const;
    QString NetworkAddress_AsBinary(int Octec = 0) const;
    QString BroadcastAddress_AsBinary(int Octec = 0) const;
    QString HostAddress_AsBinary() const;
    QString SubnetNumber_AsBinary() const;
    double utStringBinaryToDec(const QString& text) const;
    QString utStringDecToBinary(double value) const;
    QString IPAddyDotsAdd(const QString& IPAddy_Binary) const;
    QString utStringBinaryAnd(const QString& BinaryNumber, const QString& BinaryMask) const;
    bool IsPrivateAddress() const;
    bool IsLoopbackAddress() const;

private:
    double octets_[5] = {0, 192, 168, 1, 1}; // indexed 1 to 4
    int subnetBits_ = 24;
};
