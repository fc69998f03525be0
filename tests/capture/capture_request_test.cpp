// quorl-capture's command line: what each request reads as, what is refused
// and how the refusal reads, and the frame times of sequences and videos.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "capture_request.h"

namespace {

std::string ErrorOf(std::vector<std::string_view> arguments)
{
    try {
        ParseCaptureArguments(arguments);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(CaptureRequest, ReadsOneFrameOrASequenceInAnyOrderOfOptions)
{
    const auto single = std::get<SingleFrame>(ParseCaptureArguments({{"--out", "a.png", "--at", "12.5"}}));
    EXPECT_EQ(single.seconds, 12.5);
    EXPECT_EQ(single.outputFile, "a.png");
    const auto run = std::get<FrameSequence>(
        ParseCaptureArguments({{"--fps", "30", "--from", "1", "--to", "2.5", "--out", "d"}}));
    EXPECT_EQ(run.from, 1.0);
    EXPECT_EQ(run.to, 2.5);
    EXPECT_EQ(run.framesPerSecond, 30.0);
    EXPECT_EQ(run.outputDirectory, "d");
}

TEST(CaptureRequest, RecordsTheWholeDemoAt60FpsAndFullSizeUnlessTold)
{
    const auto whole = std::get<VideoRecording>(ParseCaptureArguments({{"--video", "a.webm"}}));
    EXPECT_EQ(whole.from, 0.0);
    EXPECT_FALSE(whole.to.has_value());
    EXPECT_EQ(whole.framesPerSecond, 60.0);
    EXPECT_EQ(whole.outputSize.width, 1920);
    EXPECT_EQ(whole.outputSize.height, 1080);
    const auto part = std::get<VideoRecording>(ParseCaptureArguments(
        {{"--size", "640x360", "--video", "a.mkv", "--to", "2", "--from", "1.5", "--fps", "24"}}));
    EXPECT_EQ(part.from, 1.5);
    EXPECT_EQ(part.to, 2.0);
    EXPECT_EQ(part.framesPerSecond, 24.0);
    EXPECT_EQ(part.outputSize.width, 640);
    EXPECT_EQ(part.outputSize.height, 360);
    EXPECT_EQ(part.outputFile, "a.mkv");
}

TEST(CaptureRequest, ShowsTheUsageWhereverHelpIsAsked)
{
    for (const std::vector<std::string_view>& arguments : std::vector<std::vector<std::string_view>>{
             {"--help"}, {"-h"}, {"--at", "1", "--help"}, {"--video", "a.mp4", "-h"}, {"--when", "--help"}}) {
        EXPECT_TRUE(std::holds_alternative<ShowUsage>(ParseCaptureArguments(arguments))) << arguments.back();
    }
    // Where a value belongs, "-h" is a file's name.
    EXPECT_EQ(std::get<SingleFrame>(ParseCaptureArguments({{"--at", "1", "--out", "-h"}})).outputFile, "-h");
}

TEST(CaptureRequest, TakesOnlySizesInEvenPixelsAboveZero)
{
    const auto refusal = [](std::string_view size, std::string_view reason) {
        EXPECT_EQ(ErrorOf({"--video", "a.mp4", "--size", size}),
                  "--size '" + std::string(size) + "'" + std::string(reason));
    };
    for (const std::string_view size : {"640", "640x", "x360", "640x360x2", "640 x360", "1e3x360", "640x360.5"}) {
        refusal(size, " is not WIDTHxHEIGHT in pixels");
    }
    for (const std::string_view size : {"0x360", "-640x360", "99999999999x360", "640x16386"}) {
        refusal(size, ": each side must be 1 to 16384 pixels");
    }
    for (const std::string_view size : {"641x360", "640x361"}) {
        refusal(size, ": each side must be an even number of pixels");
    }
}

TEST(CaptureRequest, RejectsWhatItCannotUseWithTheReason)
{
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"--at", "nan", "--out", "a.png"}, "--at 'nan' is not a finite number"},
        {{"--at", "12s", "--out", "a.png"}, "--at '12s' is not a finite number"},
        {{"--at", "1e400", "--out", "a.png"}, "--at '1e400' is a number too large to hold"},
        {{"--at", "1e-400", "--out", "a.png"}, "--at '1e-400' is a number too small to hold"},
        {{"--at", "-1", "--out", "a.png"}, "--at '-1' is before the demo's start at 0"},
        {{"--at", "--out", "a.png"}, "--at needs a value"},
        {{"--at", "1"}, "--at needs --out"},
        {{"--when", "1", "--out", "a.png"}, "unknown option '--when'"},
        {{"--out", "a.png"}, "give --at SECONDS, --video FILE, or --from, --to and --fps"},
        {{"--at", "1", "--fps", "30", "--out", "a.png"}, "--at cannot be combined with --from, --to or --fps"},
        {{"--from", "2", "--to", "1", "--fps", "30", "--out", "d"}, "--to comes before --from"},
        {{"--from", "1", "--to", "2", "--fps", "0", "--out", "d"}, "--fps must be above 0"},
        {{"--at", "1", "--out", "a.png", "--size", "640x360"}, "--size is for --video only"},
        {{"--video", "a.mp4", "--out", "a.png"}, "--video cannot be combined with --at or --out"},
        {{"--video", "a.gif"}, "--video 'a.gif' is not named FILE.mp4, FILE.mkv or FILE.webm"},
        {{"--video", "a.mp4", "--from", "3", "--to", "3"}, "--to must come after --from"},
        {{"--video", "a.mp4", "--fps", "-30"}, "--fps must be above 0"},
    };
    for (const auto& [arguments, reason] : cases) EXPECT_EQ(ErrorOf(arguments), reason);
}

