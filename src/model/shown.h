#pragma once
// How input appears in a message, and the blanks around it, for every reader
// of typed or piped text.
#include <string>
#include <string_view>

// In double quotes, control characters and bytes outside ASCII escaped (\t,
// \x1b), at most 64 characters of it and then "…".
std::string Shown(std::string_view text);

// Blanks (space, tab, CR, LF, FF, VT) removed from both ends.
std::string_view Trimmed(std::string_view text);
