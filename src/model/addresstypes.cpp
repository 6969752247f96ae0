#include "model/addresstypes.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace specialpurpose {

namespace {

// The .def file's words for the Globally Reachable column.
constexpr Reachable True = Reachable::True;
constexpr Reachable False = Reachable::False;
constexpr Reachable NA = Reachable::NotApplicable;
constexpr Reachable Blank = Reachable::Blank;

// Blocks are read while compiling: a malformed one is a throw in a constant
// expression, which stops the build rather than shipping a wrong row.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr int HexDigit(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1; // the registries write hex in lower case
}

constexpr int Length(const char* text, int width)
{
    int length = 0;
    if (!IsDigit(*text))
        throw "a block needs a prefix length";
    for (; IsDigit(*text); ++text)
        length = length * 10 + (*text - '0');
    if (*text != '\0' || length > width)
        throw "a prefix length out of range";
    return length;
}

// The block's address must be its network address: a row's text is exactly
// the block it names.
template <int Width> constexpr net::Network<Width> Checked(typename net::Network<Width>::Value address, int length)
{
    const net::Network<Width> block(address, length);
    if (block.network() != address)
        throw "a block with host bits set";
    return block;
}

constexpr net::Network4 Block4(const char* text)
{
    std::uint32_t address = 0;
    for (int octet = 0; octet < 4; ++octet) {
        if (!IsDigit(*text))
            throw "an octet needs a digit";
        int value = 0;
        for (; IsDigit(*text); ++text)
            value = value * 10 + (*text - '0');
        if (value > 255 || *text++ != (octet < 3 ? '.' : '/'))
            throw "a malformed IPv4 block";
        address = address << 8 | std::uint32_t(value);
    }
    return Checked<32>(address, Length(text, 32));
}

// Hex groups with at most one "::"; no dotted tail (no registry block needs one).
constexpr net::Network6 Block6(const char* text)
{
    net::uint128 head = 0, tail = 0;
    int headGroups = 0, tailGroups = 0;
    bool gap = false;
    if (text[0] == ':' && text[1] == ':') {
        gap = true;
        text += 2;
    }
    while (*text != '/') {
        int value = 0, digits = 0;
        for (; HexDigit(*text) >= 0; ++text, ++digits)
            value = value * 16 + HexDigit(*text);
        if (digits == 0 || digits > 4)
            throw "a malformed hextet";
        (gap ? tail : head) = (gap ? tail : head) << 16 | net::uint128(value);
        ++(gap ? tailGroups : headGroups);
        if (*text == ':') {
            ++text;
            if (*text == ':') {
                if (gap)
                    throw "two gaps";
                gap = true;
                ++text;
            }
        } else if (*text != '/') {
            throw "a stray character";
        }
    }
    const int groups = headGroups + tailGroups;
    if (groups > 8 || (!gap && groups != 8) || (gap && groups == 8))
        throw "a wrong number of hextets";
    const net::uint128 address = (headGroups == 0 ? 0 : head << (16 * (8 - headGroups))) | tail;
    return Checked<128>(address, Length(text + 1, 128));
}

template <typename T, std::size_t N> constexpr std::array<T, N> Sorted(const T (&rows)[N])
{
    std::array<T, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        std::size_t j = i;
        for (; j > 0 && rows[i].network < out[j - 1].network; --j)
            out[j] = out[j - 1];
        out[j] = rows[i];
    }
    return out;
}

// For each row, the index of the most specific other row holding it (N when
// none): a lookup climbs these instead of scanning.
template <typename T, std::size_t N> constexpr std::array<std::size_t, N> Parents(const std::array<T, N>& rows)
{
    std::array<std::size_t, N> parent{};
    for (std::size_t i = 0; i < N; ++i) {
        parent[i] = N;
        for (std::size_t j = i; j-- > 0;) {
            if (rows[j].network.contains(rows[i].network)) {
                if (rows[j].network == rows[i].network)
                    throw "a block listed twice";
                parent[i] = j;
                break;
            }
        }
    }
    return parent;
}

// Each table below includes the data file with only its own kind of line
// defined; every other kind expands to nothing.
#define UPDATED4(registry, date)
#define UPDATED6(registry, date)
#define ROW4(block, name, rfc, reachable, note)
#define MULTICAST4(block, name, rfc, reachable, note)
#define FALLBACK4(name, rfc, reachable, note)
#define ROW6(block, name, rfc, reachable, note)
#define MULTICAST6(block, name, rfc, reachable, note)
#define SCOPE6(scope, name, rfc, reachable, note)
#define FALLBACK6(block, name, rfc, reachable, note)