// A refusal is one line on the terminal, whatever the user typed.
TEST(CaptureRequest, QuotesWhatWasTypedSoThatTheRefusalStaysOnOneLine)
{
    EXPECT_EQ(ErrorOf({"--video", "new\nline.gif"}),
              "--video 'new\\nline.gif' is not named FILE.mp4, FILE.mkv or FILE.webm");
    EXPECT_EQ(ErrorOf({"--when\n", "1"}), "unknown option '--when\\n'");
    EXPECT_EQ(ErrorOf({"--at", "1\n", "--out", "a.png"}), "--at '1\\n' is not a finite number");
}

// More frames than this is a typing error, and a count this large would not
// even survive the conversion to an integer.
TEST(CaptureRequest, RefusesMoreThanAHundredMillionFrames)
{
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"--from", "0", "--to", "60", "--fps", "1e7", "--out", "d"}, "the sequence has more than 100000000 frames"},
        {{"--from", "0", "--to", "1e300", "--fps", "1e300", "--out", "d"},
         "the sequence has more than 100000000 frames"},
        {{"--video", "a.mp4", "--to", "60", "--fps", "1e9"}, "the video has more than 100000000 frames"},
        {{"--video", "a.mp4", "--to", "1", "--fps", "1e300"}, "the video has more than 100000000 frames"},
    };
    for (const auto& [arguments, reason] : cases) EXPECT_EQ(ErrorOf(arguments), reason);
    EXPECT_EQ(ErrorOf({"--video", "a.mp4", "--to", "60", "--fps", "1e6"}), "accepted");

    // Without --to the span is known once the demo's end is.
    for (const double rate : {1e9, 1e300}) {
        const VideoRecording whole{0.0, {}, rate, {1920, 1080}, "a.mp4"};
        try {
            whole.FrameCount(68.5);
            ADD_FAILURE() << rate << " frames per second taken";
        } catch (const UsageError& error) {
            EXPECT_STREQ(error.what(), "the video has more than 100000000 frames");
        }
    }
}

TEST(FrameSequence, RunsUpToAndIncludingTheLastTimeWithoutAddingUpErrors)
{
    const FrameSequence second{10.0, 11.0, 30.0, "d"};
    EXPECT_EQ(second.FrameCount(), 31u);
    EXPECT_EQ(second.FrameTime(0), 10.0);
    EXPECT_DOUBLE_EQ(second.FrameTime(30), 11.0);
    // (0.3 - 0.1) * 10 is just below 2 in binary; the frame at 0.3 still counts.
    EXPECT_EQ((FrameSequence{0.1, 0.3, 10.0, "d"}.FrameCount()), 3u);
    EXPECT_EQ((FrameSequence{5.0, 5.0, 24.0, "d"}.FrameCount()), 1u);
    EXPECT_EQ((FrameSequence{0.0, 68.0, 60.0, "d"}.FrameTime(4080)), 68.0);
}

// Frame i shows from + i/fps for as long as the clock reads less than `to`,
// so that the picture lasts as long as the music of the same span.
TEST(VideoRecording, HasEveryFrameBeforeTheEndAndNoneAtIt)
{
    const VideoRecording half{27.0, 27.5, 10.0, {320, 180}, "a.mp4"};
    EXPECT_EQ(half.FrameCount(27.5), 5u);
    EXPECT_DOUBLE_EQ(half.FrameTime(4), 27.4);
    // (0.3 - 0.1) * 10 is just below 2 in binary: still two frames, not three.
    EXPECT_EQ((VideoRecording{0.1, 0.3, 10.0, {2, 2}, "a.mp4"}.FrameCount(0.3)), 2u);
    const VideoRecording whole{0.0, {}, 60.0, {1920, 1080}, "a.mp4"};
    EXPECT_EQ(whole.FrameCount(68.5), 4110u);
    EXPECT_EQ(whole.FrameCount(1e-12), 1u);
}

}  // namespace
