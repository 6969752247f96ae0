#include "cli/reportwriter.h"

#include "model/mainformview.h"

#include <algorithm>
#include <string_view>

namespace cli {

namespace {

constexpr size_t kCaptionWidth = 19; // "Broadcast Address: "
constexpr size_t kBinaryWidth = 35;  // 32 digits and 3 dots
constexpr size_t kValueColumn = kCaptionWidth + kBinaryWidth + 2;
constexpr size_t kLineWidth = 80;
constexpr size_t kStatsCaptionWidth = 26; // "Usable IPs (All Subnets): "

const char* const kReset = "\x1b[0m";

const char* colourOf(char portion)
{
    switch (portion) {
    case 'N': return "\x1b[38;2;0;192;0m";
    case 'S': return "\x1b[38;2;255;128;128m";
    case 'H': return "\x1b[38;2;128;128;255m";
    default: return nullptr;
    }
}

// Appends s as UTF-8; true when it held a character JSON must escape.
bool appendUtf8(std::string& out, const QString& s)
{
    const qsizetype n = s.size();
    const char16_t* from = reinterpret_cast<const char16_t*>(s.constData());
    const size_t at = out.size();
    out.resize(at + size_t(n));
    char* to = out.data() + at;
    char16_t all = 0;
    for (qsizetype i = 0; i < n; ++i) {
        all |= from[i];
        to[i] = char(from[i]);
    }
    unsigned char special = 0;
    for (qsizetype i = 0; i < n; ++i)
        special |= (static_cast<unsigned char>(to[i]) < 0x20) | (to[i] == '"') | (to[i] == '\\');
    if (all >= 0x80) {
        out.resize(at);
        const QByteArray bytes = s.toUtf8();
        out.append(bytes.constData(), size_t(bytes.size()));
    }
    return special;
}

void padTo(std::string& out, size_t lineStart, size_t column)
{
    const size_t used = out.size() - lineStart;
    out.append(used < column ? column - used : 1, ' ');
}

// Count of characters, not bytes: the decimal separator may be multi-byte.
size_t columnsOf(const QString& s)
{
    return size_t(s.size());
}

// A value in the value column; when it would run past the line it continues
// on the next line, broken before a note in brackets.
void appendValue(std::string& out, const QString& value)
{
    const size_t room = kLineWidth - kValueColumn;
    QString rest = value;
    while (columnsOf(rest) > room) {
        const qsizetype cut = rest.lastIndexOf(QLatin1String(" ("), qsizetype(room));
        if (cut <= 0)
            break;
        appendUtf8(out, rest.left(cut));
        out += '\n';
        out.append(kValueColumn, ' ');
        rest = rest.mid(cut + 1);
    }
    appendUtf8(out, rest);
}

// Binary text with its digits coloured by the portion bars under them.
void appendBinary(std::string& out, const QString& bits, const std::string& portions, Colour colour)
{
    if (colour == Colour::Off) {
        appendUtf8(out, bits);
        return;
    }
    char current = ' ';
    int digit = 0;
    for (QChar ch : bits) {
        if (ch == QLatin1Char('.')) {
            if (current != ' ')
                out += kReset;
            current = ' ';
            out += '.';
            continue;
        }
        const char p = digit < 32 ? portions[size_t(digit)] : ' ';
        ++digit;
        if (p != current) {
            if (current != ' ')
                out += kReset;
            if (const char* c = colourOf(p))
                out += c;
            current = p;
        }
        out += char(ch.unicode());
    }
    if (current != ' ')
        out += kReset;
}

void appendRow(std::string& out, const char* caption, const QString& bits, const std::string& portions,
               const QString& value, Colour colour)
{
    out += caption;
    // Columns so far: colour codes take none.
    size_t column = std::char_traits<char>::length(caption);
    if (!bits.isEmpty()) {
        out.append(kCaptionWidth - column, ' ');
        appendBinary(out, bits, portions, colour);
        column = kCaptionWidth + columnsOf(bits);
    }
    if (!value.isEmpty()) {
        out.append(column < kValueColumn ? kValueColumn - column : 1, ' ');
        appendValue(out, value);
    }
    out += '\n';
}

void appendStat(std::string& out, const char* caption, const QString& value)
{
    const size_t start = out.size();
    out += caption;
    padTo(out, start, kStatsCaptionWidth);
    appendUtf8(out, value);
    out += '\n';
}

bool needsEscape(char ch)
{
    return static_cast<unsigned char>(ch) < 0x20 || ch == '"' || ch == '\\';
}

void appendJsonString(std::string& out, const QString& s)
{
    out += '"';
    const size_t from = out.size();
    if (appendUtf8(out, s)) {
        const std::string raw = out.substr(from);
        out.resize(from);
        for (char ch : raw) {
            switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (needsEscape(ch)) {
                    static const char hex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += hex[(ch >> 4) & 15];
                    out += hex[ch & 15];
                } else {
                    out += ch;
                }
            }
        }
    }
    out += '"';
}

void appendDotted(std::string& out, const AddressInput& input)
{
    for (int k = 0; k < 4; ++k) {
        if (k > 0)
            out += '.';
        out += std::to_string(input.octets[size_t(k)]);
    }
}

void appendBar(std::string& out, const char* name, const BarGeometry& bar)
{
    out += '"';
    out += name;
    out += "\":[";
    out += std::to_string(bar.left);
    out += ',';
    out += std::to_string(bar.width);
    out += ']';
}

} // namespace

