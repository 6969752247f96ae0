#include "model/ipv6text.h"

#include "model/dotted.h"
#include "model/shown.h"

#include <cstdint>

namespace ipv6text {

namespace {

constexpr char kHex[] = "0123456789abcdef";

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool fail(std::string* problem, std::string why)
{
    if (problem)
        *problem = std::move(why);
    return false;
}

// One hextet of 1 to 4 hex digits.
bool parseHextet(std::string_view field, std::uint16_t& out, std::string* problem)
{
    unsigned v = 0;
    bool hex = true;
    for (char c : field) {
        const int d = hexDigit(c);
        hex &= d >= 0;
        v = v << 4 | unsigned(d);
    }
    if (hex && field.size() <= 4) {
        out = std::uint16_t(v);
        return true;
    }
    return fail(problem, "hextet " + Shown(field) + (hex ? " has more than 4 hex digits" : " is not hexadecimal"));
}

// A zone names an interface: printable, and nothing a prefix or a list
// could be confused with.
bool zoneFault(std::string_view zone, std::string* problem)
{
    if (zone.empty())
        return !fail(problem, "the zone after \"%\" is empty");
    for (unsigned char c : zone)
        if (c <= ' ' || c >= 0x7F || c == '/' || c == '%')
            return !fail(problem, "the zone " + Shown(zone) + " holds " + Shown(std::string_view(
                                      reinterpret_cast<const char*>(&c), 1)) +
                                      "; a zone is printable ASCII without blanks, \"/\" or \"%\"");
    return false;
}

char* hextet(unsigned v, char* out)
{
    if (v >= 0x1000)
        *out++ = kHex[v >> 12];
    if (v >= 0x100)
        *out++ = kHex[v >> 8 & 15];
    if (v >= 0x10)
        *out++ = kHex[v >> 4 & 15];
    *out++ = kHex[v & 15];
    return out;
}

} // namespace

std::optional<Address> Parse(std::string_view text, std::string* problem)
{
    Address result;
    std::string_view s = text;
    if (const size_t percent = s.find('%'); percent != std::string_view::npos) {
        if (zoneFault(s.substr(percent + 1), problem))
            return std::nullopt;
        result.zone.assign(s.substr(percent + 1));
        s = s.substr(0, percent);
        if (s.empty()) {
            fail(problem, "there is no address before the zone");
            return std::nullopt;
        }
    }
    if (s.empty()) {
        fail(problem, "the address is empty");
        return std::nullopt;
    }
    if (s.find(':') == std::string_view::npos) {
        fail(problem, "there is no \":\"; an IPv6 address has hextets separated by \":\"");
        return std::nullopt;
    }

    std::uint16_t h[8] = {};
    int count = 0;      // hextets written, an IPv4 part as two
    int gap = -1;       // where "::" stands, in hextets before it
    bool dottedTail = false;
    const size_t n = s.size();
    size_t i = 0;
    if (s[0] == ':') {
        if (n < 2 || s[1] != ':') {
            fail(problem, "a single \":\" at the start");
            return std::nullopt;
        }
        gap = 0;
        i = 2;
        if (i < n && s[i] == ':') {
            fail(problem, "\":::\" has a colon too many");
            return std::nullopt;
        }
    }
    while (i < n) {
        size_t j = i;
        bool dot = false;
        while (j < n && s[j] != ':')
            dot |= s[j++] == '.';
        const std::string_view field = s.substr(i, j - i);
        if (dot) {
            if (j != n) {
                fail(problem, "the IPv4 part " + Shown(field) + " is not at the end");
                return std::nullopt;
            }
            std::string why;
            const auto v4 = dotted::Parse(field, problem ? &why : nullptr, "it", "octet");
            if (!v4) {
                fail(problem, "the IPv4 part " + Shown(field) + ": " + why);
                return std::nullopt;
            }
            if (count < 7) {
                h[count] = std::uint16_t(*v4 >> 16);
                h[count + 1] = std::uint16_t(*v4);
            }
            count += 2;
            dottedTail = true;
            break;
        }
        std::uint16_t v = 0;
        if (!parseHextet(field, v, problem))
            return std::nullopt;
        if (count < 8)
            h[count] = v;
        ++count;
        if (j == n)
            break;
        i = j + 1;
        if (i == n) {
            fail(problem, "a single \":\" at the end");
            return std::nullopt;
        }
        if (s[i] == ':') {
            if (gap >= 0) {
                fail(problem, "\"::\" appears twice");
                return std::nullopt;
            }
            gap = count;
            ++i;
            if (i < n && s[i] == ':') {
                fail(problem, "\":::\" has a colon too many");
                return std::nullopt;
            }
        }
    }

    const char* tailNote = dottedTail ? ", the IPv4 part counting as 2" : "";
    if (count > 8 || (gap >= 0 && count == 8)) {
        if (count > 8)
            fail(problem, "too many hextets (" + std::to_string(count) + tailNote + ")");
        else
            fail(problem, std::string("8 hextets") + (dottedTail ? " (the IPv4 part counting as 2)" : "") +
                              " and \"::\", which stands for at least one more");
        return std::nullopt;
    }
    if (gap < 0 && count < 8) {
        fail(problem, "too few hextets (" + std::to_string(count) + tailNote + ") and no \"::\"");
        return std::nullopt;
    }

    net::uint128 value = 0;
    const int gapLength = gap < 0 ? 0 : 8 - count;
    const int split = gap < 0 ? count : gap;
    for (int k = 0; k < split; ++k)
        value = value << 16 | h[k];
    // "::" alone is all eight hextets: a shift by the whole width is undefined.
    if (gapLength < 8)
        value <<= 16 * gapLength;
    for (int k = split; k < count; ++k)
        value = value << 16 | h[k];
    result.value = value;
    return result;
}

char* Format(net::uint128 value, char* out)
{
    unsigned h[8];
    for (int k = 0; k < 8; ++k)
        h[k] = unsigned(value >> (112 - 16 * k)) & 0xFFFF;

    // IPv4-mapped, ::ffff:0:0/96: the tail in dotted decimal.
    if ((value >> 32) == 0xFFFF) {
        *out++ = ':';
        *out++ = ':';
        for (int k = 0; k < 4; ++k)
            *out++ = 'f';
        *out++ = ':';
        return dotted::Format(std::uint32_t(value), out);
    }

    // The longest run of two or more zero hextets; the first of equal runs.
    int best = -1, bestLength = 1;
    for (int k = 0; k < 8;) {
        if (h[k] != 0) {
            ++k;
            continue;
        }
        int end = k;
        while (end < 8 && h[end] == 0)
            ++end;
        if (end - k > bestLength) {
            best = k;
            bestLength = end - k;
        }
        k = end;
    }
    for (int k = 0; k < 8; ++k) {
        if (k == best) {
            *out++ = ':';
            *out++ = ':';
            k += bestLength - 1;
            continue;
        }
        if (k > 0 && k != best + bestLength)
            *out++ = ':';
        out = hextet(h[k], out);
    }
    return out;
}

std::string ToString(net::uint128 value)
{
    char text[kMaxLength];
    return std::string(text, size_t(Format(value, text) - text));
}

std::string ToString(const Address& address)
{
    std::string text = ToString(address.value);
    if (!address.zone.empty())
        text.append(1, '%').append(address.zone);
    return text;
}

std::string Expanded(net::uint128 value)
{
    std::string text(39, ':');
    for (int k = 0; k < 32; ++k)
        text[size_t(k + k / 4)] = kHex[unsigned(value >> (124 - 4 * k)) & 15];
    return text;
}

std::string Decimal(const net::Count128& count)
{
    if (count.isWhole())
        return "340282366920938463463374607431768211456";
    net::uint128 v = count.low();
    char digits[40];
    char* p = digits + sizeof digits;
    // 19 digits at a time: a 64-bit division per group instead of per digit.
    constexpr std::uint64_t kChunk = 10000000000000000000ull;
    do {
        std::uint64_t part = std::uint64_t(v % kChunk);
        v /= kChunk;
        for (int d = 0; d < 19 && (part != 0 || v != 0); ++d) {
            *--p = char('0' + part % 10);
            part /= 10;
        }
    } while (v != 0);
    if (p == digits + sizeof digits)
        *--p = '0';
    return std::string(p, size_t(digits + sizeof digits - p));
}

} // namespace ipv6text
