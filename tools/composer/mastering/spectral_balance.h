// The spectral balance of a piece, read as a mastering engineer reads it.
//
// The long-term power spectrum of the mono mix (the mean of both channels) by
// Welch's method: Hann windows of 8192 samples, each half overlapping the one
// before, the power of every bin averaged over all whole windows. From it:
//   - the level of each third-octave band centred 1 kHz × 2^(k/3) from 100 Hz
//     to 10 kHz, as the mean power of the bins between its edges (its centre
//     × 2^(±1/6)) in dB, and the least-squares line through those levels
//     against log2 of the centre: its slope, in dB per octave, is the tilt of
//     the mix (pink noise −3, a bright modern master about −4.5);
//   - the share of the power between 20 Hz and 20 kHz that lies in a range;
//   - how far the level falls on a small speaker, modelled as a second-order
//     Butterworth high-pass (the power through it against the power without
//     it, both between 20 Hz and 20 kHz).
// Figures are relative, so the spectrum's scale does not matter.
#pragma once

#include <cstddef>
#include <vector>

#include "stereo_buffer.h"

struct ThirdOctaveBand {
    double centreHertz;
    double levelDecibels;
};

class SpectralBalance {
public:
    explicit SpectralBalance(const StereoBuffer& audio);

    // The share, from 0 to 1, of the power between 20 Hz and 20 kHz that lies
    // in [lowHertz, highHertz).
    double Share(double lowHertz, double highHertz) const;
    // The change of level, in dB (zero or below), through a high-pass at the cut-off.
    double HighPassLoss(double cutoffHertz) const;

    // The bands from 100 Hz to 10 kHz, and the line fitted through them.
    const std::vector<ThirdOctaveBand>& Bands() const { return bands; }
    double Slope() const { return slope; }
    double LineAt(double hertz) const;
    // How far the band most above the line, among those centred in [lowHertz, highHertz], rises above it.
    double LargestRiseAboveLine(double lowHertz, double highHertz) const;

    // Mean power per bin over [lowHertz, highHertz), in dB; for drawing the spectrum.
    double LevelBetween(double lowHertz, double highHertz) const;

private:
    struct BinRange {
        std::size_t first;
        std::size_t end;
    };
    BinRange BinsBetween(double lowHertz, double highHertz) const;
    double SumBetween(double lowHertz, double highHertz) const;

    double binHertz;
    std::vector<double> power;  // per bin, 0 Hz to half the sample rate
    std::vector<ThirdOctaveBand> bands;
    double slope = 0.0;
    double lineAtOneKilohertz = 0.0;
};
