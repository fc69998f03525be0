// Measuring a signal the way the composer's tests need: the amplitude of one
// frequency in it (a Hann-windowed single-bin Fourier transform), and its RMS.
#pragma once

#include <vector>

// The amplitude of the sinusoid at the frequency, as a sine of that amplitude
// would give; exact for frequencies that fit whole periods into the window.
double ToneAmplitude(const std::vector<float>& samples, double frequency, double sampleRate);

double Rms(const std::vector<float>& samples);
