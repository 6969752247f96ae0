// The window's refresh (the model's reads, every procedure registered, and
// the texts), the same facts by plain arithmetic, and the terminal report's
// and split's throughput.
#include "cli/command.h"
#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "model/clsipaddy.h"
#include "model/ipv6text.h"
#include "model/subnetfacts.h"
#include "model/subnettexts.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <string>

namespace {

struct Sample {
    std::uint32_t address;
    int bits;
};
constexpr Sample kSamples[] = {
    {0xC0A80101, 24}, {0xAC10050A, 20}, {0x0A010203, 16}, {0xC0A8014D, 26},
    {0xE0000001, 24}, {0xFFFFFFFF, 31}, {0x7F000001, 8},  {0x82C81163, 27},
};
constexpr size_t kSampleCount = sizeof kSamples / sizeof kSamples[0];

void BM_PushPop(benchmark::State& state)
{
    clsErrHandler& eh = gErrHandler();
    for (auto _ : state) {
        eh.Push("frmMain.UpdateForm()");
        eh.Pop();
    }
    benchmark::DoNotOptimize(eh.StackDepth());
}
BENCHMARK(BM_PushPop);

// What a refresh of the window computes: the facts read from the model and
// their texts (writing them into the labels is the toolkit's part).
void BM_RefreshFactsAndTexts(benchmark::State& state)
{
    clsIPAddy ip;
    FactsRefresh refresh;
    SubnetTexts texts;
    size_t i = 0;
    for (auto _ : state) {
        const Sample& s = kSamples[i++ % kSampleCount];
        for (int k = 1; k <= 4; ++k)
            ip.IPAddress(k, int(s.address >> (32 - 8 * k) & 255));
        ip.SubnetBits(s.bits);
        ReadSubnetFacts(ip, refresh);
        FormTexts(refresh.facts, texts);
        benchmark::DoNotOptimize(texts.range.data());
    }
}
BENCHMARK(BM_RefreshFactsAndTexts);

void BM_ArithmeticFactsAndTexts(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state) {
        const Sample& s = kSamples[i++ % kSampleCount];
        const SubnetTexts texts = FormTexts(ComputeSubnetFacts(s.address, s.bits));
        benchmark::DoNotOptimize(texts.range.data());
    }
}
BENCHMARK(BM_ArithmeticFactsAndTexts);

// The report (or another verb) over `input` as standard input (a file,
// rewound each time), as text (argument 0) or JSON Lines (1).
void reportStream(benchmark::State& state, const std::string& input, int lines, const char* verb = "--report")
{
    char path[] = "/tmp/quillmark-bench-XXXXXX";
    const int in = mkstemp(path);
    if (in < 0 || write(in, input.data(), input.size()) != ssize_t(input.size())) {
        state.SkipWithError("cannot write the input");
        return;
    }
    unlink(path);
    cli::Environment env;
    env.in = in;
    env.out = open("/dev/null", O_WRONLY);
    std::vector<std::string> args = {verb, "-"};
    if (state.range(0) == 1)
        args.push_back("--json");
    for (auto _ : state) {
        lseek(in, 0, SEEK_SET);
        if (cli::Run(args, env) != cli::kExitOk)
            state.SkipWithError("the report failed");
    }
    close(in);
    close(env.out);
    state.SetItemsProcessed(state.iterations() * lines);
}