#undef ROW4
#undef MULTICAST4
#define ROW4(block, name, rfc, reachable, note) {Block4(block), block, name, rfc, reachable, note, Source::Registry},
#define MULTICAST4(block, name, rfc, reachable, note) {Block4(block), block, name, rfc, reachable, note, Source::Multicast},
constexpr Entry4 kListed4[] = {
#include "model/addresstypes.def"
};
#undef ROW4
#undef MULTICAST4
#define ROW4(block, name, rfc, reachable, note)
#define MULTICAST4(block, name, rfc, reachable, note)

#undef FALLBACK4
#define FALLBACK4(name, rfc, reachable, note) {net::Network4(0, 0), "", name, rfc, reachable, note, Source::Fallback},
constexpr Entry4 kPublic4[] = {
#include "model/addresstypes.def"
};
#undef FALLBACK4
#define FALLBACK4(name, rfc, reachable, note)

#undef ROW6
#undef MULTICAST6
#undef FALLBACK6
#define ROW6(block, name, rfc, reachable, note) {Block6(block), block, name, rfc, reachable, note, Source::Registry},
#define MULTICAST6(block, name, rfc, reachable, note) {Block6(block), block, name, rfc, reachable, note, Source::Multicast},
#define FALLBACK6(block, name, rfc, reachable, note) {Block6(block), block, name, rfc, reachable, note, Source::Fallback},
constexpr Entry6 kListed6[] = {
#include "model/addresstypes.def"
};
#undef ROW6
#undef MULTICAST6
#undef FALLBACK6
#define ROW6(block, name, rfc, reachable, note)
#define MULTICAST6(block, name, rfc, reachable, note)
#define FALLBACK6(block, name, rfc, reachable, note)

constexpr net::Network6 kMulticast6 = Block6("ff00::/8");

#undef SCOPE6
#define SCOPE6(scope, name, rfc, reachable, note) {kMulticast6, "ff00::/8", name, rfc, reachable, note, Source::Multicast},
constexpr Entry6 kScopes6[] = {
#include "model/addresstypes.def"
};
#undef SCOPE6
#define SCOPE6(scope, name, rfc, reachable, note) scope,
constexpr int kScopeDigits[] = {
#include "model/addresstypes.def"
};
#undef SCOPE6
#define SCOPE6(scope, name, rfc, reachable, note)

#undef UPDATED4
#define UPDATED4(registry, date) registry, date,
constexpr const char* kDates4[] = {
#include "model/addresstypes.def"
};
#undef UPDATED4
#define UPDATED4(registry, date)
#undef UPDATED6
#define UPDATED6(registry, date) registry, date,
constexpr const char* kDates6[] = {
#include "model/addresstypes.def"
};
#undef UPDATED4
#undef UPDATED6
#undef ROW4
#undef MULTICAST4
#undef FALLBACK4
#undef ROW6
#undef MULTICAST6
#undef SCOPE6
#undef FALLBACK6

static_assert(std::size(kPublic4) == 1, "one IPv4 fallback row");
static_assert(std::size(kScopes6) == 16, "a row for each multicast scope digit");
constexpr bool InOrder(const int (&digits)[16])
{
    for (int i = 0; i < 16; ++i)
        if (digits[i] != i)
            return false;
    return true;
}
static_assert(InOrder(kScopeDigits), "scope rows in digit order");
static_assert(std::size(kDates4) == 2 && std::size(kDates6) == 2, "one date for each registry");

constexpr auto kRows4 = Sorted(kListed4);
constexpr auto kParents4 = Parents(kRows4);
constexpr auto kRows6 = Sorted(kListed6);
constexpr auto kParents6 = Parents(kRows6);

// The rows no other row holds must tile the whole IPv6 space, so every
// address has a row (Lookup6 relies on it).
constexpr bool TilesTheSpace()
{
    net::uint128 next = 0;
    bool wrapped = false;
    for (std::size_t i = 0; i < kRows6.size(); ++i) {
        if (kParents6[i] != kRows6.size())
            continue;
        if (wrapped || kRows6[i].network.network() != next)
            return false;
        next = kRows6[i].network.broadcast() + 1;
        wrapped = next == 0;
    }
    return wrapped;
}
static_assert(TilesTheSpace(), "an IPv6 address with no row");

