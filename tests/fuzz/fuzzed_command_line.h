// What the command-line fuzzers share: the fuzzer's bytes as the arguments
// of a command line, and the checks that every program's reading of one
// passes whatever they are.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

// The bytes split at zero bytes: always one argument at least, if empty.
inline std::vector<std::string_view> FuzzedArguments(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> arguments;
    for (std::size_t start = 0; start <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        arguments.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

// Whether --help or -h is among them: only then may the usage be shown.
inline bool MentionsHelp(const std::vector<std::string_view>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [](std::string_view argument) { return argument == "--help" || argument == "-h"; });
}

// A refusal is one printable line, never empty.
inline bool IsOnePrintableLine(std::string_view message)
{
    return !message.empty() && std::none_of(message.begin(), message.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
}
