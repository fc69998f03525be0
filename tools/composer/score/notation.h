// The text notation in which the score is written, one token per row:
//
//   note lines  "F1 - - - - - - . . . Ab1 - - - C2 -"
//               a pitch starts a note, "-" holds it one more row, "." is a rest;
//               "|" is a bar line, and every bar holds 16 rows.
//   drum lines  "X... ..x. o.x. ...."
//               'X' an accented hit, 'x' a hit, 'o' a ghost note, '.' nothing;
//               spaces only group the rows and count for nothing.
//   voicings    "Ab3 C4 Eb4 G4", pitches from the lowest up.
//
// Malformed text throws std::invalid_argument naming what is wrong.
#pragma once

#include <string_view>
#include <vector>

#include "score/score.h"

inline constexpr float kAccentVelocity = 1.0f;
inline constexpr float kHitVelocity = 0.78f;
inline constexpr float kGhostVelocity = 0.38f;

std::vector<NoteEvent> ParseNoteLine(std::string_view line, int firstRow, float velocity = 1.0f);
std::vector<NoteEvent> ParseDrumLine(std::string_view line, int firstRow);
std::vector<int> ParseVoicing(std::string_view notes);

// Number of rows that a drum line covers.
int DrumLineRows(std::string_view line);
