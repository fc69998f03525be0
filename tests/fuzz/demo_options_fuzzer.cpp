// Fuzzes the demo's command-line parser: the bytes are split at zero bytes
// into arguments. Whatever they are, the result is the usage (asked for), or
// options within their ranges, or a refusal in one printable line.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "demo_options.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "demo options fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> arguments;
    for (std::size_t start = 0; start <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        arguments.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    const bool askedForHelp =
        std::any_of(arguments.begin(), arguments.end(),
                    [](std::string_view argument) { return argument == "--help" || argument == "-h"; });
    try {
        const DemoRequest request = ParseDemoArguments(arguments);
        if (const auto* options = std::get_if<DemoOptions>(&request)) {
            if (options->monitor && *options->monitor < 0) Fail("negative monitor");
            // There is always an argument here, if an empty one.
            if (!options->windowed && !options->monitor) Fail("arguments taken without an effect");
        } else if (!askedForHelp) {
            Fail("usage shown unasked");
        }
    } catch (const UsageError& refusal) {
        const std::string_view message = refusal.what();
        if (message.empty()) Fail("empty refusal");
        for (const char c : message) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) Fail("refusal is not one printable line");
        }
    }
    return 0;
}