// `quillmark - < addresses > /dev/null` in the process, as text (0) or JSON
// Lines (1); items per second is addresses per second.
void BM_ReportStream(benchmark::State& state)
{
    constexpr int kLines = 20000;
    std::mt19937 random(7);
    std::string input;
    for (int i = 0; i < kLines; ++i)
        input += std::to_string(random() % 223 + 1) + '.' + std::to_string(random() % 256) + '.' +
                 std::to_string(random() % 256) + '.' + std::to_string(random() % 256) + '/' +
                 std::to_string(random() % 24 + 8) + '\n';
    reportStream(state, input, kLines);
}
BENCHMARK(BM_ReportStream)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// `quillmark - < addresses > /dev/null` for 50,000 IPv6 addresses of every
// form (prefix lengths 0 to 128, bare ones, zones, embedded IPv4), as text (0)
// or JSON Lines (1); items per second is addresses per second.
void BM_ReportStream6(benchmark::State& state)
{
    constexpr int kLines = 50000;
    std::mt19937_64 random(11);
    const char* const prefixes[] = {"2001:db8:", "fe80::", "2002:c000:", "::ffff:", "64:ff9b::", "2001:0:", "2a01:4f8:"};
    std::string input;
    for (int i = 0; i < kLines; ++i) {
        const std::uint64_t r = random();
        char hextets[40];
        std::snprintf(hextets, sizeof hextets, "%x:%x:%x", unsigned(r & 0xFFFF), unsigned(r >> 16 & 0xFFFF),
                      unsigned(r >> 32 & 0xFFFF));
        input += prefixes[i % 7];
        input += i % 7 == 3 ? std::to_string(r >> 48 & 255) + ".0.2." + std::to_string(r >> 56) : std::string(hextets);
        if (std::strstr(prefixes[i % 7], "::") == nullptr)
            input += "::1";
        if (i % 7 == 1)
            input += "%eth0";
        if (i % 11 != 0)
            input += '/' + std::to_string(r % 129);
        input += '\n';
    }
    reportStream(state, input, kLines);
}
BENCHMARK(BM_ReportStream6)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// `quillmark --aggregate - < prefixes > /dev/null` over 200,000 random IPv4
// prefixes of 16 to 32 bits; items per second is prefixes per second.
void BM_AggregateStream(benchmark::State& state)
{
    constexpr int kLines = 200000;
    std::mt19937 random(3);
    std::string input;
    for (int i = 0; i < kLines; ++i) {
        const int length = int(random() % 17) + 16;
        const std::uint32_t a = std::uint32_t(random()) & ~std::uint32_t(0) << (32 - length);
        input += std::to_string(a >> 24) + '.' + std::to_string(a >> 16 & 255) + '.' + std::to_string(a >> 8 & 255) +
                 '.' + std::to_string(a & 255) + '/' + std::to_string(length) + '\n';
    }
    reportStream(state, input, kLines, "--aggregate");
}
BENCHMARK(BM_AggregateStream)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// `quillmark --subnets 10.0.0.0/14 --mask 30 > /dev/null` in the process, as
// text (0) or JSON Lines (1); items per second is rows per second.
void BM_SplitStream(benchmark::State& state)
{
    constexpr int kRows = 1 << 16;
    cli::Environment env;
    env.out = open("/dev/null", O_WRONLY);
    std::vector<std::string> args = {"--subnets", "10.0.0.0/14", "--mask", "30"};
    if (state.range(0) == 1)
        args.push_back("--json");
    for (auto _ : state)
        if (cli::Run(args, env) != cli::kExitOk)
            state.SkipWithError("the split failed");
    close(env.out);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SplitStream)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The canonical IPv6 text of consecutive /64s, as a split writes its rows;
// items per second is addresses written per second.
void BM_IPv6Format(benchmark::State& state)
{
    const net::uint128 base = net::uint128(0x20010DB800000000) << 64;
    char text[ipv6text::kMaxLength];
    std::uint64_t row = 0;
    for (auto _ : state) {
        char* end = ipv6text::Format(base + (net::uint128(row++ & 0xFFFFF) << 64), text);
        benchmark::DoNotOptimize(end);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IPv6Format);

// Reading IPv6 text in the forms people write; items per second is
// addresses read per second.
void BM_IPv6Parse(benchmark::State& state)
{
    static constexpr const char* kTexts[] = {
        "2001:db8::1", "2001:0db8:0000:0000:0000:ff00:0042:8329", "fe80::a8bb:ccff:fedd:eeff",
        "::ffff:192.0.2.1", "2001:db8:85a3::8a2e:370:7334", "::1", "64:ff9b::192.0.2.33", "2001:db8:0:1234::",
    };
    size_t i = 0;
    for (auto _ : state) {
        const auto a = ipv6text::Parse(kTexts[i++ % std::size(kTexts)]);
        benchmark::DoNotOptimize(a);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IPv6Parse);

} // namespace
