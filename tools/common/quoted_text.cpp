#include "quoted_text.h"

#include <cstdio>

std::string Quoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char character : text) {
        const auto code = static_cast<unsigned char>(character);
        switch (character) {
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        case '\'': quoted += "\\'"; break;
        case '\\': quoted += "\\\\"; break;
        default:
            if (code < 0x20 || code == 0x7f) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\x%02x", code);
                quoted += escape;
            } else {
                quoted += character;
            }
        }
    }
    return quoted + "'";
}
