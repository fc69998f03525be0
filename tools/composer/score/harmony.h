// The chord progression and the parts that follow it: sustained chords for the
// pad, chords struck to a rhythm for the stabs, and arpeggios.
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "score/score.h"

// A chord as it is written: its name and its voicing, e.g. {"Fm9", "Ab3 C4
// Eb4 G4"}; the bass line supplies the root. An empty voicing is a rest.
struct ChordShape {
    std::string_view name;
    std::string_view voicing;
};

struct ChordSpan {
    const ChordShape& chord;
    int bars;
};

// Appends the chords to the progression one after the other from the bar on.
void AppendProgression(std::vector<Chord>& progression, int firstBar, std::initializer_list<ChordSpan> chords);

// The chord sounding at a row; throws std::out_of_range before the first chord.
const Chord& ChordAt(const std::vector<Chord>& progression, int row);

// Every note of every chord held from its row to the next chord's row, cut at
// the end row.
std::vector<NoteEvent> SustainChords(const std::vector<Chord>& progression, int firstRow, int endRow);

// The chord at each hit of a drum-line rhythm, struck for the given number of
// rows, with the hit's velocity; the rhythm repeats up to the end row.
std::vector<NoteEvent> StrikeChords(const std::vector<Chord>& progression, std::string_view rhythm,
                                    int lengthRows, int firstRow, int endRow);

// An arpeggio over the progression, one token per row and repeating up to the
// end row: a digit picks a note of the chord sounding at that row (0 is its
// lowest, and the count goes on up through the voicing and into the octaves
// above it), "." rests.
std::vector<NoteEvent> Arpeggiate(const std::vector<Chord>& progression, std::string_view figure, int firstRow,
                                  int endRow);
