// How instruments write their voices into a part's stem: where a note starts,
// how long it is held, how many frames a sound of some seconds takes,
// equal-power panning, and additions that drop whatever would fall past the
// end of the piece.
#pragma once

#include <cmath>
#include <cstddef>
#include <numbers>

#include "score/music_timing.h"
#include "score/score.h"
#include "stereo_buffer.h"

// Renders one note of a part into the part's stem.
using Instrument = void (*)(StereoBuffer& stem, const NoteEvent& note);

struct PanGains {
    float left;
    float right;
};

// Position -1 is hard left, 0 the centre (-3 dB on each side), 1 hard right.
inline PanGains EqualPowerPan(double position)
{
    const double angle = (position + 1.0) * std::numbers::pi / 4.0;
    return {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
}

inline std::size_t NoteStartFrame(const NoteEvent& note) { return RowToFrame(note.row); }
inline double NoteSeconds(const NoteEvent& note) { return RowsToSeconds(note.lengthRows); }
inline std::size_t SecondsToFrames(double seconds, const StereoBuffer& stem)
{
    return static_cast<std::size_t>(seconds * stem.sampleRate);
}

inline void AddStereo(StereoBuffer& stem, std::size_t frame, float left, float right)
{
    if (frame >= stem.Frames()) return;
    stem.left[frame] += left;
    stem.right[frame] += right;
}

inline void AddPanned(StereoBuffer& stem, std::size_t frame, float sample, PanGains pan)
{
    AddStereo(stem, frame, sample * pan.left, sample * pan.right);
}
