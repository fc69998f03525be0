#include "synthesis/filters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// ---------------------------------------------------------------- state-variable filter

StateVariableFilter::StateVariableFilter(double cutoff, double resonance, double rate) : sampleRate(rate)
{
    Tune(cutoff, resonance);
}

void StateVariableFilter::Tune(double cutoff, double resonance)
{
    const double limited = std::clamp(cutoff, 10.0, 0.49 * sampleRate);
    const double g = std::tan(std::numbers::pi * limited / sampleRate);
    damping = 1.0 / resonance;
    a1 = 1.0 / (1.0 + g * (g + damping));
    a2 = g * a1;
    a3 = g * a2;
}

StateVariableFilter::Outputs StateVariableFilter::Process(float input)
{
    const double v3 = input - state2;
    const double v1 = a1 * state1 + a2 * v3;
    const double v2 = state2 + a2 * state1 + a3 * v3;
    state1 = 2.0 * v1 - state1;
    state2 = 2.0 * v2 - state2;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(input - damping * v1 - v2)};
}

// ---------------------------------------------------------------- one-pole filters

OnePoleLowPass::OnePoleLowPass(double cutoff, double sampleRate)
    : coefficient(1.0 - std::exp(-2.0 * std::numbers::pi * cutoff / sampleRate))
{
}

float OnePoleLowPass::Process(float input)
{
    state += coefficient * (input - state);
    return static_cast<float>(state);
}

OnePoleHighPass::OnePoleHighPass(double cutoff, double sampleRate) : lowPass(cutoff, sampleRate) {}

float OnePoleHighPass::Process(float input) { return input - lowPass.Process(input); }

// ---------------------------------------------------------------- biquad

Biquad::Biquad(double b0_, double b1_, double b2_, double a1_, double a2_)
    : b0(b0_), b1(b1_), b2(b2_), a1(a1_), a2(a2_)
{
}

double Biquad::Process(double input)
{
    const double output = b0 * input + state1;
    state1 = b1 * input - a1 * output + state2;
    state2 = b2 * input - a2 * output;
    return output;
}

namespace {

// The cookbook's shelf: the sign picks the low (+1) or the high (−1) shelf.
Biquad Shelf(double corner, double gainDecibels, double sampleRate, double side)
{
    const double a = std::pow(10.0, gainDecibels / 40.0);
    const double w = 2.0 * std::numbers::pi * corner / sampleRate;
    const double cosine = std::cos(w);
    const double slope = 2.0 * std::sqrt(a) * std::sin(w) / std::sqrt(2.0);
    const double b0 = a * ((a + 1.0) - side * (a - 1.0) * cosine + slope);
    const double b1 = side * 2.0 * a * ((a - 1.0) - side * (a + 1.0) * cosine);
    const double b2 = a * ((a + 1.0) - side * (a - 1.0) * cosine - slope);
    const double a0 = (a + 1.0) + side * (a - 1.0) * cosine + slope;
    const double a1 = -side * 2.0 * ((a - 1.0) + side * (a + 1.0) * cosine);
    const double a2 = (a + 1.0) + side * (a - 1.0) * cosine - slope;
    return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

}  // namespace

Biquad Biquad::LowShelf(double corner, double gainDecibels, double sampleRate)
{
    return Shelf(corner, gainDecibels, sampleRate, 1.0);
}

Biquad Biquad::HighShelf(double corner, double gainDecibels, double sampleRate)
{
    return Shelf(corner, gainDecibels, sampleRate, -1.0);
}
