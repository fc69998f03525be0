// The soundtrack as embedded in the demo and decoded as the demo decodes it:
// its format and length, its levels, where its drums fall on the row grid and
// how its sections follow the picture, and that the composer makes it again
// byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "band_energy.h"
#include "decoded_soundtrack.h"
#include "embedded_assets.h"
#include "mastering/loudness_meter.h"
#include "mastering/true_peak.h"
#include "music_format.h"
#include "score/music_timing.h"
#include "soundtrack.h"

namespace {

const StereoBuffer& Audio() { return EmbeddedSoundtrack().audio; }

// Loudness of the rows [firstRow, endRow) of the decoded stream.
double SectionLoudness(int firstRow, int endRow)
{
    const std::size_t first = RowToFrame(firstRow);
    const std::size_t end = std::min(RowToFrame(endRow), Audio().Frames());
    StereoBuffer section(end - first, Audio().sampleRate);
    for (std::size_t i = first; i < end; ++i) {
        section.left[i - first] = Audio().left[i];
        section.right[i - first] = Audio().right[i];
    }
    return IntegratedLoudness(section);
}

// How sharply a band's energy rises at a row, and where nearby it rises most sharply.
struct Onset {
    double riseDecibels;    // 20 ms after the row against 20 ms before it
    double offsetSeconds;   // of the steepest rise within half a row, from the row
};

constexpr std::size_t kRiseWindow = 960;   // 20 ms
constexpr std::size_t kSearchWindow = 480;  // 10 ms
constexpr std::size_t kSearchStep = 24;     // 0.5 ms

Onset MeasureOnset(const BandEnergy& band, int row)
{
    const std::size_t grid = RowToFrame(row);
    const std::size_t halfRow = RowToFrame(0.5);
    double steepest = -1.0;
    std::size_t steepestAt = grid;
    for (std::size_t frame = grid - halfRow; frame <= grid + halfRow; frame += kSearchStep) {
        const double rise = band.Over(frame, kSearchWindow) / (band.Over(frame - kSearchWindow, kSearchWindow) + 1e-15);
        if (rise > steepest) {
            steepest = rise;
            steepestAt = frame;
        }
    }
    const double rise = band.Over(grid, kRiseWindow) / (band.Over(grid - kRiseWindow, kRiseWindow) + 1e-15);
    return {10.0 * std::log10(rise),
            (static_cast<double>(steepestAt) - static_cast<double>(grid)) / Audio().sampleRate};
}

// The kick's attack sweeps down through 400 to 100 Hz in its first milliseconds.
const BandEnergy& KickBand()
{
    static const BandEnergy band(Audio(), 100.0, 400.0);
    return band;
}

const BandEnergy& FullBand()
{
    static const BandEnergy band(Audio(), 20.0, 20000.0);
    return band;
}

class DecodedSoundtrackTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_GT(Audio().Frames(), 0u) << "the embedded stream does not decode to 16-bit stereo"; }
};

using EmbeddedSoundtrackStream = DecodedSoundtrackTest;
using EmbeddedSoundtrackLevels = DecodedSoundtrackTest;
using EmbeddedSoundtrackTiming = DecodedSoundtrackTest;
using EmbeddedSoundtrackArrangement = DecodedSoundtrackTest;

TEST(EmbeddedSoundtrackFormat, DecodesAsStereoAtTheMusicsRate)
{
    EXPECT_EQ(EmbeddedSoundtrack().sampleRate, kMusicSampleRate);
    EXPECT_EQ(EmbeddedSoundtrack().channels, 2);
    EXPECT_EQ(EmbeddedSoundtrack().bitsPerSample, 16);
}

TEST_F(EmbeddedSoundtrackStream, LastsAtLeast832Rows)
{
    EXPECT_GE(static_cast<double>(Audio().Frames()), RowsToSeconds(832) * kMusicSampleRate);
    EXPECT_EQ(Audio().Frames(), PieceFrames()) << "the decoder should give back every frame encoded, and no more";
}

TEST_F(EmbeddedSoundtrackStream, ComposerMakesTheSameBytesAgain)
{
    const std::string composed = EncodeSoundtrack(RenderSoundtrack());
    ASSERT_EQ(composed.size(), MUSIC_OGG_SIZE);
    EXPECT_TRUE(std::equal(composed.begin(), composed.end(), reinterpret_cast<const char*>(MUSIC_OGG)))
        << "the composer is not deterministic: a second run differs from the build's";
}

