// The watched project as the studio applies it, without a window: which text
// applies and what is said, the studio's own writes not applied twice, a
// rewrite the watch cannot see read on the edit it refuses, a killed write's
// leftovers removed at start, the markers beside the tracks; and the music's
// loudness for its lane.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "embedded_sync_device.h"
#include "live_assets.h"
#include "music_envelope.h"
#include "scratch_folder.h"
#include "sync/tempo.h"

namespace {

namespace fs = std::filesystem;

constexpr char kTracks[] = "track ftb\n  0  1  step\n 16  0  step\ntrack scene\n  0  0.1 step\n";

class Project : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(embedded.Ready());
        fs::create_directory(folder / "assets");
        Save("tracks.txt", kTracks);
        Save("city.frag", "void main() {}\n");
    }

    void Save(const std::string& name, const std::string& text)
    {
        std::ofstream(folder / "assets" / name, std::ios::binary) << text;
    }
    std::string OnDisk(const std::string& name) const
    {
        std::ifstream in(folder / "assets" / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    LiveAssets& Start()
    {
        assets.emplace(
            embedded.device, "built in", folder,
            [this](const std::string& source) -> std::optional<std::string> {
                compiled.push_back(source);
                if (source.find("error") != std::string::npos) return "0:1: error";
                return std::nullopt;
            },
            [this](const std::string& line) { said.push_back(line); });
        return *assets;
    }
    // Polls until the watch has read what changed (changes settle first).
    bool PollSettled()
    {
        bool changed = false;
        for (int tries = 0; tries < 40 && (tries == 0 || assets->ChangeWaiting()); ++tries) {
            if (tries > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            changed = assets->Poll([] {}) || changed;
        }
        return changed;
    }
    bool Said(const std::string& line) const { return std::find(said.begin(), said.end(), line) != said.end(); }

    EmbeddedSyncDevice embedded;
    ScratchFolder scratch{"quorl-live-assets"};
    const fs::path folder = scratch.Path();
    std::optional<LiveAssets> assets;
    std::vector<std::string> compiled;
    std::vector<std::string> said;
};

TEST_F(Project, TheStudiosOwnWriteIsNotAppliedAgainAndASaveWithAMistakeKeepsTheLastGood)
{
    LiveAssets& live = Start();
    ASSERT_TRUE(PollSettled());
    ASSERT_NE(live.Editor(), nullptr);
    EXPECT_EQ(compiled, (std::vector<std::string>{"void main() {}\n"}));
    live.Editor()->Select({0, 1});
    ASSERT_TRUE(live.Editor()->MoveSelected(4).changed);
    ASSERT_TRUE(live.ApplyEdit());
    const int generation = live.TracksGeneration();
    std::this_thread::sleep_for(std::chrono::milliseconds(2 * FileWatch::kSettleNs / 1'000'000));
    EXPECT_FALSE(PollSettled()) << "the studio's own write read back as new tracks";
    EXPECT_EQ(live.TracksGeneration(), generation);

    Save("tracks.txt", "track ftb\n  0  x  step\n");
    PollSettled();
    ASSERT_EQ(live.Messages().size(), 1u);
    EXPECT_EQ(live.Messages()[0], "assets/tracks.txt, line 2: value 'x' is not a number\n"
                                  "The last good tracks stay in use.\n"
                                  "Editing waits until line 2 of assets/tracks.txt is fixed.");
    EXPECT_TRUE(Said(live.Messages()[0]));
    Save("city.frag", "error\n");
    PollSettled();
    EXPECT_EQ(live.Messages().back(), "assets/city.frag does not compile; the last good shader draws on.\n0:1: error");
}

TEST_F(Project, ARewriteKeepingSizeAndTimeIsReadOnTheEditItRefuses)
{
    LiveAssets& live = Start();
    ASSERT_TRUE(PollSettled());
    const fs::path path = folder / "assets" / "tracks.txt";
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    std::string theirs = kTracks;
    theirs.replace(theirs.find(" 16  0"), 6, " 16  5");
    Save("tracks.txt", theirs);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_FALSE(PollSettled()) << "the watch saw it after all: no fault to recover from";

    live.Editor()->Select({0, 0});
    const EditResult refused = live.Editor()->SetSelectedValue("2");
    EXPECT_EQ(Worded(refused.refusal), "the edit is not written: assets/tracks.txt was saved by another program "
                                       "meanwhile; it is read now: edit again");
    EXPECT_TRUE(PollSettled());
    EXPECT_EQ(live.Editor()->Text(), theirs);
    EXPECT_TRUE(live.Editor()->SetSelectedValue("2").changed) << "editing goes on";
    EXPECT_EQ(OnDisk("tracks.txt"), live.Editor()->Text());
}

TEST_F(Project, LeftoversOfAKilledWriteAreRemovedAtStartAndSaid)
{
    Save("tracks.txt.partial", "track ftb\n");
    Save("tracks.txt.partial-k1LLd0", "track");
    Start();
    EXPECT_FALSE(fs::exists(folder / "assets" / "tracks.txt.partial"));
    EXPECT_FALSE(fs::exists(folder / "assets" / "tracks.txt.partial-k1LLd0"));
    EXPECT_TRUE(Said("removed " + (folder / "assets" / "tracks.txt.partial").string() +
                     ", left by a write that was cut short"));
}

TEST_F(Project, TheMarkersBesideTheTracksAreReadAndTheirMistakesShown)
{
    Save("markers.txt", "64 drop\n");
    LiveAssets& live = Start();
    PollSettled();
    ASSERT_EQ(live.Editor()->Markers().size(), 1u);
    ASSERT_TRUE(live.Editor()->AddMarker(128, "build").changed);
    EXPECT_EQ(OnDisk("markers.txt"), "64 drop\n128 build\n");
    Save("markers.txt", "64 drop\n32 oops\n");
    PollSettled();
    EXPECT_EQ(live.Messages().back(), "Markers wait until line 2 of assets/markers.txt is fixed.");
}

// ---------------------------------------------------------------------------
// The music's lane
// ---------------------------------------------------------------------------

TEST(MusicEnvelope, LoudnessFollowsTheSamplesRowByRowScaledToTheLoudest)
{
    constexpr int kRate = 8000;
    // Silence for 16 rows, a full tone for 16, a half one for 16; stereo.
    const auto frames = static_cast<std::size_t>(RowsToSeconds(48.0) * kRate);
    std::vector<float> samples(frames * 2);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const double row = SecondsToRows(static_cast<double>(frame) / kRate);
        const double level = row < 16.0 ? 0.0 : row < 32.0 ? 1.0 : 0.5;
        const auto sample = static_cast<float>(level * std::sin(static_cast<double>(frame) * 0.3));
        samples[2 * frame] = sample;
        samples[2 * frame + 1] = sample;
    }
    const MusicEnvelope envelope(samples, 2, kRate);
    EXPECT_EQ(envelope.Loudness(1.0, 15.0), 0.0f);
    EXPECT_NEAR(envelope.Loudness(20.0, 28.0), 1.0f, 0.05f);
    EXPECT_NEAR(envelope.Loudness(36.0, 44.0), 0.5f, 0.05f);
    EXPECT_EQ(envelope.Loudness(60.0, 70.0), 0.0f) << "past the music";
    EXPECT_EQ(MusicEnvelope().Loudness(0.0, 10.0), 0.0f);
}

}  // namespace
