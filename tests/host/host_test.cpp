// The demo's host: its clock, the choice of scene, the media wrappers and the
// end of the demo, with a real window and sound device from the harness.
#include <gtest/gtest.h>
#include <GLFW/glfw3.h>
#include <raylib.h>

#include <cmath>

#include "demo_clock.h"
#include "embedded_assets.h"
#include "media_fixture.h"
#include "music_format.h"
#include "scoped_media.h"
#include "stage.h"
#include "startup_failure.h"

namespace {

// Row 800, where the "scene" track ends the demo, falls between these two
// clock readings: 68.571 s at 175 BPM and 4 rows to a beat.
constexpr double kLastReadingBeforeTheEnd = 68.5714285;
constexpr double kFirstReadingAfterTheEnd = 68.5714286;

TEST(DemoClock, ResetAndStartAtRunFromTheirReadingWhateverTheStateBefore)
{
    DemoClock clock{true, 42.0};
    glfwSetTime(100.0);
    clock.Reset();
    EXPECT_FALSE(clock.paused);
    EXPECT_EQ(clock.seconds, 0.0);
    EXPECT_LT(glfwGetTime(), 0.5);

    clock = {true, 3.0};
    clock.StartAt(30.5);
    EXPECT_FALSE(clock.paused);
    EXPECT_EQ(clock.seconds, 30.5);
    clock.Update();
    EXPECT_NEAR(clock.seconds, 30.5, 0.1) << "the platform timer was not moved to the reading";
}

// The platform timer is moved by hand: what matters is whom the clock follows.
TEST(DemoClock, RunningClockFollowsThePlatformTimer)
{
    DemoClock clock;
    clock.StartAt(0.0);
    glfwSetTime(12.25);
    clock.Update();
    EXPECT_NEAR(clock.seconds, 12.25, 0.1);
}

TEST(DemoClock, PausedClockHoldsItsSecondsAndResumesFromThem)
{
    DemoClock clock;
    clock.StartAt(0.0);
    clock.seconds = 5.0;
    clock.paused = true;
    glfwSetTime(9.0);
    clock.Update();
    EXPECT_EQ(clock.seconds, 5.0);
    EXPECT_NEAR(glfwGetTime(), 5.0, 0.1);
    clock.paused = false;
    clock.Update();
    EXPECT_NEAR(clock.seconds, 5.0, 0.1);
}

TEST(DemoClock, Row800FallsAt68Point571Seconds)
{
    EXPECT_LT((DemoClock{false, kLastReadingBeforeTheEnd}.Row()), 800.0);
    EXPECT_GE((DemoClock{false, kFirstReadingAfterTheEnd}.Row()), 800.0);
}

TEST(SceneIndex, TruncatesTowardZero)
{
    EXPECT_EQ(SceneIndex(0.1), 0);
    EXPECT_EQ(SceneIndex(0.999), 0);
    EXPECT_EQ(SceneIndex(-0.5), 0);
    EXPECT_EQ(SceneIndex(1.0), 1);
    EXPECT_EQ(SceneIndex(-1.0), -1);
    EXPECT_EQ(SceneIndex(2147483647.9), 2147483647);
    EXPECT_EQ(SceneIndex(-2147483648.9), -2147483647 - 1);
}

TEST(SceneIndex, NotANumberOrBeyond32BitsIsNoScene)
{
    EXPECT_FALSE(SceneIndex(std::nan("")));
    EXPECT_FALSE(SceneIndex(2147483648.0));
    EXPECT_FALSE(SceneIndex(-2147483649.0));
    EXPECT_FALSE(SceneIndex(1e300));
    EXPECT_FALSE(SceneIndex(-INFINITY));
}

TEST(ScopedMusic, UnreadableDataFailsTheStartWithTheFileType)
{
    const unsigned char notOgg[64] = {'n', 'o', 't', ' ', 'o', 'g', 'g'};
    try {
        ScopedMusic music(".ogg", notOgg);
        FAIL() << "no exception for bytes that are not Ogg Vorbis";
    } catch (const StartupFailure& error) {
        EXPECT_STREQ(error.what(), "cannot decode the music: its .ogg data is not readable");
    }
}

TEST(ScopedMusic, EmbeddedMusicOutlastsTheDemo)
{
    const ScopedMusic music(".ogg", {MUSIC_OGG, MUSIC_OGG_SIZE});
    const Music stream = music.Get();
    EXPECT_EQ(stream.stream.sampleRate, static_cast<unsigned>(kMusicSampleRate));
    EXPECT_EQ(stream.stream.channels, 2u);
    // The demo ends before the music, so the music never loops into the end.
    EXPECT_GE(stream.frameCount / static_cast<double>(kMusicSampleRate), kFirstReadingAfterTheEnd + 2.7);
}

TEST(Stage, DrawsTheCityUntilRow800AndNothingFrom)
{
    DemoClock clock;
    Stage stage(&clock, nullptr);
    const RenderTexture2D target = stage.Target();
    EXPECT_EQ(target.texture.width, 1920);
    EXPECT_EQ(target.texture.height, 1080);

    // Only a few pixels are shaded: what matters is whether the scene draws.
    BeginScissorMode(0, 0, 4, 4);
    for (double seconds : {0.0, 30.0, kLastReadingBeforeTheEnd}) {
        clock.seconds = seconds;
        EXPECT_TRUE(stage.Render()) << "at " << seconds << " s";
    }
    for (double seconds : {kFirstReadingAfterTheEnd, kFirstReadingAfterTheEnd + 10.0}) {
        clock.seconds = seconds;
        EXPECT_FALSE(stage.Render()) << "at " << seconds << " s";
    }
    EndScissorMode();
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new MediaEnvironment);
    return RUN_ALL_TESTS();
}
