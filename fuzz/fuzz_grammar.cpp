// The command line: arguments are the input's parts between NUL bytes.
#include "cli/command.h"
#include "cli/networkinput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    std::vector<std::string> args;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty() && args.size() < 64) {
        const size_t nul = rest.find('\0');
        args.emplace_back(rest.substr(0, nul));
        rest.remove_prefix(nul == std::string_view::npos ? rest.size() : nul + 1);
    }
    const cli::Command c = cli::ParseCommandLine(args, cli::Verbs());
    if (!c.verb)
        std::abort();
    if (!c.error.empty() || c.help || c.version)
        return 0;
    const int count = int(c.operands.size());
    if (count < c.verb->minOperands || (c.verb->maxOperands >= 0 && count > c.verb->maxOperands))
        std::abort();
    // Past 32 only for an IPv6 operand, and never from a dotted mask.
    if (c.mask && (*c.mask < 0 || *c.mask > 128 ||
                   (*c.mask > 32 && (c.maskDotted || !cli::IsIPv6Text(c.operands.front())))))
        std::abort();
    if (c.site && (*c.site < 0 || *c.site > 128 || !(c.verb->options & cli::kOptSite)))
        std::abort();
    for (int i = 0; i < count; ++i)
        if (c.operands[size_t(i)] == "-" && (c.verb->listFrom < 0 || i < c.verb->listFrom))
            std::abort();
    return 0;
}
