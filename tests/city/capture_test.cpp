// quorl-capture's parts: its command line, its frame times and progress line,
// and the FrameCapture that renders through the demo's Stage.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "capture_request.h"
#include "city_harness.h"
#include "progress_line.h"

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
    EXPECT_TRUE(std::holds_alternative<ShowUsage>(ParseCaptureArguments({{"--help"}})));
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

TEST(CaptureRequest, TakesOnlySizesInEvenPixelsAboveZero)
{
    for (const std::string_view size : {"641x360", "640x361", "0x360", "-640x360", "640", "640x", "x360", "640x360x2",
                                        "640 x360", "1e3x360", "99999999999x360"}) {
        EXPECT_EQ(ErrorOf({"--video", "a.mp4", "--size", size}),
                  "--size '" + std::string(size) + "' is not WIDTHxHEIGHT in even numbers of pixels above 0");
    }
}

TEST(CaptureRequest, RejectsWhatItCannotUseWithTheReason)
{
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"--at", "nan", "--out", "a.png"}, "--at 'nan' is not a finite number"},
        {{"--at", "12s", "--out", "a.png"}, "--at '12s' is not a finite number"},
        {{"--at", "-1", "--out", "a.png"}, "--at -1 is before the demo's start at 0"},
        {{"--at", "--out", "a.png"}, "--at needs a value"},
        {{"--at", "1"}, "--at needs --out"},
        {{"--when", "1", "--out", "a.png"}, "unknown option '--when'"},
        {{"--out", "a.png"}, "give --at SECONDS, --video FILE, or --from, --to and --fps"},
        {{"--at", "1", "--fps", "30", "--out", "a.png"}, "--at cannot be combined with --from, --to or --fps"},
        {{"--from", "2", "--to", "1", "--fps", "30", "--out", "d"}, "--to comes before --from"},
        {{"--from", "1", "--to", "2", "--fps", "0", "--out", "d"}, "--fps must be above 0"},
        {{"--from", "0", "--to", "60", "--fps", "1e7", "--out", "d"}, "the sequence has more than 100000000 frames"},
        {{"--at", "1", "--out", "a.png", "--size", "640x360"}, "--size is for --video only"},
        {{"--video", "a.mp4", "--out", "a.png"}, "--video cannot be combined with --at or --out"},
        {{"--video", "a.gif"}, "--video 'a.gif' is not named FILE.mp4, FILE.mkv or FILE.webm"},
        {{"--video", "a.mp4", "--from", "3", "--to", "3"}, "--to must come after --from"},
        {{"--video", "a.mp4", "--fps", "-30"}, "--fps must be above 0"},
    };
    for (const auto& [arguments, reason] : cases) EXPECT_EQ(ErrorOf(arguments), reason);
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
    EXPECT_EQ(whole.FrameCount(800.0 / ROWS_PER_SECOND), 4115u);
    EXPECT_EQ(whole.FrameCount(1e-12), 1u);
}

TEST(ProgressLine, ShowsFrameRateAndTimeLeft)
{
    EXPECT_EQ(ProgressLine(3, 10, 2.0), "frame 3 of 10, 1.50 frames/s, 5s left");
    EXPECT_EQ(ProgressLine(1, 4115, 1.0), "frame 1 of 4115, 1.00 frames/s, 1h08m34s left");
}

int BlueAt(const ScopedImage& image, std::size_t row, std::size_t column)
{
    return static_cast<const unsigned char*>(image.Get().data)[4 * (row * kRenderSize.width + column) + 2];
}

// Black top rows from the start of the demo, sky-blue bottom rows from the tower.
TEST(FrameCapture, ReadBackPutsTheTopRowFirst)
{
    ASSERT_TRUE(DemoFrames().Render(0.0, {0, kRenderSize.height - 2, kRenderSize.width, 2}));
    ASSERT_TRUE(DemoFrames().Render(40.0, {0, 0, kRenderSize.width, 2}));
    const ScopedImage image = DemoFrames().ReadBack();
    EXPECT_EQ(BlueAt(image, 0, kRenderSize.width / 2), 0);
    EXPECT_GT(BlueAt(image, kRenderSize.height - 1, kRenderSize.width / 2), 100);
}

TEST(FrameCapture, ShowsFramesUntilRow800)
{
    double end = 800.0 / ROWS_PER_SECOND;
    while (end * ROWS_PER_SECOND < 800.0) end = std::nextafter(end, 100.0);
    EXPECT_TRUE(DemoFrames().ShowsFrameAt(0.0));
    EXPECT_TRUE(DemoFrames().ShowsFrameAt(std::nextafter(end, 0.0)));
    EXPECT_FALSE(DemoFrames().ShowsFrameAt(end));
    EXPECT_FALSE(DemoFrames().Render(end + 10.0));
    EXPECT_EQ(DemoFrames().EndOfDemo(), end);
}

TEST(FrameCapture, AskingWhetherAFrameIsShownDrawsNothing)
{
    ASSERT_TRUE(DemoFrames().Render(40.0, {0, 0, 1, 1}));
    const int blue = BlueAt(DemoFrames().ReadBack(), kRenderSize.height - 1, 0);
    ASSERT_GT(blue, 0);
    DemoFrames().ShowsFrameAt(0.0);  // all black, had it been drawn
    EXPECT_EQ(BlueAt(DemoFrames().ReadBack(), kRenderSize.height - 1, 0), blue);
}

}  // namespace
