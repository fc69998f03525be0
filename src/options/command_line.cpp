// Walking a command line's words.
#include "options/command_line.h"

#include <algorithm>
#include <string>

#include "options/option_values.h"
#include "text/quoted_text.h"

namespace {

const OptionSpec* Find(std::span<const OptionSpec> options, std::string_view name)
{
    const auto found =
        std::find_if(options.begin(), options.end(), [name](const OptionSpec& option) { return option.name == name; });
    return found == options.end() ? nullptr : &*found;
}

bool TakesValue(std::span<const OptionSpec> options, std::string_view name)
{
    const OptionSpec* option = Find(options, name);
    return option != nullptr && option->takesValue;
}

}  // namespace

bool AsksForHelp(std::span<const std::string_view> arguments, std::span<const OptionSpec> options)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--help") return true;
        if (arguments[i] == "-h" && (i == 0 || !TakesValue(options, arguments[i - 1]))) return true;
    }
    return false;
}

GivenOptions ReadOptions(std::span<const std::string_view> arguments, std::span<const OptionSpec> options)
{
    GivenOptions given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = arguments[i];
        const OptionSpec* option = Find(options, name);
        if (option == nullptr) {
            throw UsageError(name.starts_with("-") ? "unknown option " + Quoted(name)
                                                   : "unexpected argument " + Quoted(name));
        }
        std::string_view value;
        if (option->takesValue) {
            if (i + 1 == arguments.size() || arguments[i + 1].starts_with("--")) {
                throw UsageError(std::string(name) + " needs a value");
            }
            value = arguments[++i];
        }
        if (!given.emplace(name, value).second) throw UsageError(std::string(name) + " is given twice");
    }
    return given;
}
