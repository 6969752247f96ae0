// One refresh of the main window as the program computes it (model reads on
// binary texts, every procedure registered), next to the same texts worked
// out with plain 32-bit integer arithmetic, and the terminal report's cost
// per address.
#include "cli/addressinput.h"
#include "cli/reportwriter.h"
#include "model/clsipaddy.h"
#include "model/mainformview.h"

#include <QLocale>
#include <QString>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

struct Sample {
    int octets[4];
    int bits;
};
constexpr Sample kSamples[] = {
    {{192, 168, 1, 1}, 24}, {{172, 16, 5, 10}, 20},     {{10, 1, 2, 3}, 16}, {{192, 168, 1, 77}, 26},
    {{224, 0, 0, 1}, 24},   {{255, 255, 255, 255}, 31}, {{127, 0, 0, 1}, 8}, {{130, 200, 17, 99}, 27},
};
constexpr size_t kSampleCount = sizeof(kSamples) / sizeof(kSamples[0]);

void load(clsIPAddy& ip, const Sample& s)
{
    for (int k = 0; k < 4; ++k)
        ip.IPAddress(k + 1, s.octets[k]);
    ip.SubnetBits(s.bits);
}

void BM_RefreshComputation(benchmark::State& state)
{
    clsIPAddy ip;
    MainFormView view = MainFormView::design();
    size_t i = 0;
    for (auto _ : state) {
        load(ip, kSamples[i++ % kSampleCount]);
        ComputeUpdateForm(ip, view);
        benchmark::DoNotOptimize(view.lblValues[16].size());
    }
}
BENCHMARK(BM_RefreshComputation);

QString dotted(uint32_t v)
{
    QString s;
    s.reserve(15);
    for (int shift = 24; shift >= 0; shift -= 8) {
        s += QString::number((v >> shift) & 255);
        if (shift)
            s += QLatin1Char('.');
    }
    return s;
}

QString dottedBinary(uint32_t v)
{
    QChar buf[35];
    int n = 0;
    for (int i = 31; i >= 0; --i) {
        buf[n++] = QLatin1Char((v >> i) & 1 ? '1' : '0');
        if (i % 8 == 0 && i > 0)
            buf[n++] = QLatin1Char('.');
    }
    return QString(buf, n);
}

QString notes(uint64_t value, uint64_t top)
{
    if (value == top)
        return QStringLiteral(" (unusable - broadcast)");
    if (value == 0)
        return QStringLiteral(" (unusable - network)");
    return QString();
}

