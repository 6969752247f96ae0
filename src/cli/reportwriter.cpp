#include "cli/reportwriter.h"

#include "model/mainformview.h"

#include <QByteArray>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cli {

namespace {

using namespace std::string_view_literals;

constexpr size_t kCaptionWidth = 19; // "Broadcast Address: "
constexpr size_t kBinaryWidth = 35;  // 32 digits and 3 dots
constexpr size_t kValueColumn = kCaptionWidth + kBinaryWidth + 2;
constexpr size_t kLineWidth = 80;
constexpr size_t kStatsCaptionWidth = 26; // "Usable IPs (All Subnets): "

constexpr std::string_view kReset = "\x1b[0m"sv;

std::string_view colourOf(char portion)
{
    switch (portion) {
    case 'N': return "\x1b[38;2;0;192;0m"sv;
    case 'S': return "\x1b[38;2;255;128;128m"sv;
    case 'H': return "\x1b[38;2;128;128;255m"sv;
    default: return {};
    }
}

// Writes straight into the report's buffer, which is grown ahead of the
// writing and cut back to what was written when the sink goes: a report
// writes about a kilobyte per address in several hundred small pieces.
class Sink {
public:
    explicit Sink(std::string& out) : out_(out), p_(out.data() + out.size()), end_(p_) { grow(kChunk); }
    ~Sink() { out_.resize(size()); }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    size_t size() const { return size_t(p_ - out_.data()); }
    Sink& operator<<(char ch)
    {
        need(1);
        *p_++ = ch;
        return *this;
    }
    Sink& operator<<(std::string_view s)
    {
        need(s.size());
        std::memcpy(p_, s.data(), s.size());
        p_ += s.size();
        return *this;
    }
    // Blanks to line up columns: usually a few dozen, copied as one fixed
    // block of which only count stay.
    void spaces(size_t count)
    {
        static constexpr char kBlanks[] = "                                                                ";
        constexpr size_t kBlock = sizeof kBlanks - 1;
        need(std::max(count, kBlock));
        if (count <= kBlock)
            std::memcpy(p_, kBlanks, kBlock);
        else
            std::memset(p_, ' ', count);
        p_ += count;
    }
    // Spaces up to column (counted from lineStart), at least one.
    void padTo(size_t lineStart, size_t column)
    {
        const size_t used = size() - lineStart;
        spaces(used < column ? column - used : 1);
    }
    void number(long v)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
        *this << std::string_view(digits, size_t(end - digits));
    }
    // s as UTF-8; true when it held a character JSON must escape.
    bool text(QStringView s)
    {
        const size_t n = size_t(s.size());
        need(n);
        const char16_t* from = s.utf16();
        char* to = p_;
        size_t i = 0;
        bool wide = false;
        bool special = false;
#if defined(__SSE2__)
        // Eight characters at a time: the report is mostly such texts.
        const __m128i blank = _mm_set1_epi16(0x20);
        const __m128i quote = _mm_set1_epi16('"');
        const __m128i backslash = _mm_set1_epi16('\\');
        const __m128i high = _mm_set1_epi16(short(0xFF80));
        __m128i any = _mm_setzero_si128();
        __m128i escapes = _mm_setzero_si128();
        for (; i + 8 <= n; i += 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            any = _mm_or_si128(any, v);
            // A signed compare: characters from U+8000 count as below the
            // blank too, which only asks for a closer look.
            escapes = _mm_or_si128(escapes, _mm_or_si128(_mm_cmplt_epi16(v, blank),
                                                          _mm_or_si128(_mm_cmpeq_epi16(v, quote),
                                                                       _mm_cmpeq_epi16(v, backslash))));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(to + i), _mm_packus_epi16(v, v));
        }
        wide = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(any, high), _mm_setzero_si128())) != 0xFFFF;
        special = _mm_movemask_epi8(escapes) != 0;
#endif
        for (; i < n; ++i) {
            const char16_t ch = from[i];
            wide |= ch >= 0x80;
            special |= (ch < 0x20) | (ch == u'"') | (ch == u'\\');
            to[i] = char(ch);
        }
        if (!wide) {
            p_ += n;
        } else {
            const QByteArray bytes = s.toUtf8();
            *this << std::string_view(bytes.constData(), size_t(bytes.size()));
        }
        return special;
    }
    // Moves back to an earlier size (to rewrite what was written from there).
    void cutTo(size_t at) { p_ = out_.data() + at; }
    std::string_view since(size_t at) const { return std::string_view(out_.data() + at, size() - at); }

private:
    // Below the size where memset switches to string stores, which are slower
    // to start; a text report is about a kilobyte per address.
    static constexpr size_t kChunk = 1536;
    void need(size_t count)
    {
        if (size_t(end_ - p_) < count)
            grow(count);
    }
    void grow(size_t count)
    {
        const size_t at = size();
        out_.resize(at + std::max(count, kChunk));
        p_ = out_.data() + at;
        end_ = out_.data() + out_.size();
    }
    std::string& out_;
    char* p_;
    char* end_;
};

