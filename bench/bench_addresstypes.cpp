// The address-type lookup over random addresses, a quarter of them in the
// crowded blocks (192.0.0.0/24, 2001::/23) where the search climbs furthest.
#include "model/addresstypes.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

void BM_Lookup4(benchmark::State& state)
{
    std::mt19937 random(4);
    std::vector<std::uint32_t> addresses(4096);
    for (size_t i = 0; i < addresses.size(); ++i)
        addresses[i] = i % 4 == 0 ? 0xC0000000 | (random() & 0xFF) : std::uint32_t(random());
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(specialpurpose::Lookup4(addresses[i++ & 4095]));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Lookup4);

void BM_Lookup6(benchmark::State& state)
{
    std::mt19937_64 random(6);
    std::vector<net::uint128> addresses(4096);
    for (size_t i = 0; i < addresses.size(); ++i) {
        const net::uint128 a = net::uint128(random()) << 64 | random();
        addresses[i] = i % 4 == 0 ? net::uint128(0x2001) << 112 | a >> 105 : a;
    }
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(specialpurpose::Lookup6(addresses[i++ & 4095]));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Lookup6);

} // namespace
