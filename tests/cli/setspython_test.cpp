// Random sets compared with Python's ipaddress: aggregate, exclude and
// summarize over thousands of members.
#include "../model/python.h"
#include "clirun.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using clitest::run;

// Random sets with much overlap (more than one merge's worth of members in
// the first case) against Python's collapse_addresses, address_exclude and
// the smallest covering supernet.
TEST(SetsPythonTest, AgreesWithPythonsIpaddress)
{
    const char* script = R"(
import ipaddress, random
r = random.Random(11)
for case in range(30):
    W = 32 if case % 2 == 0 else 128
    count = 70000 if case == 0 else r.randrange(1, 300)
    span = 20 if case == 0 else 16
    base = r.getrandbits(W) >> span << span
    nets = []
    for _ in range(count):
        n = r.randrange(W - span, W + 1)
        a = (base | r.getrandbits(span)) >> (W - n) << (W - n)
        nets.append(ipaddress.ip_network((a, n)))
    print('IN', *nets)
    print('AGG', *ipaddress.collapse_addresses(nets))
    outer = ipaddress.ip_network((base, W - span))
    cut = nets[:4]
    left = [outer]
    for c in cut:
        nxt = []
        for x in left:
            if c.subnet_of(x): nxt.extend(x.address_exclude(c))
            elif not x.subnet_of(c): nxt.append(x)
        left = nxt
    print('EXC', outer, *cut)
    print('LEFT', *ipaddress.collapse_addresses(left))
    lo = min(x.network_address for x in nets)
    hi = max(x.broadcast_address for x in nets)
    s = ipaddress.ip_network((lo, W))
    while s.broadcast_address < hi: s = s.supernet()
    extra = s.num_addresses - sum(x.num_addresses for x in ipaddress.collapse_addresses(nets))
    print('SUM', '{"summary":"%s","mask_bits":%d,"extra_addresses":%s}' % (s.network_address, s.prefixlen, extra if W == 32 else '"%d"' % extra))
)";
    const auto printed = PythonPrints(script);
    if (!printed)
        GTEST_SKIP() << "no python3";
    std::istringstream lines(*printed);
    const auto rest = [](const std::string& line, const char* tag) {
        EXPECT_EQ(line.rfind(tag, 0), 0u);
        return line.substr(std::string(tag).size());
    };
    const auto oneALine = [](std::string words) {
        std::string out;
        std::istringstream in(words);
        for (std::string w; in >> w;)
            out += w + '\n';
        return out;
    };
    int cases = 0;
    for (std::string in, agg, exc, left, sum; std::getline(lines, in) && std::getline(lines, agg) &&
                                              std::getline(lines, exc) && std::getline(lines, left) &&
                                              std::getline(lines, sum);
         ++cases) {
        const std::string members = oneALine(rest(in, "IN "));
        EXPECT_EQ(run({"--aggregate", "-"}, members).out, oneALine(rest(agg, "AGG "))) << cases;
        EXPECT_EQ(run({"--summarize", "--json", "-"}, members).out, rest(sum, "SUM ") + '\n') << cases;
        std::vector<std::string> args = {"--exclude"};
        std::istringstream words(rest(exc, "EXC "));
        for (std::string w; words >> w;)
            args.push_back(w);
        EXPECT_EQ(run(args).out, oneALine(rest(left, "LEFT"))) << cases;
    }
    EXPECT_EQ(cases, 30);
}

} // namespace
