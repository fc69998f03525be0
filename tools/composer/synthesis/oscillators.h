// Band-limited oscillators. The saw and the square correct each jump of their
// waveform with a polynomial band-limited step (PolyBLEP), which keeps the
// harmonics above half the sample rate from folding back as audible aliases.
// Phases run from 0 to 1; frequencies are in Hz.
#pragma once

class PhaseAccumulator {
public:
    PhaseAccumulator(double frequency, double sampleRate, double startPhase = 0.0);
    void SetFrequency(double frequency);
    double Phase() const { return phase; }
    double Increment() const { return increment; }
    void Advance();

private:
    double sampleRate;
    double phase;
    double increment = 0.0;
};

// A waveform's value at a phase, for a phase that advances by increment per
// sample (the band-limited corrections depend on it).
using Waveform = double (*)(double phase, double increment);

double SineWave(double phase, double increment);
double BandLimitedSaw(double phase, double increment);
double BandLimitedSquare(double phase, double increment);

// The saw's waveform before its jumps are corrected: what a naive oscillator
// would play, aliases and all.
float NaiveSaw(double phase);

// Plays one waveform from a start phase, one sample per call to Next.
template <Waveform waveform>
class Oscillator {
public:
    Oscillator(double frequency, double sampleRate, double startPhase = 0.0)
        : accumulator(frequency, sampleRate, startPhase)
    {
    }
    void SetFrequency(double frequency) { accumulator.SetFrequency(frequency); }

    float Next()
    {
        const double value = waveform(accumulator.Phase(), accumulator.Increment());
        accumulator.Advance();
        return static_cast<float>(value);
    }

private:
    PhaseAccumulator accumulator;
};

using SineOscillator = Oscillator<SineWave>;
using SawOscillator = Oscillator<BandLimitedSaw>;
using SquareOscillator = Oscillator<BandLimitedSquare>;
