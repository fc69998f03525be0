// Extracting compiler messages from raylib's log lines.
#include "compiler_messages.h"

#include <string_view>

std::string CompilerMessages(std::span<const std::string> loggedLines)
{
    std::string messages;
    for (const std::string& logged : loggedLines) {
        std::string_view line = logged;
        if (line.find("Failed to ") != std::string_view::npos) continue;
        for (const std::string_view wrapper : {"Compile error: ", "Link error: "}) {
            const std::size_t at = line.find(wrapper);
            if (at != std::string_view::npos) line.remove_prefix(at + wrapper.size());
        }
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (line.empty()) continue;
        if (!messages.empty()) messages += '\n';
        messages += line;
    }
    return messages;
}
