// The planner line: requests split on blanks and commas, the first bad one
// named. The reasons themselves are the command line's (tests/cli).
#include "model/planrequests.h"

#include <gtest/gtest.h>

namespace {

TEST(PlanRequests, ALineIsSplitOnBlanksAndCommas)
{
    std::string problem;
    const auto ok = planrequests::ParseLine(" 50 14,lab=10\t2,,x.y-z_9=4294967294 ", false, problem);
    ASSERT_TRUE(ok) << problem;
    ASSERT_EQ(ok->size(), 5u);
    EXPECT_EQ((*ok)[0].hosts, 50u);
    EXPECT_EQ((*ok)[2].name, "lab");
    EXPECT_EQ((*ok)[2].hosts, 10u);
    EXPECT_EQ((*ok)[3].hosts, 2u);
    EXPECT_EQ((*ok)[4].name, "x.y-z_9");
    EXPECT_EQ((*ok)[4].hosts, planrequests::MaxHosts(false));
}

TEST(PlanRequests, TheFirstBadRequestOnALineIsNamed)
{
    const struct {
        const char* line;
        const char* problem;
    } bad[] = {
        {"50 x 0", "request \"x\": host count \"x\" is not a decimal number"},
        {"lab=5 wan=2 lab=3", "request \"lab=3\": name \"lab\" is given twice"},
        {"a=b=1", "request \"a=b=1\": host count \"b=1\" is not a decimal number"},
        {"  , ", "no host counts to plan"},
    };
    for (const auto& b : bad) {
        std::string problem;
        EXPECT_FALSE(planrequests::ParseLine(b.line, true, problem)) << b.line;
        EXPECT_EQ(problem, b.problem) << b.line;
    }
}

} // namespace
