// A network and requests read one by one, and the plan of what is accepted:
// every block inside the network, aligned, apart from the others, big enough,
// and the unused blocks covering the rest exactly.
#include "cli/networkinput.h"
#include "model/planrequests.h"

#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string first;
    if (!std::getline(in, first))
        return 0;
    const bool rfc3021 = !first.empty() && first.back() == '!';
    if (rfc3021)
        first.pop_back();
    std::string problem;
    const auto within = cli::ParseNetwork(first, problem);
    std::vector<net::PlanRequest> requests;
    bool allGood = true;
    planrequests::Reader reader(rfc3021);
    for (std::string token; in >> token && requests.size() < 64;) {
        problem.clear();
        const auto r = reader.read(token, problem);
        if (r.has_value() == !problem.empty())
            std::abort();
        if (r && (r->hosts == 0 || r->hosts > planrequests::MaxHosts(rfc3021) || r->name.size() > planrequests::kMaxName))
            std::abort();
        if (r)
            requests.push_back(*r);
        allGood = allGood && r;
    }
    if (!within || !allGood || requests.empty())
        return 0;
    const net::Plan<32> plan = net::PlanSubnets(*within, requests, rfc3021);
    if (!plan.fits) {
        if (plan.missing == 0)
            std::abort();
        return 0;
    }
    net::Network4::Count total = 0;
    std::vector<net::Network4> blocks = plan.unused;
    for (size_t i = 0; i < requests.size(); ++i) {
        const auto& a = plan.allocations[i];
        if (a.hosts < requests[i].hosts || a.block.hosts(rfc3021) != a.hosts || a.block != a.block.trunc())
            std::abort();
        // The next smaller block would not have done.
        if (a.block.length() < 32 && net::Network4(0, a.block.length() + 1).hosts(rfc3021) >= requests[i].hosts)
            std::abort();
        blocks.push_back(a.block);
    }
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (!within->trunc().contains(blocks[i]))
            std::abort();
        for (size_t j = i + 1; j < blocks.size(); ++j)
            if (blocks[i].overlaps(blocks[j]))
                std::abort();
        total += blocks[i].size();
    }
    if (total != within->size())
        std::abort();
    return 0;
}
