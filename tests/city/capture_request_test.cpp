// quorl-capture's command line, its frame times and its progress line.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "capture_request.h"
#include "progress_line.h"

namespace {

CaptureRequest Parse(std::vector<std::string_view> arguments)
{
    return ParseCaptureArguments(arguments);
}

std::string ErrorOf(std::vector<std::string_view> arguments)
{
    try {
        Parse(arguments);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(CaptureRequest, ReadsOneFrameInAnyOrderOfOptions)
{
    const auto request = std::get<SingleFrame>(Parse({"--out", "a.png", "--at", "12.5"}));
    EXPECT_EQ(request.seconds, 12.5);
    EXPECT_EQ(request.outputFile, "a.png");
}

TEST(CaptureRequest, ReadsASequence)
{
    const auto request = std::get<FrameSequence>(Parse({"--from", "1", "--to", "2.5", "--fps", "30", "--out", "d"}));
    EXPECT_EQ(request.from, 1.0);
    EXPECT_EQ(request.to, 2.5);
    EXPECT_EQ(request.framesPerSecond, 30.0);
    EXPECT_EQ(request.outputDirectory, "d");
}

TEST(CaptureRequest, RejectsWhatItCannotUseWithTheReason)
{
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"--at", "nan", "--out", "a.png"}, "--at 'nan' is not a finite number"},
        {{"--at", "inf", "--out", "a.png"}, "--at 'inf' is not a finite number"},
        {{"--at", "12s", "--out", "a.png"}, "--at '12s' is not a finite number"},
        {{"--at", "-1", "--out", "a.png"}, "--at -1 is before the demo's start at 0"},
        {{"--at", "--out", "a.png"}, "--at needs a value"},
        {{"--out", "a.png", "--at"}, "--at needs a value"},
        {{"--at", "1"}, "--at needs --out"},
        {{"--at", "1", "--at", "2", "--out", "a.png"}, "--at is given twice"},
        {{"--when", "1", "--out", "a.png"}, "unknown option '--when'"},
        {{"--out", "a.png"}, "give --at SECONDS, or --from, --to and --fps"},
        {{"--at", "1", "--fps", "30", "--out", "a.png"}, "--at cannot be combined with --from, --to or --fps"},
        {{"--from", "1", "--to", "2", "--out", "d"}, "a sequence needs --fps"},
        {{"--from", "2", "--to", "1", "--fps", "30", "--out", "d"}, "--to comes before --from"},
        {{"--from", "1", "--to", "2", "--fps", "0", "--out", "d"}, "--fps must be above 0"},
        {{"--from", "0", "--to", "60", "--fps", "1e7", "--out", "d"}, "the sequence has more than 100000000 frames"},
    };
    for (const auto& [arguments, reason] : cases) EXPECT_EQ(ErrorOf(arguments), reason);
}

TEST(CaptureRequest, AsksForTheUsageWithHelp)
{
    EXPECT_TRUE(std::holds_alternative<ShowUsage>(Parse({"--help"})));
}

TEST(FrameSequence, RunsFromTheFirstTimeUpToAndIncludingTheLast)
{
    const FrameSequence second{10.0, 11.0, 30.0, "d"};
    EXPECT_EQ(second.FrameCount(), 31u);
    EXPECT_EQ(second.FrameTime(0), 10.0);
    EXPECT_DOUBLE_EQ(second.FrameTime(30), 11.0);
    // (0.3 - 0.1) * 10 is just below 2 in binary; the frame at 0.3 still counts.
    EXPECT_EQ((FrameSequence{0.1, 0.3, 10.0, "d"}.FrameCount()), 3u);
    EXPECT_EQ((FrameSequence{5.0, 5.0, 24.0, "d"}.FrameCount()), 1u);
    EXPECT_EQ((FrameSequence{0.0, 1.0, 4.0, "d"}.FrameCount()), 5u);
}

TEST(FrameSequence, ComputesEachTimeWithoutAddingUpRoundingErrors)
{
    const FrameSequence longRun{0.0, 68.0, 60.0, "d"};
    EXPECT_EQ(longRun.FrameTime(4080), 68.0);
}

TEST(ProgressLine, ShowsFrameRateAndTimeLeft)
{
    EXPECT_EQ(ProgressLine(3, 10, 2.0), "frame 3 of 10, 1.50 frames/s, 5s left");
    EXPECT_EQ(ProgressLine(1, 400, 2.5), "frame 1 of 400, 0.40 frames/s, 16m38s left");
    EXPECT_EQ(ProgressLine(1, 4115, 1.0), "frame 1 of 4115, 1.00 frames/s, 1h08m34s left");
    EXPECT_EQ(ProgressLine(10, 10, 4.0), "frame 10 of 10, 2.50 frames/s, 0s left");
}

}  // namespace
