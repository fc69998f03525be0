// Filters: a state-variable filter in its topology-preserving form (stable
// while its cut-off moves, as automation needs), one-pole low- and high-passes
// for gentle tone shaping, and a biquad for fixed responses given by their
// coefficients or as shelves.
#pragma once

class StateVariableFilter {
public:
    struct Outputs {
        float lowPass;
        float bandPass;
        float highPass;
    };

    StateVariableFilter(double cutoff, double resonance, double sampleRate);
    // Resonance is the filter's Q: 0.707 is flat, higher rings at the cut-off.
    void Tune(double cutoff, double resonance);
    Outputs Process(float input);

private:
    double sampleRate;
    double a1 = 0.0, a2 = 0.0, a3 = 0.0, damping = 0.0;
    double state1 = 0.0, state2 = 0.0;
};

class OnePoleLowPass {
public:
    OnePoleLowPass(double cutoff, double sampleRate);
    float Process(float input);

private:
    double coefficient;
    double state = 0.0;
};

class OnePoleHighPass {
public:
    OnePoleHighPass(double cutoff, double sampleRate);
    float Process(float input);

private:
    OnePoleLowPass lowPass;
};

// y[n] = b0 x[n] + b1 x[n-1] + b2 x[n-2] - a1 y[n-1] - a2 y[n-2]
class Biquad {
public:
    Biquad(double b0, double b1, double b2, double a1, double a2);
    // Shelves of the Audio EQ Cookbook (R. Bristow-Johnson) at their steepest
    // smooth slope: the gain in dB below (low) or above (high) the corner,
    // half of it at the corner, none on the other side.
    static Biquad LowShelf(double corner, double gainDecibels, double sampleRate);
    static Biquad HighShelf(double corner, double gainDecibels, double sampleRate);
    double Process(double input);

private:
    double b0, b1, b2, a1, a2;
    double state1 = 0.0, state2 = 0.0;
};
