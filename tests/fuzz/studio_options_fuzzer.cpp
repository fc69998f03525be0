// Fuzzes quorl-studio's command-line parser: the bytes are split at zero bytes
// into arguments. Whatever they are, the result is the usage (asked for), or
// options within their ranges, or a refusal in one printable line.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include "fuzzed_command_line.h"
#include "studio_options.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "studio options fuzzer: %s\n", what);
    std::abort();
}

void CheckOptions(const StudioOptions& options)
{
    if (!std::isfinite(options.at) || options.at < 0.0) Fail("clock reading outside 0 and on");
    if (!(options.scale > 0.0 && options.scale <= 1.0)) Fail("scale outside (0, 1]");
    for (const int side : {options.window.width, options.window.height}) {
        if (side < 1 || side > kLargestPixelSide) Fail("window side out of range");
    }
    if (options.monitor && *options.monitor < 0) Fail("negative monitor");
    std::error_code error;
    if (options.project && !std::filesystem::is_directory(*options.project, error)) Fail("project is not a folder");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string_view> arguments = FuzzedArguments(data, size);
    try {
        const StudioRequest request = ParseStudioArguments(arguments, {});
        if (const auto* options = std::get_if<StudioOptions>(&request)) {
            CheckOptions(*options);
        } else if (!MentionsHelp(arguments)) {
            Fail("usage shown unasked");
        }
    } catch (const UsageError& refusal) {
        if (!IsOnePrintableLine(refusal.what())) Fail("refusal is not one printable line");
    }
    return 0;
}
