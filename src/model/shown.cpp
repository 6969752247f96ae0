#include "model/shown.h"

namespace {

constexpr size_t kShownLength = 64;

} // namespace

std::string_view Trimmed(std::string_view text)
{
    constexpr const char* blanks = " \t\r\n\f\v";
    const size_t from = text.find_first_not_of(blanks);
    if (from == std::string_view::npos)
        return {};
    return text.substr(from, text.find_last_not_of(blanks) - from + 1);
}

std::string Shown(std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (size_t i = 0; i < text.size() && i < kShownLength; ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        if (ch == '\t') {
            out += "\\t";
        } else if (ch < 0x20 || ch >= 0x7f || ch == '\\' || ch == '"') {
            if (ch == '\\' || ch == '"') {
                out += '\\';
                out += char(ch);
            } else {
                out += "\\x";
                out += hex[ch >> 4];
                out += hex[ch & 15];
            }
        } else {
            out += char(ch);
        }
    }
    out += '"';
    if (text.size() > kShownLength)
        out += "\xE2\x80\xA6"; // …
    return out;
}
