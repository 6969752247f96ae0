#pragma once
// Dotted decimal, the one reader and writer of "A.B.C.D" for every part of
// the program: four decimal octets 0 to 255 without leading zeros ("010"
// could mean 8 or 10, so it is refused) and nothing around them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dotted {

// Longest text Format writes: "255.255.255.255".
constexpr size_t kMaxLength = 15;

// The value, or nothing with `problem` (when given) set to what is wrong:
// `whole` names the text ("the address", "the mask"), `part` one octet
// ("octet", "mask octet"). A quoted part is shown as cli::Shown shows input.
std::optional<std::uint32_t> Parse(std::string_view text, std::string* problem = nullptr,
                                   const char* whole = "the address", const char* part = "octet");

// Writes the dotted form at `out` (room for kMaxLength) and returns its end.
char* Format(std::uint32_t value, char* out);
std::string ToString(std::uint32_t value);

} // namespace dotted
