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

class SineOscillator {
public:
    SineOscillator(double frequency, double sampleRate, double startPhase = 0.0);
    void SetFrequency(double frequency) { accumulator.SetFrequency(frequency); }
    float Next();

private:
    PhaseAccumulator accumulator;
};

class SawOscillator {
public:
    SawOscillator(double frequency, double sampleRate, double startPhase = 0.0);
    void SetFrequency(double frequency) { accumulator.SetFrequency(frequency); }
    float Next();

private:
    PhaseAccumulator accumulator;
};

class SquareOscillator {
public:
    SquareOscillator(double frequency, double sampleRate, double startPhase = 0.0);
    void SetFrequency(double frequency) { accumulator.SetFrequency(frequency); }
    float Next();

private:
    PhaseAccumulator accumulator;
};

// The saw's waveform before its jumps are corrected: what a naive oscillator
// would play, aliases and all.
float NaiveSaw(double phase);