TEST_F(EmbeddedSoundtrackLevels, TruePeakStaysUnderMinusOneDbtp)
{
    EXPECT_LE(ToDecibels(TruePeak(Audio())), -1.0);
}

TEST_F(EmbeddedSoundtrackLevels, IntegratedLoudnessIsWithinHalfAnLuOfMinus14Lufs)
{
    EXPECT_NEAR(IntegratedLoudness(Audio()), -14.0, 0.5);
}

TEST_F(EmbeddedSoundtrackTiming, KicksStartOnTheGridAtEveryBarOfTheFinalStream)
{
    for (int row = 512; row < 768; row += ROWS_PER_BAR) {
        const Onset kick = MeasureOnset(KickBand(), row);
        EXPECT_GT(kick.riseDecibels, 6.0) << "no kick at row " << row;
        EXPECT_LT(std::fabs(kick.offsetSeconds), 0.005) << "the kick at row " << row << " is off the grid";
    }
}

TEST_F(EmbeddedSoundtrackTiming, DropsAndCutsHitOnTheirRow)
{
    for (const int row : {128, 192, 256, 512}) {
        const Onset hit = MeasureOnset(FullBand(), row);
        EXPECT_GT(hit.riseDecibels, 6.0) << "row " << row;
        EXPECT_LT(std::fabs(hit.offsetSeconds), 0.005) << "row " << row;
    }
}

TEST_F(EmbeddedSoundtrackTiming, NoKickWhereTheArrangementHasNone)
{
    double kickLevel = 0.0;
    for (int row = 512; row < 768; row += ROWS_PER_BAR) kickLevel += KickBand().Over(RowToFrame(row), kRiseWindow) / 16.0;
    // Bars of the intro, and of the tower climb before its build.
    for (const int row : {16, 32, 48, 64, 80, 96, 112, 400, 416, 432}) {
        EXPECT_LT(MeasureOnset(KickBand(), row).riseDecibels, 6.0) << "row " << row;
        const double level = KickBand().Over(RowToFrame(row), kRiseWindow);
        EXPECT_LT(10.0 * std::log10(level / kickLevel), -10.0) << "row " << row << " as loud as a kick";
    }
}

TEST_F(EmbeddedSoundtrackArrangement, IntroRisesQuietlyOutOfSilence)
{
    const double fadeIn = SectionLoudness(0, 32);
    const double firstFlight = SectionLoudness(32, 128);
    const double groove = SectionLoudness(128, 192);
    EXPECT_LT(fadeIn, firstFlight);
    EXPECT_LT(firstFlight, groove - 6.0);
    EXPECT_LT(fadeIn, SectionLoudness(512, 768) - 12.0);
    float fadeInPeak = 0.0f;
    for (std::size_t i = 0; i < RowToFrame(32); ++i)
        fadeInPeak = std::max({fadeInPeak, std::fabs(Audio().left[i]), std::fabs(Audio().right[i])});
    EXPECT_LT(ToDecibels(fadeInPeak), -12.0) << "the music should not start loud under a black screen";
}

TEST_F(EmbeddedSoundtrackArrangement, DropsAreTheLoudestAndTheClimbBreaksDown)
{
    const double drop = SectionLoudness(256, 384);
    const double climb = SectionLoudness(384, 448);
    const double finalStream = SectionLoudness(512, 768);
    EXPECT_LT(climb, drop - 6.0);
    EXPECT_LT(SectionLoudness(448, 512), finalStream) << "the build should lead into the final stream, not top it";
    for (const auto& [first, end] : {std::pair{0, 128}, std::pair{128, 192}, std::pair{384, 512}})
        EXPECT_GT(finalStream, SectionLoudness(first, end)) << "rows " << first << "-" << end;
    EXPECT_NEAR(finalStream, drop, 1.5);
}

TEST_F(EmbeddedSoundtrackArrangement, FadesOutWithThePictureAndDiesAwayByRow832)
{
    const double finalStream = SectionLoudness(512, 768);
    const double fadeStart = SectionLoudness(768, 784);
    const double fadeEnd = SectionLoudness(784, 800);
    EXPECT_LT(fadeStart, finalStream);
    EXPECT_LT(fadeEnd, fadeStart - 6.0);
    float tailPeak = 0.0f;
    for (std::size_t i = RowToFrame(816); i < Audio().Frames(); ++i)
        tailPeak = std::max({tailPeak, std::fabs(Audio().left[i]), std::fabs(Audio().right[i])});
    EXPECT_LT(ToDecibels(tailPeak), -60.0) << "still sounding in the last rows";
}

}  // namespace
