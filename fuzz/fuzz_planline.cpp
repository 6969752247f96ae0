// Any bytes through the planner line's reader: refused with a reason, or
// requests of 1 to kMaxHosts hosts that, written back, read the same; and
// what it accepts plans without fault in any network.
#include "model/planrequests.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto requests = planrequests::ParseLine(line, &problem);
    if (!requests)
        return problem.empty() ? (std::abort(), 0) : 0;
    if (!problem.empty() || requests->empty())
        std::abort();
    std::string again;
    for (const net::PlanRequest& r : *requests) {
        if (r.hosts == 0 || r.hosts > planrequests::kMaxHosts)
            std::abort();
        again += (r.name.empty() ? "" : r.name + "=") + std::to_string(r.hosts) + " ";
    }
    const auto reread = planrequests::ParseLine(again, &problem);
    if (!reread || reread->size() != requests->size())
        std::abort();
    for (size_t i = 0; i < requests->size(); ++i)
        if ((*reread)[i].name != (*requests)[i].name || (*reread)[i].hosts != (*requests)[i].hosts)
            std::abort();
    const auto plan = net::PlanSubnets(net::Network4(std::uint32_t(size) << 8, int(size % 33)), *requests, size % 2);
    if (plan.fits == (plan.missing > 0))
        std::abort();
    return 0;
}
