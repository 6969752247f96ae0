// One refresh of the main window as the program computes it (model reads on
// binary texts, every procedure registered), next to the same texts worked
// out with plain 32-bit integer arithmetic, and the terminal report's cost
// per address.
#include "cli/addressinput.h"
#include "cli/report.h"
#include "cli/reportwriter.h"
#include "model/clsipaddy.h"
#include "model/mainformview.h"
#include "model/mainformview_steps.h"

#include <QLocale>
#include <QString>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>

namespace {

// Output that goes nowhere, as into /dev/null.
class NullBuffer : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    int overflow(int ch) override { return traits_type::not_eof(ch); }
};
class NullStream : public std::ostream {
public:
    NullStream() : std::ostream(&buffer_) {}

private:
    NullBuffer buffer_;
};

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

using mainform::Text;

Text& dotted(Text& t, uint32_t v)
{
    t.number(v >> 24) << QChar(u'.');
    t.number((v >> 16) & 255) << QChar(u'.');
    t.number((v >> 8) & 255) << QChar(u'.');
    return t.number(v & 255);
}
Text& dotted(Text&& t, uint32_t v)
{
    return dotted(t, v);
}

void dottedBinary(uint32_t v, QString& label)
{
    Text t;
    for (int i = 31; i >= 0; --i) {
        t << QChar((v >> i) & 1 ? u'1' : u'0');
        if (i % 8 == 0 && i > 0)
            t << QChar(u'.');
    }
    t.writeTo(label);
}

void notes(Text& t, uint64_t value, uint64_t top)
{
    if (value == top)
        t << " (unusable - broadcast)";
    if (value == 0)
        t << " (unusable - network)";
}

// The same texts (for masks no shorter than the class) with integer
// arithmetic, written the same way into the same view.
void integerView(uint32_t addr, int m, MainFormView& v)
{
    const int first = int(addr >> 24);
    const int c = first < 128 ? 8 : first < 192 ? 16 : first < 224 ? 24 : 8;
    const uint32_t mask = uint32_t(0xFFFFFFFFull << (32 - m));
    const uint32_t net = addr & mask, bcast = net | ~mask, host = addr & ~mask;
    const int s = m - c, h = 32 - m;
    const uint64_t subnet = (addr >> h) & ((1ull << s) - 1);
    dottedBinary(addr, v.lblValues[0]);
    dotted(Text(), addr).writeTo(v.lblValues[11]);
    dottedBinary(mask, v.lblValues[1]);
    dotted(Text(), mask).writeTo(v.lblValues[12]);
    dottedBinary(net, v.lblValues[2]);
    (dotted(Text(), net) << " (network)").writeTo(v.lblValues[13]);
    dottedBinary(bcast, v.lblValues[21]);
    (dotted(Text(), bcast) << " (broadcast)").writeTo(v.lblValues[17]);
    dottedBinary(host, v.lblValues[3]);
    {
        Text t;
        (t << "Host: ").number(host);
        notes(t, host, ~mask);
        t.writeTo(v.lblValues[14]);
    }
    v.subnetted = s > 0;
    if (s > 0) {
        dottedBinary(uint32_t(subnet << h), v.lblValues[4]);
        Text t;
        (t << "Subnet: ").number(double(subnet));
        notes(t, subnet, (1ull << s) - 1);
        t.writeTo(v.lblValues[15]);
        Text n;
        n.number(double(1ull << s)) << " total, ";
        n.number(double((1ull << s) - 2)) << " usable.";
        n.writeTo(v.lblValues[5]);
    } else {
        v.lblValues[4] = QString();
        (Text() << "Not subnetted").writeTo(v.lblValues[15]);
        (Text() << "Not subnetted").writeTo(v.lblValues[5]);
    }
    const uint64_t hostsPer = (1ull << h) - 2;
    {
        Text t;
        t.number(double(1ull << h)) << " total, ";
        t.number(double(hostsPer)) << " usable.";
        t.writeTo(v.lblValues[6]);
    }
    (Text() << QChar(u"ABCDE"[first < 128   ? 0
                              : first < 192 ? 1
                              : first < 224 ? 2
                              : first < 240 ? 3
                                            : 4]))
        .writeTo(v.lblValues[7]);
    (Text().number(c) << " bits.").writeTo(v.lblValues[8]);
    (Text().number(s) << " bits.").writeTo(v.lblValues[9]);
    (Text().number(h) << " bits.").writeTo(v.lblValues[10]);
    const uint64_t usable = s > 0 ? ((1ull << s) - 2) * hostsPer : hostsPer;
    {
        Text t;
        t.number(double(usable)) << " (";
        mainform::AppendShare(t, double(usable) / double((1ull << (32 - c)) - 2), QLocale().decimalPoint());
        (t << QChar(u')')).writeTo(v.lblValues[16]);
    }
    {
        Text t;
        if (h >= 2) {
            t << "This subnet uses address from ";
            dotted(t, net + 1) << " to ";
            dotted(t, bcast - 1);
        } else {
            t << "This subnet has no usable hosts.";
        }
        t.writeTo(v.lblSubnetRange);
    }
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

// `quillmark --report -` in the process: random addresses read from a stream,
// reported as text (the default) or as JSON Lines; items per second is the
// throughput.
void BM_ReportStream(benchmark::State& state)
{
    const bool json = state.range(0) == 1;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> first(1, 223);
    std::uniform_int_distribution<int> octet(0, 255);
    std::uniform_int_distribution<int> bits(8, 31);
    constexpr int kLines = 20000;
    std::string input;
    for (int i = 0; i < kLines; ++i) {
        input += std::to_string(first(random)) + '.' + std::to_string(octet(random)) + '.' +
                 std::to_string(octet(random)) + '.' + std::to_string(octet(random)) + '/' +
                 std::to_string(bits(random)) + '\n';
    }
    const QStringList args = json ? QStringList{QStringLiteral("--json"), QStringLiteral("-")}
                                  : QStringList{QStringLiteral("-")};
    for (auto _ : state) {
        std::istringstream in(input);
        NullStream out;
        std::ostringstream err;
        cli::ReportEnvironment env{in, out, err};
        if (cli::RunReport(args, env) != cli::kExitOk)
            state.SkipWithError("the report failed");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ReportStream)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
