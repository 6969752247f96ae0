// Practice answers and options as typed: the first byte picks what reads the
// rest (an answer to a question drawn from the next eight bytes, or --types,
// --classes or --masks). Whatever is read writes back as itself, checks
// without fault, and is explained exactly when it is wrong.
#include "model/practice.h"

#include <cstdlib>
#include <cstring>

namespace {

bool same(const practice::Answer& a, const practice::Answer& b)
{
    return a.none == b.none && a.address == b.address && a.number == b.number && a.network == b.network &&
           a.blocks == b.blocks;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size < 9)
        return 0;
    std::uint64_t seed = 0;
    std::memcpy(&seed, data + 1, 8);
    const std::string_view text(reinterpret_cast<const char*>(data + 9), size - 9);
    std::string problem;
    switch (data[0] % 4) {
    case 0: {
        practice::Options o;
        o.seed = seed;
        o.count = 1;
        o.subnetZero = data[0] & 4;
        o.rfc3021 = data[0] & 8;
        o.shortest = 8 + (data[0] >> 4);
        o.longest = 32;
        const practice::Question q = practice::DrawSet(o).at(0);
        const practice::Field field = practice::FieldOf(q.kind);
        const auto a = practice::ParseAnswer(field, text, problem);
        if (a.has_value() == !problem.empty())
            std::abort();
        if (!a)
            return 0;
        const auto again = practice::ParseAnswer(field, practice::AnswerText(field, *a), problem);
        if (!again || !same(*again, *a))
            std::abort();
        const practice::Verdict v = practice::Check(q, *a);
        if (practice::Explanation(q, *a, v).empty() != v.right || !practice::Check(q, v.expected).right)
            std::abort();
        return 0;
    }
    case 1: {
        const auto kinds = practice::ParseKinds(text, problem);
        if (kinds.has_value() == !problem.empty() || (kinds && (*kinds & ~practice::kAllKinds)))
            std::abort();
        return 0;
    }
    case 2: {
        const auto classes = practice::ParseClasses(text, problem);
        if (classes.has_value() == !problem.empty() || (classes && (*classes & ~practice::kAllClasses)))
            std::abort();
        return 0;
    }
    default: {
        const auto lengths = practice::ParseLengths(text, problem);
        if (lengths.has_value() == !problem.empty())
            std::abort();
        if (lengths && (lengths->first < practice::kShortestLength || lengths->second > practice::kLongestLength ||
                        lengths->first > lengths->second))
            std::abort();
        return 0;
    }
    }
}
