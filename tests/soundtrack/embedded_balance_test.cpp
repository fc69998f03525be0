// The balance of the soundtrack as embedded in the demo and decoded as the demo
// decodes it: bright enough to carry its hats, the snare's crack and the upper
// partials of its synths, never harsh, and with its bass still heard on
// speakers that give little below 200 Hz.
//
// The method (mastering/spectral_balance.h): the mono mix, the mean of both
// channels, at 48 kHz; its long-term power spectrum by Welch's method, Hann
// windows of 8192 samples, each overlapping the one before by half, powers
// averaged over all whole windows. The tilt is the slope of the least-squares
// line through the levels (mean power of the bins between a band's edges, in
// dB) of the third-octave bands centred 1 kHz × 2^(k/3), 100 Hz to 10 kHz,
// against log2 of the centre, in dB per octave. Shares are of the power
// between 20 Hz and 20 kHz. The small speaker is a second-order Butterworth
// high-pass at 200 Hz applied to the spectrum; its loss is the power through
// it against the power without it, both between 20 Hz and 20 kHz.
//
// The bounds lie between a mastered mix (about −4.5 dB an octave, 7 % of its
// power above 2 kHz and 2 % above 8 kHz) and pink noise (−3 dB an octave).
#include <gtest/gtest.h>

#include "decoded_soundtrack.h"
#include "mastering/spectral_balance.h"

namespace {

class EmbeddedSoundtrackBalance : public testing::Test {
protected:
    static const SpectralBalance& Balance()
    {
        static const SpectralBalance balance(EmbeddedSoundtrack().audio);
        return balance;
    }
    void SetUp() override
    {
        ASSERT_GT(EmbeddedSoundtrack().audio.Frames(), 0u) << "the embedded stream does not decode";
    }
};

TEST_F(EmbeddedSoundtrackBalance, TiltsBetweenAMasteredMixAndPinkNoise)
{
    EXPECT_GE(Balance().Slope(), -4.5) << "dull: the highs are buried under the lows";
    EXPECT_LE(Balance().Slope(), -3.0) << "thin: brighter than pink noise";
}

TEST_F(EmbeddedSoundtrackBalance, HighsCarryTheirShareAndTheSubDoesNotSwampThem)
{
    EXPECT_GE(Balance().Share(2000.0, 20000.0), 0.07) << "hats, snare and upper partials buried";
    EXPECT_LE(Balance().Share(2000.0, 20000.0), 0.30) << "brittle";
    EXPECT_GE(Balance().Share(8000.0, 20000.0), 0.02) << "no air";
    EXPECT_LE(Balance().Share(20.0, 120.0), 0.55) << "the sub swamps the mix";
}

TEST_F(EmbeddedSoundtrackBalance, NoHarshPeakBetweenTwoAndTenKilohertz)
{
    EXPECT_LE(Balance().LargestRiseAboveLine(2000.0, 10000.0), 4.0);
}

TEST_F(EmbeddedSoundtrackBalance, BassCarriesOnSmallSpeakers)
{
    EXPECT_GE(Balance().HighPassLoss(200.0), -5.0) << "most of the mix is lost on a laptop's speakers";
}

}  // namespace
