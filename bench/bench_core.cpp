// Cost of the procedure stack and of one refresh's worth of model reads,
// next to the same values worked out with plain 32-bit integer arithmetic.
#include "errors/clserrhandler.h"
#include "model/clsipaddy.h"

#include <QString>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

namespace {

// The addresses the benchmarks cycle through: every class, several masks.
struct Sample {
    int octets[4];
    int bits;
};
constexpr Sample samples[] = {
    {{192, 168, 1, 1}, 24}, {{172, 16, 5, 10}, 20},     {{10, 1, 2, 3}, 16}, {{192, 168, 1, 77}, 26},
    {{224, 0, 0, 1}, 24},   {{255, 255, 255, 255}, 31}, {{127, 0, 0, 1}, 8}, {{130, 200, 17, 99}, 27},
};
constexpr size_t sampleCount = sizeof(samples) / sizeof(samples[0]);

void BM_PushPop(benchmark::State& state)
{
    clsErrHandler& eh = gErrHandlerRenew();
    const std::string_view name = "frmMain.UpdateForm()";
    for (auto _ : state) {
        eh.Push(name);
        eh.Pop();
    }
    benchmark::DoNotOptimize(eh.StackDepth());
}
BENCHMARK(BM_PushPop);

// Every model read one refresh of the main window makes, in its order.
void readAllFromModel(const clsIPAddy& ip, int64_t& sink)
{
    QString row;
    row = ip.IPAddyDotsAdd(ip.IP_AsBinary(0));
    sink += row.size();
    for (int k = 1; k <= 4; ++k)
        sink += ip.IPAddress(k);
    row = ip.IPAddyDotsAdd(ip.Subnet_AsBinary(0));
    sink += row.size();
    sink += ip.SubnetMask(0).size();
    row = ip.IPAddyDotsAdd(ip.NetworkAddress_AsBinary(0));
    sink += row.size();
    for (int k = 1; k <= 4; ++k)
        sink += ip.NetworkAddress(k);
    row = ip.IPAddyDotsAdd(ip.BroadcastAddress_AsBinary(0));
    sink += row.size();
    for (int k = 1; k <= 4; ++k)
        sink += ip.BroadcastAddress(k);
    row = ip.IPAddyDotsAdd(ip.HostAddress_AsBinary());
    sink += row.size();
    sink += int64_t(ip.HostAddress());
    const int m = ip.SubnetBits();
    const int c = ip.ClassBits();
    sink += ip.IP_AsBinary(0).mid(m).count(QLatin1Char('1'));
    if (m > c) {
        row = ip.IPAddyDotsAdd(ip.SubnetNumber_AsBinary());
        sink += row.size();
        sink += int64_t(ip.SubnetNumber());
        sink += ip.IP_AsBinary(0).mid(c, m - c).count(QLatin1Char('1'));
    }
    sink += ip.ClassName().size() + ip.IsPrivateAddress() + ip.IsLoopbackAddress();
    sink += ip.ClassBits() + ip.SubnetBits();
    const QString first = ip.NetworkAddress_AsBinary(0);
    const QString last = ip.BroadcastAddress_AsBinary(0);
    for (int k = 0; k < 4; ++k) {
        sink += int64_t(ip.utStringBinaryToDec(first.mid(k * 8, 8)));
        sink += int64_t(ip.utStringBinaryToDec(last.mid(k * 8, 8)));
    }
}

void BM_ModelReads(benchmark::State& state)
{
    gErrHandlerRenew();
    std::array<clsIPAddy, sampleCount> models;
    for (size_t i = 0; i < sampleCount; ++i) {
        for (int k = 1; k <= 4; ++k)
            models[i].IPAddress(k, samples[i].octets[k - 1]);
        models[i].SubnetBits(samples[i].bits);
    }
    int64_t sink = 0;
    size_t i = 0;
    for (auto _ : state) {
        readAllFromModel(models[i], sink);
        i = (i + 1) % sampleCount;
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_ModelReads);

// The same values with 32-bit integer arithmetic; the binary rows go into
// fixed buffers, as a lean implementation would produce them.
void dottedBinary(uint32_t v, char* out)
{
    int j = 0;
    for (int bit = 31; bit >= 0; --bit) {
        out[j++] = char('0' + ((v >> bit) & 1));
        if (bit % 8 == 0 && bit > 0)
            out[j++] = '.';
    }
}

void readAllWithIntegers(uint32_t addr, int m, int64_t& sink)
{
    char row[35];
    const uint32_t mask = m == 0 ? 0 : ~uint32_t(0) << (32 - m);
    const uint32_t network = addr & mask;
    const uint32_t broadcast = network | ~mask;
    const uint32_t host = addr & ~mask;
    const int o1 = int(addr >> 24);
    const int cls = o1 < 128 ? 1 : o1 < 192 ? 2 : o1 < 224 ? 3 : o1 < 240 ? 4 : 5;
    const int c = cls == 2 ? 16 : cls == 3 ? 24 : 8;
    const uint32_t classMask = ~uint32_t(0) << (32 - c);
    const uint32_t subnetField = m > c ? addr & mask & ~classMask : 0;

    dottedBinary(addr, row);
    sink += row[34];
    for (int k = 0; k < 4; ++k)
        sink += int((addr >> (24 - 8 * k)) & 255);
    dottedBinary(mask, row);
    sink += row[34];
    for (int k = 0; k < 4; ++k)
        sink += int((mask >> (24 - 8 * k)) & 255);
    dottedBinary(network, row);
    sink += row[34];
    for (int k = 0; k < 4; ++k)
        sink += int((network >> (24 - 8 * k)) & 255);
    dottedBinary(broadcast, row);
    sink += row[34];
    for (int k = 0; k < 4; ++k)
        sink += int((broadcast >> (24 - 8 * k)) & 255);
    dottedBinary(host, row);
    sink += row[34] + int64_t(host);
    if (m > c) {
        dottedBinary(subnetField, row);
        sink += row[34] + int64_t(subnetField >> (32 - m));
    }
    const int o2 = int((addr >> 16) & 255);
    const bool priv = o1 == 10 || (o1 == 192 && o2 == 168) || (o1 == 172 && o2 >= 16 && o2 <= 31);
    sink += cls + c + m + priv + (o1 == 127);
}

void BM_IntegerReads(benchmark::State& state)
{
    std::array<uint32_t, sampleCount> addrs;
    for (size_t i = 0; i < sampleCount; ++i) {
        const int* o = samples[i].octets;
        addrs[i] = uint32_t(o[0]) << 24 | uint32_t(o[1]) << 16 | uint32_t(o[2]) << 8 | uint32_t(o[3]);
    }
    int64_t sink = 0;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(addrs[i]);
        readAllWithIntegers(addrs[i], samples[i].bits, sink);
        i = (i + 1) % sampleCount;
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_IntegerReads);

} // namespace

// The entry point, shared by every bench file, is bench/main.cpp.
