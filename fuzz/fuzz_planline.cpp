// Any bytes through the planner line's splitter: refused with a reason, or
// requests that, written back with other separators, read the same. What the
// plan makes of them is fuzz_plan's part.
#include "model/planrequests.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const bool rfc3021 = size % 2;
    std::string problem;
    const auto requests = planrequests::ParseLine(line, rfc3021, problem);
    if (!requests)
        return problem.empty() ? (std::abort(), 0) : 0;
    if (requests->empty())
        std::abort();
    std::string again;
    for (const net::PlanRequest& r : *requests) {
        if (r.hosts == 0 || r.hosts > planrequests::MaxHosts(rfc3021) || r.name.size() > planrequests::kMaxName)
            std::abort();
        again += (r.name.empty() ? "" : r.name + "=") + std::to_string(r.hosts) + (again.size() % 2 ? "," : "\t ");
    }
    const auto reread = planrequests::ParseLine(again, rfc3021, problem);
    if (!reread || reread->size() != requests->size())
        std::abort();
    for (size_t i = 0; i < requests->size(); ++i)
        if ((*reread)[i].name != (*requests)[i].name || (*reread)[i].hosts != (*requests)[i].hosts)
            std::abort();
    return 0;
}
