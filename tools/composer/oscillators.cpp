#include "oscillators.h"

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

SineOscillator::SineOscillator(double frequency, double sampleRate, double startPhase)
    : accumulator(frequency, sampleRate, startPhase)
{
}

float SineOscillator::Next()
{
    const double value = std::sin(2.0 * std::numbers::pi * accumulator.Phase());
    accumulator.Advance();
    return static_cast<float>(value);
}

SawOscillator::SawOscillator(double frequency, double sampleRate, double startPhase)
    : accumulator(frequency, sampleRate, startPhase)
{
}

float SawOscillator::Next()
{
    const double t = accumulator.Phase();
    const double value = NaiveSaw(t) - PolyBlep(t, accumulator.Increment());
    accumulator.Advance();
    return static_cast<float>(value);
}

SquareOscillator::SquareOscillator(double frequency, double sampleRate, double startPhase)
    : accumulator(frequency, sampleRate, startPhase)
{
}

float SquareOscillator::Next()
{
    const double t = accumulator.Phase();
    const double dt = accumulator.Increment();
    const double half = t + 0.5 - std::floor(t + 0.5);
    const double value = (t < 0.5 ? 1.0 : -1.0) + PolyBlep(t, dt) - PolyBlep(half, dt);
    accumulator.Advance();
    return static_cast<float>(value);
}

float NaiveSaw(double phase) { return static_cast<float>(2.0 * phase - 1.0); }
