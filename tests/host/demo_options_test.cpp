// The demo's command line, read by the library's one reader of command lines:
// what each option sets, the usage, and the one-line refusal of everything
// else (exit status 2 in main, before any window opens).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo_options.h"

namespace {

using Arguments = std::vector<std::string_view>;

std::string Refusal(const Arguments& arguments)
{
    try {
        ParseDemoArguments(arguments);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

TEST(DemoOptions, EachOptionSetsItsValueAndNoneIsThePartysDemo)
{
    const struct {
        Arguments arguments;
        bool windowed;
        std::optional<int> monitor;
    } cases[] = {
        {{}, false, std::nullopt},
        {{"--windowed"}, true, std::nullopt},
        {{"--monitor", "1"}, false, 1},
        {{"--monitor", "0", "--windowed"}, true, 0},
    };
    for (const auto& c : cases) {
        const DemoOptions options = std::get<DemoOptions>(ParseDemoArguments(c.arguments));
        EXPECT_EQ(options.windowed, c.windowed) << c.arguments.size();
        EXPECT_EQ(options.monitor, c.monitor) << c.arguments.size();
    }
}

TEST(DemoOptions, HelpIsAskedForWhereverItStandsExceptAsAValue)
{
    for (const Arguments& help : {Arguments{"--help"}, Arguments{"-h"}, Arguments{"--bogus", "--help"},
                                  Arguments{"--windowed", "-h"}, Arguments{"--monitor", "--help"}}) {
        EXPECT_TRUE(std::holds_alternative<ShowDemoUsage>(ParseDemoArguments(help))) << help.back();
    }
    EXPECT_EQ(Refusal({"--monitor", "-h"}), "--monitor '-h' is not a monitor number (0, 1, ...)");
}

TEST(DemoOptions, EverythingElseIsRefusedInOneLine)
{
    const struct {
        Arguments arguments;
        const char* refusal;
    } cases[] = {
        {{"--fullscreen"}, "unknown option '--fullscreen'"},
        {{"city"}, "unexpected argument 'city'"},
        {{"--monitor"}, "--monitor needs a value"},
        {{"--monitor", "--windowed"}, "--monitor needs a value"},
        {{"--windowed", "--windowed"}, "--windowed is given twice"},
        {{"--monitor", "1", "--monitor", "2"}, "--monitor is given twice"},
        {{"--monitor", "-1"}, "--monitor '-1' is not a monitor number (0, 1, ...)"},
        {{"--monitor", "one"}, "--monitor 'one' is not a monitor number (0, 1, ...)"},
        {{"--windowed\n"}, "unknown option '--windowed\\n'"},
    };
    for (const auto& c : cases) EXPECT_EQ(Refusal(c.arguments), c.refusal) << c.refusal;
}

}  // namespace
