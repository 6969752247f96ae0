#pragma once
// --subnets: a network split into the subnets of a longer mask, one row a
// subnet, streamed as they are worked out.
#include "model/network.h"

class TextSink;

namespace cli {

class Output;
struct Environment;
struct Command;

// The rows to print: `rows` of a split, the first `count` of them.
struct SplitRows {
    net::Network4::Subnets rows;
    net::Network4::Count count;
};

// Writes the rows as aligned text under a header line, or as JSON Lines;
// flushes `out` as its buffer fills and stops when the output has failed.
void WriteSplit(Output& out, const SplitRows& split, bool json, bool rfc3021);

int RunSubnets(const Command& command, Output& out, const Environment& env);

} // namespace cli
