// The music check tells the embedded music played from its start, in order and
// without a break, from music that stopped, went on after a gap, went missing,
// came twice, came out of order, changed level or never came. Recordings are made here from
// the decoded music the way a sound device takes it: scaled by a mix gain and
// rounded to 16 bits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "decoded_soundtrack.h"
#include "music_following.h"
#include "music_format.h"

namespace {

constexpr double kMixGain = 0.6875;

struct Piece {
    double from = 0.0;  // in the music, seconds; ignored for silence
    double to = 0.0;
    bool silence = false;
    double gain = kMixGain;
};

Piece Music(double from, double to, double gain = kMixGain) { return {from, to, false, gain}; }
Piece Silence(double seconds) { return {0.0, seconds, true}; }

std::size_t Frame(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kMusicSampleRate)); }

std::vector<std::int16_t> Recorded(std::initializer_list<Piece> pieces)
{
    const StereoBuffer& music = EmbeddedSoundtrack().audio;
    std::vector<std::int16_t> samples;
    for (const Piece& piece : pieces) {
        if (piece.silence) {
            samples.resize(samples.size() + 2 * Frame(piece.to), 0);
            continue;
        }
        for (std::size_t i = Frame(piece.from); i < Frame(piece.to); ++i) {
            samples.push_back(static_cast<std::int16_t>(std::lround(music.left[i] * 32768.0 * piece.gain)));
            samples.push_back(static_cast<std::int16_t>(std::lround(music.right[i] * 32768.0 * piece.gain)));
        }
    }
    return samples;
}

MusicFollowing Follow(std::initializer_list<Piece> pieces)
{
    return FollowMusic(EmbeddedSoundtrack().audio, Recorded(pieces));
}

TEST(MusicFollowing, MusicFromItsStartAfterSilenceIsFollowed)
{
    ASSERT_EQ(EmbeddedSoundtrack().sampleRate, kMusicSampleRate);
    const MusicFollowing followed = Follow({Silence(0.7), Music(0, 6), Silence(0.2)});
    EXPECT_EQ(followed.fault, "");
    EXPECT_NEAR(followed.leadingSeconds, 0.7, 0.001);
    EXPECT_NEAR(followed.musicSeconds, 6.0, 0.001);
}

TEST(MusicFollowing, MusicThatStopsOrNeverComesIsFollowedOnlyAsFarAsItCame)
{
    EXPECT_NEAR(Follow({Music(0, 2), Silence(5)}).musicSeconds, 2.0, 0.001);
    EXPECT_EQ(Follow({Silence(10)}).musicSeconds, 0.0);
    EXPECT_EQ(Follow({Silence(10)}).fault, "");
}

TEST(MusicFollowing, MusicThatGoesOnAfterAGapIsAFault)
{
    const MusicFollowing followed = Follow({Music(0, 2), Silence(0.3), Music(2, 4)});
    EXPECT_EQ(followed.fault, "at 2.300 s of the recording: sound again after the music had stopped");
    EXPECT_NEAR(followed.musicSeconds, 2.0, 0.001);
}

TEST(MusicFollowing, MissingMusicIsAFault)
{
    EXPECT_EQ(Follow({Music(0, 2), Music(2.01, 5)}).fault,
              "at 2.000 s of the recording: sound that does not go on with the music");
    EXPECT_NE(Follow({Music(0, 2), Silence(0.5), Music(2.5, 5)}).fault, "");
}

TEST(MusicFollowing, MusicThatComesTwiceOrOutOfOrderIsAFault)
{
    EXPECT_NE(Follow({Music(0, 2), Music(1.733, 5)}).fault, "");
    EXPECT_NE(Follow({Music(0, 2), Music(2.267, 2.534), Music(2, 2.267), Music(2.534, 4)}).fault, "");
}

TEST(MusicFollowing, SoundThatIsNotTheMusicFromItsStartIsAFault)
{
    EXPECT_EQ(Follow({Silence(1), Music(0.5, 5)}).fault,
              "at 1.000 s of the recording: sound that is not the music from its start");
}

TEST(MusicFollowing, MusicThatChangesLevelIsAFault)
{
    EXPECT_NE(Follow({Music(0, 2), Music(2, 4, kMixGain * 0.9)}).fault, "");
}

// A pause, as when the window is minimised: where each stretch is in the
// recording and in the music, and where the search for its way on stops.
TEST(PausedMusic, EachStretchIsFoundWhereItGoesOn)
{
    const StereoBuffer& music = EmbeddedSoundtrack().audio;
    const std::vector<MusicStretch> stretches =
        FollowPausedMusic(music, Recorded({Silence(0.5), Music(0, 3), Silence(2), Music(3, 5), Silence(0.1),
                                           Music(5.2, 6)}));
    ASSERT_EQ(stretches.size(), 3u);
    // In seconds: where in the recording, where in the music, how long.
    const double expected[3][3] = {{0.5, 0, 3}, {5.5, 3, 2}, {7.6, 5.2, 0.8}};
    const auto seconds = [](std::size_t frames) { return static_cast<double>(frames) / kMusicSampleRate; };
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(seconds(stretches[i].recordingFrame), expected[i][0], 0.001) << i;
        EXPECT_NEAR(seconds(stretches[i].musicFrame), expected[i][1], 0.001) << i;
        EXPECT_NEAR(seconds(stretches[i].frames), expected[i][2], 0.001) << i;
    }
    EXPECT_EQ(FollowPausedMusic(music, Recorded({Music(0, 2), Silence(1), Music(4, 5)})).size(), 1u)
        << "music more than a second away is not its way on";
    EXPECT_TRUE(FollowPausedMusic(music, Recorded({Silence(1), Music(0.5, 5)})).empty());
}

}  // namespace
