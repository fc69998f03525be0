// The score of the soundtrack: for every part of the band, the notes it plays
// (at rows of the music) and how its level and brightness move over the piece.
// The mixer turns a score into sound; soundtrack_arrangement.cpp writes ours.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "score/automation_curve.h"

// One note or drum hit. Drums and effects ignore the pitch; a riser uses its
// length as the time it takes to rise.
struct NoteEvent {
    int row = 0;
    int lengthRows = 1;
    int pitch = 0;  // MIDI note number
    float velocity = 1.0f;
};

// A chord of the progression, sounding from its row until the next chord.
struct Chord {
    int row = 0;
    std::string name;
    std::vector<int> voicing;  // ascending MIDI note numbers; empty while the harmony rests
};

struct Part {
    std::vector<NoteEvent> notes;
    AutomationCurve level{1.0};
    // Cut-off of the part's low-pass filter in Hz; none leaves it open.
    std::optional<AutomationCurve> brightness;
};

struct Score {
    std::vector<Chord> progression;

    Part kick, snare, closedHat, openHat, crash;
    Part riser, reverseCymbal, impact;
    Part subBass, reeseBass;
    Part pad, stabs, arpeggio, keys, lead;
};
