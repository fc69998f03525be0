// A picture of a piece's spectral balance, as SVG text: its long-term
// spectrum from 40 Hz to 20 kHz in sixth-octave steps, its third-octave bands
// from 100 Hz to 10 kHz with the line fitted through them, and for reference
// the tilts of a mastered mix (−4.5 dB an octave) and of pink noise (−3)
// through the same point at 1 kHz; beside it the figures: the slope, the
// shares of the power, the loss on a small speaker, the loudness and the true
// peak. Levels are drawn relative to the fitted line at 1 kHz, so pictures of
// two pieces compare shape, not level. The same audio gives the same bytes.
#pragma once

#include <string>
#include <string_view>

#include "stereo_buffer.h"

std::string DrawSpectrumPicture(const StereoBuffer& audio, std::string_view title);