// A value in the value column; when it would run past the line it continues
// on the next line, broken before a note in brackets. Columns are counted in
// characters, not bytes: the decimal separator may be multi-byte.
void appendValue(Sink& out, QStringView value)
{
    const qsizetype room = qsizetype(kLineWidth - kValueColumn);
    QStringView rest = value;
    while (rest.size() > room) {
        const qsizetype cut = rest.lastIndexOf(QLatin1String(" ("), room);
        if (cut <= 0)
            break;
        out.text(rest.left(cut));
        out << '\n';
        out.spaces(kValueColumn);
        rest = rest.mid(cut + 1);
    }
    out.text(rest);
}

using Portions = std::array<char, 32>;

// Binary text with its digits coloured by the portion bars under them.
void appendBinary(Sink& out, QStringView bits, const Portions& portions, Colour colour)
{
    if (colour == Colour::Off) {
        out.text(bits);
        return;
    }
    char current = ' ';
    size_t digit = 0;
    for (QChar ch : bits) {
        if (ch == QLatin1Char('.')) {
            if (current != ' ')
                out << kReset;
            current = ' ';
            out << '.';
            continue;
        }
        const char p = digit < 32 ? portions[digit] : ' ';
        ++digit;
        if (p != current) {
            if (current != ' ')
                out << kReset;
            out << colourOf(p);
            current = p;
        }
        out << char(ch.unicode());
    }
    if (current != ' ')
        out << kReset;
}

void appendRow(Sink& out, std::string_view caption, QStringView bits, const Portions& portions, QStringView value,
               Colour colour)
{
    out << caption;
    // Columns so far: colour codes take none.
    size_t column = caption.size();
    if (!bits.isEmpty()) {
        out.spaces(kCaptionWidth - column);
        appendBinary(out, bits, portions, colour);
        column = kCaptionWidth + size_t(bits.size());
    }
    if (!value.isEmpty()) {
        out.spaces(column < kValueColumn ? kValueColumn - column : 1);
        appendValue(out, value);
    }
    out << '\n';
}

void appendStat(Sink& out, std::string_view caption, QStringView value)
{
    const size_t start = out.size();
    out << caption;
    out.padTo(start, kStatsCaptionWidth);
    out.text(value);
    out << '\n';
}

bool needsEscape(char ch)
{
    return static_cast<unsigned char>(ch) < 0x20 || ch == '"' || ch == '\\';
}

void appendJsonString(Sink& out, QStringView s)
{
    out << '"';
    const size_t from = out.size();
    if (out.text(s)) {
        const std::string raw(out.since(from));
        out.cutTo(from);
        for (char ch : raw) {
            switch (ch) {
            case '"': out << "\\\""sv; break;
            case '\\': out << "\\\\"sv; break;
            case '\n': out << "\\n"sv; break;
            case '\r': out << "\\r"sv; break;
            case '\t': out << "\\t"sv; break;
            default:
                if (needsEscape(ch)) {
                    static const char hex[] = "0123456789abcdef";
                    out << "\\u00"sv << hex[(ch >> 4) & 15] << hex[ch & 15];
                } else {
                    out << ch;
                }
            }
        }
    }
    out << '"';
}

void appendDotted(Sink& out, const AddressInput& input)
{
    for (size_t k = 0; k < 4; ++k) {
        if (k > 0)
            out << '.';
        out.number(input.octets[k]);
    }
}

void appendBar(Sink& out, std::string_view name, const BarGeometry& bar)
{
    out << '"' << name << "\":["sv;
    out.number(bar.left);
    out << ',';
    out.number(bar.width);
    out << ']';
}

// The middle of each binary digit, in twips from the left of the window.
struct DigitMiddles {
    int at[32];
};
constexpr DigitMiddles makeDigitMiddles()
{
    DigitMiddles m{};
    for (int i = 0; i < 32; ++i)
        m.at[i] = mainform::kBarsLeft + i * mainform::kDigitTwips + (i / 8) * mainform::kDotTwips +
                  mainform::kDigitTwips / 2;
    return m;
}
constexpr DigitMiddles kDigitMiddles = makeDigitMiddles();

Portions portionsOf(const MainFormView& view, int row)
{
    // Each bar as the half-open range of twips it covers (empty when it has
    // no width); a later bar wins where two overlap.
    int from[3];
    int to[3];
    for (size_t k = 0; k < 3; ++k) {
        const BarGeometry& bar = view.shapeMaskBits[size_t(3 * row) + k];
        from[k] = bar.left;
        to[k] = bar.width > 0 ? bar.left + bar.width : bar.left;
    }
    Portions out;
    for (size_t i = 0; i < 32; ++i) {
        const int middle = kDigitMiddles.at[i];
        char kind = ' ';
        kind = middle >= from[0] && middle < to[0] ? 'N' : kind;
        kind = middle >= from[1] && middle < to[1] ? 'S' : kind;
        kind = middle >= from[2] && middle < to[2] ? 'H' : kind;
        out[i] = kind;
    }
    return out;
}

} // namespace

