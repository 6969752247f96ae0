#pragma once
// Pieces the IPv4 and IPv6 report writers share: portion colours, padding
// and JSON members.
#include "cli/reportwriter.h"
#include "model/reversezones.h"
#include "model/addresstypes.h"
#include "util/textsink.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cli::parts {

using namespace std::string_view_literals;

constexpr size_t kLineWidth = 80;
constexpr std::string_view kReset = "\x1b[0m"sv;

// Characters, not bytes: the decimal separator may take several bytes.
inline size_t columns(std::string_view s)
{
    size_t n = 0;
    for (char ch : s)
        n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return n;
}

inline void pad(TextSink& out, size_t used, size_t column)
{
    out.spaces(used < column ? column - used : 1);
}

// The window's colours: N network (green), S subnet (pink), H host (blue).
// Any other portion letter stands for a digit of two portions: uncoloured.
inline std::string_view colourOf(char portion)
{
    switch (portion) {
    case 'N': return "\x1b[38;2;0;192;0m"sv;
    case 'S': return "\x1b[38;2;255;128;128m"sv;
    case 'H': return "\x1b[38;2;128;128;255m"sv;
    default: return {};
    }
}

// Digits each coloured by its portion (portions: one letter a digit); the
// characters in `separators` between them stay uncoloured.
inline void appendPortions(TextSink& out, std::string_view digits, std::string_view portions, Colour colour,
                           std::string_view separators)
{
    if (colour == Colour::Off) {
        out << digits;
        return;
    }
    std::string_view current;
    size_t digit = 0;
    for (char ch : digits) {
        if (separators.find(ch) != std::string_view::npos) {
            if (!current.empty())
                out << kReset;
            current = {};
            out << ch;
            continue;
        }
        const std::string_view c = colourOf(portions[digit++]);
        if (c != current) {
            if (!current.empty())
                out << kReset;
            out << c;
            current = c;
        }
        out << ch;
    }
    if (!current.empty())
        out << kReset;
}

// The characters a JSON string cannot hold as they are: quotes, backslashes
// and control characters.
struct JsonEscapes {
    bool needed[256] = {};
    constexpr JsonEscapes()
    {
        for (int ch = 0; ch < 0x20; ++ch)
            needed[ch] = true;
        needed[int('"')] = needed[int('\\')] = true;
    }
};
inline constexpr JsonEscapes kJsonEscapes;

inline void appendJsonString(TextSink& out, std::string_view s)
{
    static const char hex[] = "0123456789abcdef";
    out << '"';
    for (;;) {
        size_t special = 0;
        while (special < s.size() && !kJsonEscapes.needed[static_cast<unsigned char>(s[special])])
            ++special;
        if (special == s.size())
            break;
        out << s.substr(0, special);
        const char ch = s[special];
        switch (ch) {
        case '"': out << "\\\""sv; break;
        case '\\': out << "\\\\"sv; break;
        case '\n': out << "\\n"sv; break;
        case '\t': out << "\\t"sv; break;
        default: out << "\\u00"sv << hex[(ch >> 4) & 15] << hex[ch & 15];
        }
        s.remove_prefix(special + 1);
    }
    out << s << '"';
}

// The members of one JSON object, separated by commas as they are added.
class JsonObject {
public:
    explicit JsonObject(TextSink& out) : out_(out) { out_ << '{'; }
    ~JsonObject() { out_ << '}'; }
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    TextSink& key(std::string_view name)
    {
        if (!first_)
            out_ << ',';
        first_ = false;
        return out_ << '"' << name << "\":"sv;
    }
    void text(std::string_view name, std::string_view value) { appendJsonString(key(name), value); }
    void number(std::string_view name, std::int64_t value) { key(name) << value; }
    void fraction(std::string_view name, double value) { key(name) << value; }
    void flag(std::string_view name, bool value) { key(name) << (value ? "true"sv : "false"sv); }
    void null(std::string_view name) { key(name) << "null"sv; }

protected:
    TextSink& out_;
    bool first_ = true;
};

// The caption and the zones, as many a line as fit from `column` on, each line after the
// first indented to it. A long list reads as its first and last zone.
inline void appendZones(TextSink& out, std::string_view caption, size_t column, const reversezones::Zones& zones)
{
    out << caption;
    constexpr std::uint32_t kListed = 16;
    if (zones.count() > kListed) {
        pad(out, caption.size(), column);
        out << zones.zone(0) << " to "sv << zones.zone(zones.count() - 1) << " ("sv
            << std::int64_t(zones.count()) << " zones)\n"sv;
        return;
    }
    // A name too long for the value column (an IPv6 address's own, 72
    // characters) goes on a line of its own, as do those after it.
    if (column + zones.zone(0).size() > kLineWidth) {
        column = 2;
        (out << '\n').spaces(column);
    } else {
        pad(out, caption.size(), column);
    }
    size_t used = column;
    for (std::uint32_t i = 0; i < zones.count(); ++i) {
        const std::string zone = zones.zone(i);
        if (i > 0 && used + 1 + zone.size() > kLineWidth) {
            out << '\n';
            out.spaces(column);
            used = column;
        } else if (i > 0) {
            out << ' ';
            ++used;
        }
        out << zone;
        used += zone.size();
    }
    out << '\n';
}

// "Shared Address Space (RFC 6598), not globally reachable", broken before
// the reachability when the line would run past 80 columns.
template <int Width>
void appendType(TextSink& out, const specialpurpose::Entry<Width>& e, size_t column)
{
    std::string type = e.name;
    if (*e.rfc)
        type.append(" (").append(e.rfc).append(")");
    out << type;
    if (e.globallyReachable == specialpurpose::Reachable::NotApplicable) {
        out << '\n';
        return;
    }
    const std::string_view reach =
        e.globallyReachable == specialpurpose::Reachable::True ? "globally reachable"sv : "not globally reachable"sv;
    if (column + type.size() + 2 + reach.size() > kLineWidth)
        (out << ",\n"sv).spaces(column);
    else
        out << ", "sv;
    out << reach << '\n';
}

// The type's members: name, RFC (null when none) and reachability (null
// where the registry says N/A).
template <int Width, typename Object>
void jsonType(Object& o, const specialpurpose::Entry<Width>& e)
{
    o.text("type"sv, e.name);
    if (*e.rfc)
        o.text("type_rfc"sv, e.rfc);
    else
        o.null("type_rfc"sv);
    if (e.globallyReachable == specialpurpose::Reachable::NotApplicable)
        o.null("globally_reachable"sv);
    else
        o.flag("globally_reachable"sv, e.globallyReachable == specialpurpose::Reachable::True);
}

// "reverse_zones": every zone, as strings.
template <typename Object>
void jsonZones(Object& o, const reversezones::Zones& zones)
{
    TextSink& out = o.key("reverse_zones"sv);
    out << '[';
    for (std::uint32_t i = 0; i < zones.count(); ++i) {
        if (i > 0)
            out << ',';
        appendJsonString(out, zones.zone(i));
    }
    out << ']';
}

} // namespace cli::parts
