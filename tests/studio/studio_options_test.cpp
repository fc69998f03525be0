// quorl-studio's command line: what each option sets, and the one-line
// refusal of everything it cannot use (exit status 2 in main, before any
// window opens).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "studio_options.h"
#include "text/quoted_text.h"

namespace {

StudioRequest Parse(std::vector<std::string_view> arguments, const std::filesystem::path& defaultProject = {})
{
    return ParseStudioArguments(arguments, defaultProject);
}

StudioOptions Options(std::vector<std::string_view> arguments, const std::filesystem::path& defaultProject = {})
{
    return std::get<StudioOptions>(Parse(std::move(arguments), defaultProject));
}

// The message of the refusal, or "" when the arguments were taken.
std::string Refusal(std::vector<std::string_view> arguments)
{
    try {
        Parse(std::move(arguments));
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

// ---------------------------------------------------------------------------
// What the options set
// ---------------------------------------------------------------------------

TEST(StudioOptionValues, NoArgumentsGiveTheDefaultsAndTheBuildsProject)
{
    const std::filesystem::path tree = std::filesystem::temp_directory_path();
    const StudioOptions options = Options({}, tree);
    EXPECT_EQ(options.project, tree);
    EXPECT_EQ(options.at, 0.0);
    EXPECT_EQ(options.window, (PixelSize{1280, 720}));
    EXPECT_FALSE(options.monitor);
    EXPECT_EQ(options.scale, 1.0);
    EXPECT_FALSE(options.paused);
}

TEST(StudioOptionValues, WithoutADefaultProjectNoneIsWatched)
{
    EXPECT_FALSE(Options({}).project);
}

TEST(StudioOptionValues, EveryOptionSetsItsValue)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string project = folder.string();
    const StudioOptions options = Options(
        {"--project", project, "--at", "40.5", "--window", "800x450", "--monitor", "1", "--scale", "0.25", "--paused"},
        "/elsewhere");
    EXPECT_EQ(options.project, folder);
    EXPECT_EQ(options.at, 40.5);
    EXPECT_EQ(options.window, (PixelSize{800, 450}));
    EXPECT_EQ(options.monitor, 1);
    EXPECT_EQ(options.scale, 0.25);
    EXPECT_TRUE(options.paused);
}

TEST(StudioOptionValues, ScaleOfExactlyOneAndTimeZeroAreAccepted)
{
    const StudioOptions options = Options({"--scale", "1", "--at", "0"});
    EXPECT_EQ(options.scale, 1.0);
    EXPECT_EQ(options.at, 0.0);
}

TEST(StudioOptionValues, HelpAsksForTheUsageWhateverFollows)
{
    EXPECT_TRUE(std::holds_alternative<ShowStudioUsage>(Parse({"--help", "--bogus"})));
}

// ---------------------------------------------------------------------------
// Refusals
// ---------------------------------------------------------------------------

TEST(StudioOptionRefusals, UnknownOptionsAndStrayArgumentsAreNamed)
{
    EXPECT_EQ(Refusal({"--fullscreen"}), "unknown option '--fullscreen'");
    EXPECT_EQ(Refusal({"assets"}), "unexpected argument 'assets'");
}

TEST(StudioOptionRefusals, MissingAndRepeatedValuesAreRefused)
{
    EXPECT_EQ(Refusal({"--at"}), "--at needs a value");
    EXPECT_EQ(Refusal({"--at", "--paused"}), "--at needs a value");
    EXPECT_EQ(Refusal({"--scale", "0.5", "--scale", "0.25"}), "--scale is given twice");
    EXPECT_EQ(Refusal({"--paused", "--paused"}), "--paused is given twice");
}

TEST(StudioOptionRefusals, NumbersThatAreNotFiniteNumbersAreRefused)
{
    for (const std::string_view bad : {"abc", "4O", "", "nan", "inf", "0x10", " 4"}) {
        EXPECT_EQ(Refusal({"--at", bad}), "--at '" + std::string(bad) + "' is not a finite number") << bad;
    }
    EXPECT_EQ(Refusal({"--at", "1e999"}), "--at '1e999' is a number too large to hold");
    EXPECT_EQ(Refusal({"--scale", "half"}), "--scale 'half' is not a finite number");
}

TEST(StudioOptionRefusals, TimeBeforeTheStartIsRefused)
{
    EXPECT_EQ(Refusal({"--at", "-1"}), "--at '-1' is before the demo's start at 0");
}

TEST(StudioOptionRefusals, ScaleOutsideZeroToOneIsRefused)
{
    for (const std::string_view bad : {"0", "-0.5", "1.01", "2"}) {
        EXPECT_EQ(Refusal({"--scale", bad}),
                  "--scale '" + std::string(bad) + "' is out of range: it must be above 0 and at most 1")
            << bad;
    }
}

TEST(StudioOptionRefusals, WindowSizesThatAreNotTwoSidesInRangeAreRefused)
{
    for (const std::string_view bad : {"1280", "1280x", "x720", "1280*720", "1280x720x3", "12.5x7"}) {
        EXPECT_EQ(Refusal({"--window", bad}), "--window '" + std::string(bad) + "' is not WIDTHxHEIGHT in pixels")
            << bad;
    }
    EXPECT_EQ(Refusal({"--window", "0x720"}), "--window '0x720': each side must be 1 to 16384 pixels");
    EXPECT_EQ(Refusal({"--window", "-5x5"}), "--window '-5x5': each side must be 1 to 16384 pixels");
    EXPECT_EQ(Refusal({"--window", "1280x16385"}), "--window '1280x16385': each side must be 1 to 16384 pixels");
}

TEST(StudioOptionRefusals, MonitorThatIsNotAWholeNumberFromZeroIsRefused)
{
    EXPECT_EQ(Refusal({"--monitor", "-1"}), "--monitor '-1' is not a monitor number (0, 1, ...)");
    EXPECT_EQ(Refusal({"--monitor", "first"}), "--monitor 'first' is not a monitor number (0, 1, ...)");
}

TEST(StudioOptionRefusals, ProjectThatIsNotAFolderIsRefused)
{
    const std::filesystem::path missing = std::filesystem::temp_directory_path() / "quorl-no-such-project";
    std::filesystem::remove_all(missing);
    EXPECT_EQ(Refusal({"--project", missing.string()}), "--project '" + missing.string() + "' is not a folder");
    EXPECT_EQ(Refusal({"--project", "/dev/null"}), "--project '/dev/null' is not a folder");
}

TEST(StudioOptionRefusals, ProjectOutOfReachNamesTheReasonInsteadOfNotAFolder)
{
    // Behind a file: the case root meets too.
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "quorl-project-behind-a-file";
    std::ofstream(file) << "not a folder";
    const std::string project = (file / "project").string();
    EXPECT_EQ(Refusal({"--project", project}), "--project " + Quoted(project) + " cannot be opened: Not a directory");
    std::filesystem::remove(file);
}

TEST(StudioOptionRefusals, ProjectThatMayNotBeEnteredNamesTheReasonInsteadOfNotAFolder)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    const std::filesystem::path closed = std::filesystem::temp_directory_path() / "quorl-closed-project";
    std::filesystem::create_directories(closed / "inner");
    std::filesystem::permissions(closed, std::filesystem::perms::none);
    const std::string itself = closed.string();
    const std::string inner = (closed / "inner").string();
    EXPECT_EQ(Refusal({"--project", itself}), "--project " + Quoted(itself) + " cannot be opened: Permission denied");
    EXPECT_EQ(Refusal({"--project", inner}), "--project " + Quoted(inner) + " cannot be opened: Permission denied");
    std::filesystem::permissions(closed, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(closed);
}

TEST(StudioOptionRefusals, ControlBytesInAnArgumentKeepTheMessageOnOneLine)
{
    EXPECT_EQ(Refusal({"--x\ny"}), "unknown option '--x\\ny'");
}

}  // namespace
