// The report's address reading against a plain statement of its rules, on
// many near misses of good addresses.
#include "cli/addressinput.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

namespace {

// "A.B.C.D/M": four octets 0 to 255 without leading zeros, M from 8 to 31.
std::optional<cli::AddressInput> byTheRules(const std::string& text)
{
    static const std::regex form(R"(^(0|[1-9]\d{0,2})\.(0|[1-9]\d{0,2})\.(0|[1-9]\d{0,2})\.(0|[1-9]\d{0,2})/([1-9]\d?)$)");
    std::smatch m;
    if (!std::regex_match(text, m, form))
        return std::nullopt;
    cli::AddressInput out;
    for (size_t k = 0; k < 4; ++k) {
        out.octets[k] = std::stoi(m[k + 1].str());
        if (out.octets[k] > 255)
            return std::nullopt;
    }
    out.bits = std::stoi(m[5].str());
    if (out.bits < cli::kMinMaskBits || out.bits > cli::kMaxMaskBits)
        return std::nullopt;
    return out;
}

TEST(AddressInput, NearMissesAreReadExactlyAsTheRulesSay)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "0123456789./ x";
    std::uniform_int_distribution<int> octet(0, 300);
    std::uniform_int_distribution<int> bits(0, 40);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(octet(random)) + '.' + std::to_string(octet(random)) + '.' +
                           std::to_string(octet(random)) + '.' + std::to_string(octet(random)) + '/' +
                           std::to_string(bits(random));
        // Up to two edits: replace, insert or delete a character.
        for (int edits = i % 3; edits > 0 && !text.empty(); --edits) {
            const size_t at = std::uniform_int_distribution<size_t>(0, text.size() - 1)(random);
            switch (random() % 3) {
            case 0: text[at] = alphabet[pick(random)]; break;
            case 1: text.insert(at, 1, alphabet[pick(random)]); break;
            default: text.erase(at, 1);
            }
        }
        const size_t slash = text.find('/');
        if (slash != std::string::npos && text.find('.', slash) != std::string::npos)
            continue; // a dotted mask: other rules
        std::string problem;
        const auto got = cli::ParseAddress(text, problem);
        const auto expected = byTheRules(text);
        ASSERT_EQ(got.has_value(), expected.has_value()) << '"' << text << '"';
        if (got) {
            ++accepted;
            EXPECT_EQ(got->octets, expected->octets) << text;
            EXPECT_EQ(got->bits, expected->bits) << text;
        } else {
            EXPECT_FALSE(problem.empty()) << text;
        }
    }
    EXPECT_GT(accepted, 1000); // the run exercised good addresses too
}

} // namespace
