#pragma once
// What one address with one mask length says about its network: numbers and
// flags only. The window and the terminal report each turn it into their own
// form (texts, bars, JSON).
#include <cstdint>

class clsIPAddy;
struct FactsRefresh;

// Why a host or subnet field cannot be used by a host.
enum class FieldNote { None, Broadcast, Network };

struct SubnetFacts {
    std::uint32_t address = 0;
    std::uint32_t mask = 0;
    std::uint32_t network = 0;
    std::uint32_t broadcast = 0;
    int maskBits = 0;  // M, the prefix length
    char classLetter = 'A';
    int classBits = 8; // C, the network bits of the class
    bool isPrivate = false;
    bool isLoopback = false;
    // The three portions of the 32 bits. A mask shorter than the class
    // (a supernet) has M network bits and no subnet bits.
    int networkBits = 0;
    int subnetBits = 0;
    int hostBits = 0;
    bool subnetted = false; // M > C
    bool supernet = false;  // M < C
    // Values of the host field and of the subnet field (0 when not subnetted).
    std::uint32_t hostNumber = 0;
    std::uint32_t subnetNumber = 0;
    FieldNote hostNote = FieldNote::None;
    FieldNote subnetNote = FieldNote::None;
    // Counts; usableSubnets is 2^S - 2 and only meaningful when subnetted.
    std::int64_t totalSubnets = 1;
    std::int64_t usableSubnets = 0;
    std::int64_t totalHosts = 0;
    std::int64_t usableHosts = 0;
    std::int64_t usableAddresses = 0;
    // Usable addresses over the usable addresses of the whole class network
    // (of the joined networks for a supernet): 0 to 1.
    double usableShare = 0;
    // Class networks a supernet joins (1 otherwise).
    std::int64_t joinedNetworks = 1;
    bool hasUsableHosts = false;
    std::uint32_t firstUsable = 0;
    std::uint32_t lastUsable = 0;

    // The host bits, the mask's complement (as access lists write it).
    constexpr std::uint32_t wildcard() const { return ~mask; }
};

// The facts of the address's network by its class, M from 8 to 32 (the
// model's mask lengths; others are taken as the nearest of them).
SubnetFacts ComputeSubnetFacts(std::uint32_t address, int maskBits);

// The facts read from the model, in display order, every read registering on
// the procedure stack; runs as the window's refresh ("frmMain.UpdateForm()")
// and places the bars as "frmMain.AdjustSubnetLines()". After a reported error
// the fields not reached keep what `refresh` held.
void ReadSubnetFacts(const clsIPAddy& model, FactsRefresh& refresh);