// The row of ff00::/8, which a lookup refines by scope.
constexpr std::size_t IndexOf(const std::array<Entry6, std::size(kListed6)>& rows, net::Network6 block)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].network == block)
            return i;
    throw "no multicast row";
}
constexpr std::size_t kMulticastRow6 = IndexOf(kRows6, kMulticast6);

// The index of the most specific row holding `address`, or N. The last row
// starting at or before the address is either it or inside it (blocks nest),
// so the answer is that row or one of its parents.
template <typename T, std::size_t N, typename Value>
std::size_t MostSpecific(const std::array<T, N>& rows, const std::array<std::size_t, N>& parents, Value address)
{
    std::size_t i = std::size_t(std::upper_bound(rows.begin(), rows.end(), address,
                                                 [](Value a, const T& row) { return a < row.network.network(); }) -
                                rows.begin());
    if (i == 0)
        return N;
    for (--i; i != N && !rows[i].network.contains(address); i = parents[i]) {
    }
    return i;
}

// The most specific row holding the whole network (N when none), and whether
// another row lies inside the network.
template <typename T, std::size_t N, int Width>
std::pair<std::size_t, bool> Holding(const std::array<T, N>& rows, const std::array<std::size_t, N>& parents,
                                     const net::Network<Width>& network)
{
    const net::Network<Width> block = network.trunc();
    std::size_t i = MostSpecific(rows, parents, block.network());
    while (i != N && !rows[i].network.contains(block))
        i = parents[i];
    bool mixed = false;
    auto first = std::lower_bound(rows.begin(), rows.end(), block.network(),
                                  [](const T& row, auto a) { return row.network.network() < a; });
    for (auto it = first; it != rows.end() && it->network.network() <= block.broadcast(); ++it) {
        if (std::size_t(it - rows.begin()) != i && block.contains(it->network)) {
            mixed = true;
            break;
        }
    }
    return {i, mixed};
}

} // namespace

const char* const kRegistry4 = kDates4[0];
const char* const kUpdated4 = kDates4[1];
const char* const kRegistry6 = kDates6[0];
const char* const kUpdated6 = kDates6[1];

const Entry4* Lookup4(std::uint32_t address)
{
    const std::size_t i = MostSpecific(kRows4, kParents4, address);
    return i == kRows4.size() ? &kPublic4[0] : &kRows4[i];
}

const Entry6* Lookup6(net::uint128 address)
{
    // The address space's top-level rows cover every address.
    const std::size_t i = MostSpecific(kRows6, kParents6, address);
    return i == kMulticastRow6 ? &kScopes6[MulticastScope6(address)] : &kRows6[i];
}

NetworkType<32> TypeOf(const net::Network4& network)
{
    const auto [i, mixed] = Holding(kRows4, kParents4, network);
    if (i != kRows4.size())
        return {&kRows4[i], mixed};
    // Outside every block: public, unless a block lies inside it.
    return mixed ? NetworkType<32>{nullptr, true} : NetworkType<32>{&kPublic4[0], false};
}

NetworkType<128> TypeOf(const net::Network6& network)
{
    const auto [i, mixed] = Holding(kRows6, kParents6, network);
    if (i == kRows6.size())
        return {nullptr, true};
    // A multicast network has one scope once its first 16 bits are fixed.
    if (i == kMulticastRow6 && network.length() >= 16)
        return {&kScopes6[MulticastScope6(network.network())], false};
    return {&kRows6[i], mixed || i == kMulticastRow6};
}

int MulticastScope6(net::uint128 address)
{
    return kMulticast6.contains(address) ? int(address >> 112 & 0xf) : -1;
}

Rows4 Table4()
{
    return {kRows4.data(), kRows4.data() + kRows4.size()};
}

Rows6 Table6()
{
    return {kRows6.data(), kRows6.data() + kRows6.size()};
}

const Entry6* Scopes6()
{
    return kScopes6;
}

const char* ToString(Reachable reachable)
{
    switch (reachable) {
    case Reachable::True: return "True";
    case Reachable::False: return "False";
    case Reachable::Blank: return "";
    case Reachable::NotApplicable: break;
    }
    return "N/A";
}

const char* ToString(Source source)
{
    switch (source) {
    case Source::Registry: return "registry";
    case Source::Multicast: return "multicast";
    case Source::Fallback: break;
    }
    return "fallback";
}

} // namespace specialpurpose
