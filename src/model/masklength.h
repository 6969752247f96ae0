#pragma once
// The mask lengths each part of the program takes, stated once.
namespace masklength {

// What the address model keeps: shorter masks than 8 bits are not kept.
constexpr int kModelMin = 8;
constexpr int kModelMax = 32;
// What a user can choose for one address, in the window's mask-bits box and
// in the report: a /32 has no host field to show.
constexpr int kEntryMin = 8;
constexpr int kEntryMax = 31;
// A classless network takes 0 to its width (net::Network::validLength).

} // namespace masklength
