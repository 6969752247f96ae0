#pragma once
// The window's refresh: the facts it has read so far and how far it got. The
// facts alone say nothing of reads; only the window's refresh, which reads the
// address model field by field and may stop part-way, needs to know which of
// its fields are complete.
#include "model/subnetfacts.h"

struct FactsRefresh {
    // The fields in display order, each complete once `reached` has passed
    // it. A refresh that fails part-way leaves the later ones as the previous
    // refresh had them.
    enum Field : int {
        IpBinary, Ip, MaskBinary, Mask, NetworkBinary, Network, BroadcastBinary, Broadcast, HostBinary, Host,
        SubnetBinary, Subnet, Subnets, HostsPerSubnet, Class, BitCounts, Usable, Range, Bars, FieldCount
    };

    SubnetFacts facts;
    int reached = FieldCount;
    bool has(Field f) const { return reached > f; }
};
