// Fuzzes the demo's command-line parser: the bytes are split at zero bytes
// into arguments. Whatever they are, the result is the usage (asked for), or
// options within their ranges that ask for something, or a refusal in one
// printable line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "demo_options.h"
#include "fuzzed_command_line.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "demo options fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string_view> arguments = FuzzedArguments(data, size);
    try {
        const DemoRequest request = ParseDemoArguments(arguments);
        if (const auto* options = std::get_if<DemoOptions>(&request)) {
            if (options->monitor && *options->monitor < 0) Fail("negative monitor");
            // There is always an argument here, if an empty one.
            if (!options->windowed && !options->monitor) Fail("arguments taken without an effect");
        } else if (!MentionsHelp(arguments)) {
            Fail("usage shown unasked");
        }
    } catch (const UsageError& refusal) {
        if (!IsOnePrintableLine(refusal.what())) Fail("refusal is not one printable line");
    }
    return 0;
}
