// The report's address reader, and the report of what it accepts.
#include "cli/addressinput.h"
#include "cli/reportwriter.h"
#include "model/dotted.h"
#include "model/subnetfacts.h"
#include "model/subnettexts.h"
#include "util/textsink.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto input = cli::ParseAddress(text, problem);
    if (!input) {
        if (problem.empty())
            std::abort();
        return 0;
    }
    if (input->bits < cli::kMinMaskBits || input->bits > cli::kMaxMaskBits)
        std::abort();
    // What it accepts reads back the same when written plainly.
    std::string again;
    const auto same = cli::ParseAddress(dotted::ToString(input->address) + '/' + std::to_string(input->bits), again);
    if (!same || same->address != input->address || same->bits != input->bits)
        std::abort();
    const SubnetFacts facts = ComputeSubnetFacts(input->address, input->bits);
    const SubnetTexts texts = FormTexts(facts);
    TextSink out;
    cli::AppendText(out, facts, texts, cli::Colour::On);
    cli::AppendJson(out, facts, texts);
    return 0;
}
