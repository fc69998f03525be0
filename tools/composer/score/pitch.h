// Pitches as musicians write them ("F#3", "Bb1", "A4") and as MIDI note numbers
// (A4 = 69, C4 = 60), and their frequencies in equal temperament at A4 = 440 Hz.
#pragma once

#include <string_view>

// MIDI note number of a note name: a letter A to G, an optional sharp '#' or
// flat 'b', and an octave from -1 to 9. Throws std::invalid_argument for
// anything else.
int ParsePitch(std::string_view name);

double PitchToFrequency(double midiNote);