std::string DigitPortions(const MainFormView& view, int row)
{
    const Portions p = portionsOf(view, row);
    return std::string(p.data(), p.size());
}

void AppendText(std::string& buffer, const AddressInput& input, const MainFormView& view, Colour colour)
{
    Sink out(buffer);
    const size_t start = out.size();
    out << "Address:"sv;
    out.padTo(start, kCaptionWidth);
    out.text(view.lblValues[11]);
    out << " / "sv;
    out.number(input.bits);
    out.padTo(start, kValueColumn);
    out << "Class: "sv;
    out.text(view.lblValues[7]);
    out << "\n\n"sv;

    out.spaces(kCaptionWidth);
    out << "Binary:"sv;
    out.spaces(kBinaryWidth + 2 - 7);
    out << "Value:\n"sv;

    // Rows in the window's order; their bars are rows 0 to 5 of shapeMaskBits.
    // Without colour only the address row's bars are needed, for the letters.
    const Portions portions = portionsOf(view, 0);
    const auto barsOf = [&](int row) { return colour == Colour::On ? portionsOf(view, row) : Portions{}; };
    appendRow(out, "IP Address:"sv, view.lblValues[0], portions, view.lblValues[11], colour);
    appendRow(out, "Subnet Address:"sv, view.lblValues[1], barsOf(1), view.lblValues[12], colour);
    out << '\n';
    appendRow(out, "Network Address:"sv, view.lblValues[2], barsOf(2), view.lblValues[13], colour);
    appendRow(out, "Broadcast Address:"sv, view.lblValues[21], barsOf(5), view.lblValues[17], colour);
    out << '\n';
    appendRow(out, "Host Portion:"sv, view.lblValues[3], barsOf(3), view.lblValues[14], colour);
    appendRow(out, "Subnet Portion:"sv, view.lblValues[4], barsOf(4), view.lblValues[15], colour);

    // The bars of the window, as a row of letters under the digits.
    char16_t letters[kBinaryWidth];
    for (size_t group = 0; group < 4; ++group) {
        for (size_t i = 0; i < 8; ++i)
            letters[group * 9 + i] = char16_t(portions[group * 8 + i]);
        if (group < 3)
            letters[group * 9 + 8] = u'.';
    }
    appendRow(out, "Portions:"sv, QStringView(letters, qsizetype(kBinaryWidth)), portions, u"N net, S subnet, H host",
              colour);
    out << '\n';

    out.text(view.lblSubnetRange);
    out << "\n\n"sv;

    appendStat(out, "Number of subnets:"sv, view.lblValues[5]);
    appendStat(out, "Num hosts per subnet:"sv, view.lblValues[6]);
    appendStat(out, "Usable IPs (All Subnets):"sv, view.lblValues[16]);
    appendStat(out, "Bits for Network:"sv, view.lblValues[8]);
    appendStat(out, "Bits for Subnet:"sv, view.lblValues[9]);
    appendStat(out, "Bits for Hosts:"sv, view.lblValues[10]);
}

void AppendJson(std::string& buffer, const AddressInput& input, const MainFormView& view)
{
    static constexpr std::pair<std::string_view, int> labels[] = {
        {"{\"ip_binary\":"sv, 0},
        {",\"mask_binary\":"sv, 1},
        {",\"network_binary\":"sv, 2},
        {",\"broadcast_binary\":"sv, 21},
        {",\"host_binary\":"sv, 3},
        {",\"subnet_binary\":"sv, 4},
        {",\"ip\":"sv, 11},
        {",\"mask\":"sv, 12},
        {",\"network\":"sv, 13},
        {",\"broadcast\":"sv, 17},
        {",\"host\":"sv, 14},
        {",\"subnet\":"sv, 15},
        {",\"subnets\":"sv, 5},
        {",\"hosts_per_subnet\":"sv, 6},
        {",\"usable\":"sv, 16},
        {",\"class\":"sv, 7},
        {",\"network_bits\":"sv, 8},
        {",\"subnet_bits\":"sv, 9},
        {",\"host_bits\":"sv, 10},
    };
    Sink out(buffer);
    for (const auto& [key, index] : labels) {
        out << key;
        appendJsonString(out, view.lblValues[size_t(index)]);
    }
    out << ",\"range\":"sv;
    appendJsonString(out, view.lblSubnetRange);
    out << ",\"address\":\""sv;
    appendDotted(out, input);
    out << "\",\"mask_bits\":"sv;
    out.number(input.bits);
    out << (view.subnetted ? ",\"subnetted\":true,\"bars\":{"sv : ",\"subnetted\":false,\"bars\":{"sv);
    appendBar(out, "network"sv, view.shapeMaskBits[0]);
    out << ',';
    appendBar(out, "subnet"sv, view.shapeMaskBits[1]);
    out << ',';
    appendBar(out, "host"sv, view.shapeMaskBits[2]);
    out << '}';
    if (view.supernet)
        out << ",\"supernet\":true"sv;
    out << "}\n"sv;
}

} // namespace cli
