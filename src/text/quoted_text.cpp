#include "text/quoted_text.h"

#include <cstdio>

namespace {

bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// `at`, moved back to the start of the character it falls in; UTF-8 has at
// most three continuation bytes, so a longer run is left as it is.
std::size_t StartOfCharacter(std::string_view text, std::size_t at)
{
    const std::size_t lowest = at > 3 ? at - 3 : 0;
    std::size_t start = at;
    while (start > lowest && IsContinuationByte(text[start])) --start;
    return IsContinuationByte(text[start]) ? at : start;
}

// The length of the UTF-8 sequence of one printable character above ASCII at
// the start of `text`, or 0 where there is none: a stray or overlong byte, a
// surrogate, a code point past U+10FFFF, or a C1 control (U+0080 to U+009F,
// which some terminals obey).
std::size_t PrintableSequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4                                      ? 4
                                                                                                 : 0;
    if (length == 0 || text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuationByte(text[i])) return 0;
    }
    const unsigned char second = byte(1);
    const bool valid = !(lead == 0xC2 && second < 0xA0) && !(lead == 0xE0 && second < 0xA0) &&
                       !(lead == 0xED && second >= 0xA0) && !(lead == 0xF0 && second < 0x90) &&
                       !(lead == 0xF4 && second >= 0x90);
    return valid ? length : 0;
}

std::string QuotedWhole(std::string_view text)
{
    std::string quoted = "'";
    while (!text.empty()) {
        const char character = text.front();
        const auto code = static_cast<unsigned char>(character);
        std::size_t taken = 1;
        switch (character) {
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        case '\'': quoted += "\\'"; break;
        case '\\': quoted += "\\\\"; break;
        default:
            if (code >= 0x20 && code < 0x7F) {
                quoted += character;
            } else if (const std::size_t length = PrintableSequenceLength(text); length > 0) {
                quoted += text.substr(0, length);
                taken = length;
            } else {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\x%02x", code);
                quoted += escape;
            }
        }
        text.remove_prefix(taken);
    }
    return quoted + "'";
}

}  // namespace

std::string Quoted(std::string_view text)
{
    if (text.size() <= kQuotedWholeBytes) return QuotedWhole(text);
    // Each end keeps whole characters.
    const std::size_t headEnd = StartOfCharacter(text, kQuotedEndBytes);
    const std::size_t tailStart = StartOfCharacter(text, text.size() - kQuotedEndBytes);
    return QuotedWhole(text.substr(0, headEnd)) + "..." + QuotedWhole(text.substr(tailStart));
}
