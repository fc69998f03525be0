// What the studio makes of a re-read choreography and shader: the tracks
// applied or kept with the mistake's line, and the compiler's own messages out
// of raylib's log.
#include <gtest/gtest.h>
#include <raylib.h>

#include <string>
#include <vector>

#include "compiler_messages.h"
#include "embedded_sync_device.h"
#include "raylib_log.h"
#include "sync/sync_device.h"
#include "sync/track_table.h"
#include "sync/track_text.h"
#include "track_text_reload.h"

namespace {

// ---------------------------------------------------------------------------
// The tracks text
// ---------------------------------------------------------------------------

// A device with the embedded choreography, as the Stage holds it.
class EmbeddedDevice : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(embedded.Ready()); }

    const SyncTrack& Track(const char* name) { return *GetTrack(device, name); }

    EmbeddedSyncDevice embedded;
    SyncDevice* const device = embedded.device;
};

TEST_F(EmbeddedDevice, AGoodTextReplacesTheKeysOfTheTracksInUse)
{
    const SyncTrack* ftb = &Track("ftb");
    const TrackTextReload reload = ReloadTrackText(device, "track ftb\n  0 0.5 step\ntrack scene\n 0 0 step\n");
    EXPECT_TRUE(reload.applied);
    EXPECT_EQ(reload.problem, "");
    EXPECT_EQ(&Track("ftb"), ftb) << "the record the handles point at stays";
    EXPECT_EQ(GetTrackValue(ftb, 100.0), 0.5);
    EXPECT_EQ(Track("camera_position:x").keyCount, 0) << "a track the text lacks is empty";
}

TEST_F(EmbeddedDevice, ATextWithAMistakeKeepsTheLastGoodTracksAndNamesItsLine)
{
    const std::vector<TrackKey> before(Track("ftb").keys, Track("ftb").keys + Track("ftb").keyCount);
    const TrackTextReload reload = ReloadTrackText(device, "track ftb\n  0 1 step\n  16 O.8 linear\n");
    EXPECT_FALSE(reload.applied);
    EXPECT_EQ(reload.problem, "line 3: value 'O.8' is not a number");
    EXPECT_EQ(std::vector<TrackKey>(Track("ftb").keys, Track("ftb").keys + Track("ftb").keyCount), before);
}

TEST_F(EmbeddedDevice, TheTracksInUseMakeTheTableTheCompilerMakesOfTheText)
{
    const std::string text = "track scene\n 0 0 step\n 800 1 step\ntrack ftb\n 0 1 linear\n 16 0.25 smooth\n";
    ASSERT_TRUE(ReloadTrackText(device, text).applied);
    std::vector<NamedTrack> expected = ParseTrackText(text).tracks;
    // The tracks the text lacks read 0, without keys, in the device's order.
    for (const SyncTrack* track : RegisteredTracks(*device)) {
        if (track->name != std::string("scene") && track->name != std::string("ftb")) {
            expected.push_back({track->name, {}});
        }
    }
    EXPECT_EQ(EncodeTrackTable(TracksInUse(*device)), EncodeTrackTable(expected));
}

TEST_F(EmbeddedDevice, TracksNothingReadsAreAppliedAndNamed)
{
    const std::size_t registered = RegisteredTracks(*device).size();
    const TrackTextReload reload =
        ReloadTrackText(device, "track ftb\n 0 0 step\ntrack camera_fov\n 0 60 step\ntrack Scene\n 0 0 step\n");
    EXPECT_TRUE(reload.applied);
    EXPECT_EQ(reload.unreadTracks, (std::vector<std::string>{"camera_fov", "Scene"}));
    EXPECT_EQ(RegisteredTracks(*device).size(), registered) << "nothing is registered";
}

// A device from which the demo reads two tracks, "ftb" and "scene" (no track
// files to fill them).
class TwoTrackDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device, nullptr);
        ASSERT_NE(GetTrack(device, "ftb"), nullptr);
        ASSERT_NE(GetTrack(device, "scene"), nullptr);
    }
    void TearDown() override { DestroySyncDevice(device, 0); }

    SyncDevice* device = CreateSyncDevice("quorl-studio-test-no-track-files");
};

TEST_F(TwoTrackDevice, ATrackTheDemoReadsThatIsGoneIsNamedAsReadingZero)
{
    const TrackTextReload reload = ReloadTrackText(device, "track ftb\n 0 1 step\n");
    ASSERT_TRUE(reload.applied);
    EXPECT_EQ(reload.missingTracks, std::vector<std::string>{"scene"});
    EXPECT_EQ(TrackMismatchNotice(reload, "assets/tracks.txt"),
              "assets/tracks.txt lacks the tracks scene, which the demo reads: they read 0");
}

TEST_F(TwoTrackDevice, ARenamedTrackGetsTheNoticeOfAGoneOneAndItsNewNameIsUnread)
{
    const std::string gone = TrackMismatchNotice(ReloadTrackText(device, "track ftb\n 0 1 step\n"), "assets/tracks.txt");
    const TrackTextReload renamed = ReloadTrackText(device, "track ftb\n 0 1 step\ntrack Scene\n 0 2 step\n");
    EXPECT_EQ(TrackMismatchNotice(renamed, "assets/tracks.txt"),
              gone + "\nassets/tracks.txt: nothing reads the tracks Scene");
}

TEST_F(TwoTrackDevice, TheSameTracksInAnyOrderNeedNoNotice)
{
    EXPECT_EQ(TrackMismatchNotice(ReloadTrackText(device, "track scene\n 0 0 step\ntrack ftb\n 0 1 step\n"),
                                  "assets/tracks.txt"),
              "");
}

// ---------------------------------------------------------------------------
// The compiler's messages
// ---------------------------------------------------------------------------

TEST(CompilerMessages, KeepsTheCompilersLinesWithoutRaylibsWrapping)
{
    const std::vector<std::string> logged = {
        "SHADER: [ID 4] Failed to compile fragment shader code",
        "SHADER: [ID 4] Compile error: 0:12(5): error: `colour' undeclared\n0:13(1): error: syntax error\n",
        "SHADER: Failed to load custom shader code, using default shader",
    };
    EXPECT_EQ(CompilerMessages(logged), "0:12(5): error: `colour' undeclared\n0:13(1): error: syntax error");
}

TEST(CompilerMessages, KeepsLinkErrorsAndAnythingElseRaylibWarnedOf)
{
    const std::vector<std::string> logged = {
        "SHADER: [ID 7] Failed to link shader program",
        "SHADER: [ID 7] Link error: error: fragment shader lacks `main'\n",
        "GL: something unexpected",
    };
    EXPECT_EQ(CompilerMessages(logged), "error: fragment shader lacks `main'\nGL: something unexpected");
}

// ---------------------------------------------------------------------------
// raylib's log
// ---------------------------------------------------------------------------

TEST(RaylibLog, ACaptureCollectsWarningsAndNestedCapturesTakeTheirShare)
{
    RouteRaylibLog();
    LogCapture outer;
    TraceLog(LOG_WARNING, "first %d", 1);
    TraceLog(LOG_INFO, "not a warning");
    {
        LogCapture inner;
        TraceLog(LOG_ERROR, "inner %s", "error");
        EXPECT_EQ(inner.Lines(), std::vector<std::string>{"inner error"});
    }
    TraceLog(LOG_WARNING, "%s", std::string(400, 'x').c_str());
    ASSERT_EQ(outer.Lines().size(), 2u);
    EXPECT_EQ(outer.Lines()[0], "first 1");
    EXPECT_EQ(outer.Lines()[1].size(), 400u) << "a long message is not cut";
}

}  // namespace