// The same texts (for masks no shorter than the class) with integer arithmetic.
void integerView(uint32_t addr, int m, MainFormView& v)
{
    const int first = int(addr >> 24);
    const int c = first < 128 ? 8 : first < 192 ? 16 : first < 224 ? 24 : 8;
    const uint32_t mask = uint32_t(0xFFFFFFFFull << (32 - m));
    const uint32_t net = addr & mask, bcast = net | ~mask, host = addr & ~mask;
    const int s = m - c, h = 32 - m;
    const uint64_t subnet = (addr >> h) & ((1ull << s) - 1);
    v.lblValues[0] = dottedBinary(addr);
    v.lblValues[11] = dotted(addr);
    v.lblValues[1] = dottedBinary(mask);
    v.lblValues[12] = dotted(mask);
    v.lblValues[2] = dottedBinary(net);
    v.lblValues[13] = dotted(net) + QStringLiteral(" (network)");
    v.lblValues[21] = dottedBinary(bcast);
    v.lblValues[17] = dotted(bcast) + QStringLiteral(" (broadcast)");
    v.lblValues[3] = dottedBinary(host);
    v.lblValues[14] = QStringLiteral("Host: ") + QString::number(host) + notes(host, ~mask);
    v.subnetted = s > 0;
    v.lblValues[4] = s > 0 ? dottedBinary(uint32_t(subnet << h)) : QString();
    v.lblValues[15] = s > 0 ? QStringLiteral("Subnet: ") + QString::number(subnet) + notes(subnet, (1ull << s) - 1)
                            : QStringLiteral("Not subnetted");
    v.lblValues[5] = s > 0 ? QString::number(1ull << s) + QStringLiteral(" total, ") +
                                 QString::number((1ull << s) - 2) + QStringLiteral(" usable.")
                           : QStringLiteral("Not subnetted");
    const uint64_t hostsPer = (1ull << h) - 2;
    v.lblValues[6] = QString::number(1ull << h) + QStringLiteral(" total, ") + QString::number(hostsPer) +
                     QStringLiteral(" usable.");
    v.lblValues[7] = QStringLiteral("ABCDE").mid(first < 128   ? 0
                                                 : first < 192 ? 1
                                                 : first < 224 ? 2
                                                 : first < 240 ? 3
                                                               : 4,
                                                 1);
    v.lblValues[8] = QString::number(c) + QStringLiteral(" bits.");
    v.lblValues[9] = QString::number(s) + QStringLiteral(" bits.");
    v.lblValues[10] = QString::number(h) + QStringLiteral(" bits.");
    const uint64_t usable = s > 0 ? ((1ull << s) - 2) * hostsPer : hostsPer;
    v.lblValues[16] = QString::number(usable) + QStringLiteral(" (") +
                      mainform::FormatShare(double(usable) / double((1ull << (32 - c)) - 2), QLocale().decimalPoint()) +
                      QLatin1Char(')');
    v.lblSubnetRange = h >= 2 ? QStringLiteral("This subnet uses address from ") + dotted(net + 1) +
                                    QStringLiteral(" to ") + dotted(bcast - 1)
                              : QStringLiteral("This subnet has no usable hosts.");
    const int netWidth = c * 90 + (c / 8 - 1) * 45;
    const int subWidth = s * 90 + (s > 0 ? (s - 1) / 8 : 0) * 45;
    for (size_t r = 0; r < 6; ++r) {
        v.shapeMaskBits[3 * r].width = netWidth;
        v.shapeMaskBits[3 * r + 1] = {1800 + netWidth + 45, subWidth};
        v.shapeMaskBits[3 * r + 2] = {1800 + netWidth + 45 + subWidth, 2990 - netWidth - subWidth};
    }
}

void BM_RefreshIntegerArithmetic(benchmark::State& state)
{
    MainFormView view = MainFormView::design();
    size_t i = 0;
    for (auto _ : state) {
        const Sample& s = kSamples[i++ % kSampleCount];
        const uint32_t addr = uint32_t(s.octets[0]) << 24 | uint32_t(s.octets[1]) << 16 | uint32_t(s.octets[2]) << 8 |
                              uint32_t(s.octets[3]);
        integerView(addr, s.bits, view);
        benchmark::DoNotOptimize(view.lblValues[16].size());
    }
}
BENCHMARK(BM_RefreshIntegerArithmetic);

// Parsing, refresh and JSON line of one address, as `--report --json -` does it.
void BM_ReportJsonLine(benchmark::State& state)
{
    clsIPAddy ip;
    MainFormView view = MainFormView::design();
    std::string out;
    std::string problem;
    const char* const inputs[] = {"192.168.1.1/24", "172.16.5.10/20", "10.1.2.3/16", "130.200.17.99/27"};
    size_t i = 0;
    for (auto _ : state) {
        const auto input = cli::ParseAddress(inputs[i++ % 4], problem);
        for (int k = 0; k < 4; ++k)
            ip.IPAddress(k + 1, input->octets[size_t(k)]);
        ip.SubnetBits(input->bits);
        ComputeUpdateForm(ip, view);
        cli::AppendJson(out, *input, view);
        if (out.size() > 1 << 16)
            out.clear();
    }
    benchmark::DoNotOptimize(out.data());
}
BENCHMARK(BM_ReportJsonLine);

} // namespace
