// What quorl-capture leaves on disk and reads back from the target.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "city_harness.h"
#include "pending_file.h"

namespace {

namespace fs = std::filesystem;

class PendingFileTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(directory); }
    void TearDown() override { fs::remove_all(directory); }

    const fs::path directory = fs::temp_directory_path() / ("quorl-pending-" + std::to_string(::getpid()));
    const fs::path name = directory / "frame.png";
    const fs::path partial = directory / "frame.png.partial";
};

TEST_F(PendingFileTest, CommitLeavesTheBytesUnderTheFinalNameOnly)
{
    const std::vector<unsigned char> bytes = {0x89, 'P', 'N', 'G', 0, 255};
    {
        PendingFile file(name);
        EXPECT_TRUE(fs::exists(partial));
        EXPECT_FALSE(fs::exists(name));
        file.Commit(bytes);
    }
    std::ifstream written(name, std::ios::binary);
    EXPECT_EQ(std::vector<unsigned char>(std::istreambuf_iterator<char>(written), {}), bytes);
    EXPECT_FALSE(fs::exists(partial));
}

TEST_F(PendingFileTest, AbandonedFileLeavesNothingBehind)
{
    {
        PendingFile file(name);
    }
    EXPECT_TRUE(fs::is_empty(directory));
}

TEST_F(PendingFileTest, UnwritablePlaceFailsBeforeAnythingIsWritten)
{
    EXPECT_THROW(PendingFile(directory / "missing" / "frame.png"), std::runtime_error);
    EXPECT_TRUE(fs::is_empty(directory));
}

FrameCapture& Capture()
{
    static FrameCapture capture;
    return capture;
}

// The first clock reading whose row reaches 800, where the demo ends.
double EndOfDemo()
{
    double seconds = 800.0 / ROWS_PER_SECOND;
    while (seconds * ROWS_PER_SECOND < 800.0) seconds = std::nextafter(seconds, 1e9);
    return seconds;
}

// The blue of a corner pixel of the target as read back.
int BlueAt(const ScopedImage& image, std::size_t row, std::size_t column)
{
    return static_cast<const unsigned char*>(image.Get().data)[4 * (row * kRenderWidth + column) + 2];
}

// Black top rows from the start of the demo, sky-blue bottom rows from the tower.
TEST(FrameCapture, ReadBackPutsTheTopRowFirst)
{
    ASSERT_TRUE(Capture().Render(0.0, {0, kRenderHeight - 2, kRenderWidth, 2}));
    ASSERT_TRUE(Capture().Render(40.0, {0, 0, kRenderWidth, 2}));
    const ScopedImage image = Capture().ReadBack();
    EXPECT_EQ(BlueAt(image, 0, kRenderWidth / 2), 0);
    EXPECT_GT(BlueAt(image, kRenderHeight - 1, kRenderWidth / 2), 100);
}

TEST(FrameCapture, ShowsFramesUntilTheDemoEnds)
{
    EXPECT_TRUE(Capture().ShowsFrameAt(0.0));
    EXPECT_TRUE(Capture().ShowsFrameAt(std::nextafter(EndOfDemo(), 0.0)));
    EXPECT_FALSE(Capture().ShowsFrameAt(EndOfDemo()));
    EXPECT_FALSE(Capture().Render(EndOfDemo() + 10.0));
}

TEST(FrameCapture, AskingWhetherAFrameIsShownDrawsNothing)
{
    ASSERT_TRUE(Capture().Render(40.0, {0, 0, 1, 1}));
    const int blue = BlueAt(Capture().ReadBack(), kRenderHeight - 1, 0);
    ASSERT_GT(blue, 0);
    Capture().ShowsFrameAt(0.0);  // all black, had it been drawn
    EXPECT_EQ(BlueAt(Capture().ReadBack(), kRenderHeight - 1, 0), blue);
}

}  // namespace
