#pragma once
// Text routines of the framework that need no toolkit.
#include <string>
#include <string_view>

// Text repeated Count times ("" when Count is below 1).
std::string utStringRepeat(std::string_view text, int count);