std::string DigitPortions(const MainFormView& view, int row)
{
    std::string out(32, ' ');
    for (int i = 0; i < 32; ++i) {
        const int middle =
            mainform::kBarsLeft + i * mainform::kDigitTwips + (i / 8) * mainform::kDotTwips + mainform::kDigitTwips / 2;
        static const char kinds[] = {'N', 'S', 'H'};
        for (int k = 0; k < 3; ++k) {
            const BarGeometry& bar = view.shapeMaskBits[size_t(3 * row + k)];
            if (bar.width > 0 && middle >= bar.left && middle < bar.left + bar.width)
                out[size_t(i)] = kinds[k];
        }
    }
    return out;
}

void AppendText(std::string& out, const AddressInput& input, const MainFormView& view, Colour colour)
{
    const size_t start = out.size();
    out += "Address:";
    padTo(out, start, kCaptionWidth);
    appendUtf8(out, view.lblValues[11]);
    out += " / ";
    out += std::to_string(input.bits);
    padTo(out, start, kValueColumn);
    out += "Class: ";
    appendUtf8(out, view.lblValues[7]);
    out += '\n';
    out += '\n';

    out.append(kCaptionWidth, ' ');
    out += "Binary:";
    out.append(kBinaryWidth + 2 - 7, ' ');
    out += "Value:\n";

    // Rows in the window's order; their bars are rows 0 to 5 of shapeMaskBits.
    // Without colour only the address row's bars are needed, for the letters.
    const std::string portions = DigitPortions(view, 0);
    const auto barsOf = [&](int row) { return colour == Colour::On ? DigitPortions(view, row) : std::string(); };
    appendRow(out, "IP Address:", view.lblValues[0], portions, view.lblValues[11], colour);
    appendRow(out, "Subnet Address:", view.lblValues[1], barsOf(1), view.lblValues[12], colour);
    out += '\n';
    appendRow(out, "Network Address:", view.lblValues[2], barsOf(2), view.lblValues[13], colour);
    appendRow(out, "Broadcast Address:", view.lblValues[21], barsOf(5), view.lblValues[17], colour);
    out += '\n';
    appendRow(out, "Host Portion:", view.lblValues[3], barsOf(3), view.lblValues[14], colour);
    appendRow(out, "Subnet Portion:", view.lblValues[4], barsOf(4), view.lblValues[15], colour);

    // The bars of the window, as a row of letters under the digits.
    QString letters(int(kBinaryWidth), QLatin1Char('.'));
    for (int i = 0; i < 32; ++i)
        letters[i + i / 8] = QLatin1Char(portions[size_t(i)]);
    appendRow(out, "Portions:", letters, portions, QStringLiteral("N net, S subnet, H host"), colour);
    out += '\n';

    appendUtf8(out, view.lblSubnetRange);
    out += "\n\n";

    appendStat(out, "Number of subnets:", view.lblValues[5]);
    appendStat(out, "Num hosts per subnet:", view.lblValues[6]);
    appendStat(out, "Usable IPs (All Subnets):", view.lblValues[16]);
    appendStat(out, "Bits for Network:", view.lblValues[8]);
    appendStat(out, "Bits for Subnet:", view.lblValues[9]);
    appendStat(out, "Bits for Hosts:", view.lblValues[10]);
}

void AppendJson(std::string& out, const AddressInput& input, const MainFormView& view)
{
    using namespace std::string_view_literals;
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
    for (const auto& [key, index] : labels) {
        out.append(key);
        appendJsonString(out, view.lblValues[size_t(index)]);
    }
    out.append(",\"range\":"sv);
    appendJsonString(out, view.lblSubnetRange);
    out.append(",\"address\":\""sv);
    appendDotted(out, input);
    out.append("\",\"mask_bits\":"sv);
    out += std::to_string(input.bits);
    out.append(view.subnetted ? ",\"subnetted\":true,\"bars\":{"sv : ",\"subnetted\":false,\"bars\":{"sv);
    appendBar(out, "network", view.shapeMaskBits[0]);
    out += ',';
    appendBar(out, "subnet", view.shapeMaskBits[1]);
    out += ',';
    appendBar(out, "host", view.shapeMaskBits[2]);
    out += '}';
    if (view.supernet)
        out.append(",\"supernet\":true"sv);
    out.append("}\n"sv);
}

} // namespace cli
