#include "synthesis/oscillators.h"

#include <cmath>
#include <numbers>

namespace {

// The residual of a band-limited unit step around a jump at phase 0, for a
// phase t in [0, 1) advancing by dt per sample.
double PolyBlep(double t, double dt)
{
    if (t < dt) {
        const double x = t / dt;
        return x + x - x * x - 1.0;
    }
    if (t > 1.0 - dt) {
        const double x = (t - 1.0) / dt;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

}  // namespace

// ---------------------------------------------------------------- phase

PhaseAccumulator::PhaseAccumulator(double frequency, double rate, double startPhase)
    : sampleRate(rate), phase(startPhase - std::floor(startPhase))
{
    SetFrequency(frequency);
}

void PhaseAccumulator::SetFrequency(double frequency) { increment = frequency / sampleRate; }

void PhaseAccumulator::Advance()
{
    phase += increment;
    phase -= std::floor(phase);
}

// ---------------------------------------------------------------- waveforms

double SineWave(double phase, double /*increment*/) { return std::sin(2.0 * std::numbers::pi * phase); }

double BandLimitedSaw(double phase, double increment) { return NaiveSaw(phase) - PolyBlep(phase, increment); }

double BandLimitedSquare(double phase, double increment)
{
    const double half = phase + 0.5 - std::floor(phase + 0.5);
    return (phase < 0.5 ? 1.0 : -1.0) + PolyBlep(phase, increment) - PolyBlep(half, increment);
}

float NaiveSaw(double phase) { return static_cast<float>(2.0 * phase - 1.0); }
