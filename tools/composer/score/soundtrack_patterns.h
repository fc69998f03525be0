// The material of the soundtrack, in F minor at 175 BPM: its chords, drum
// patterns, bass lines, melodies and arpeggio figures, written in the
// notation of notation.h (one token per row, sixteen rows to the bar).
// soundtrack_arrangement.cpp puts them in order.
#pragma once

#include <string_view>

#include "score/harmony.h"

// ---------------------------------------------------------------- chords

inline constexpr ChordShape kFm9{"Fm9", "Ab3 C4 Eb4 G4"};
inline constexpr ChordShape kDbmaj9{"Dbmaj9", "Ab3 C4 Eb4 F4"};
inline constexpr ChordShape kAbmaj7{"Abmaj7", "G3 C4 Eb4 Ab4"};
inline constexpr ChordShape kEbadd9{"Ebadd9", "G3 Bb3 Eb4 F4"};
inline constexpr ChordShape kBbm9{"Bbm9", "Ab3 C4 Db4 F4"};
inline constexpr ChordShape kGbmaj7{"Gbmaj7", "Gb3 Bb3 Db4 F4"};
inline constexpr ChordShape kC7b9{"C7b9", "E3 Bb3 Db4 G4"};
inline constexpr ChordShape kC7sus4{"C7sus4", "G3 Bb3 C4 F4"};
inline constexpr ChordShape kC7{"C7", "G3 Bb3 C4 E4"};

// ---------------------------------------------------------------- drums, one bar each

struct DrumPattern {
    std::string_view kick;
    std::string_view snare;
    std::string_view closedHat;
    std::string_view openHat;
};

// Off-beat hats alone, in the intro.
inline constexpr DrumPattern kShimmer{
    .kick      = "",
    .snare     = "",
    .closedHat = "..o. ..o. ..o. ..o.",
    .openHat   = "",
};
// The first groove, under the seagull's flight: the snare on the third beat.
inline constexpr DrumPattern kHalfTime{
    .kick      = "X... .... ..x. ....",
    .snare     = ".... .... X... ....",
    .closedHat = "..o. ..x. ..o. ..x.",
    .openHat   = "",
};
inline constexpr DrumPattern kHalfTimeBusy{
    .kick      = "X... .... ..x. ..o.",
    .snare     = ".... ..o. X... .o..",
    .closedHat = "x.o. x.x. x.o. x.xo",
    .openHat   = "",
};
// Rolls toward the cut at row 192 and stops short of it.
inline constexpr DrumPattern kHalfTimeFill{
    .kick      = "X... .... ..x. ....",
    .snare     = ".... ..o. X.oo xX..",
    .closedHat = "x.o. x.x. x... ....",
    .openHat   = "",
};
// The drum & bass two-step: kicks on the one and the and-of-three, snares on two and four.
inline constexpr DrumPattern kTwoStep{
    .kick      = "X... .... ..X. ....",
    .snare     = ".... X... .... X...",
    .closedHat = "x.x. x.xo x.x. x.x.",
    .openHat   = "",
};
inline constexpr DrumPattern kTwoStepGhosts{
    .kick      = "X... .... ..X. ....",
    .snare     = ".... X..o .o.. X..o",
    .closedHat = "x.x. x.x. x.xo x.x.",
    .openHat   = "",
};
// The fourth bar of a phrase turns it around.
inline constexpr DrumPattern kTwoStepTurn{
    .kick      = "X... .... ..X. .x..",
    .snare     = ".... X..o .o.. X.o.",
    .closedHat = "x.x. x.x. x.x. ....",
    .openHat   = ".... .... .... ..x.",
};
// Full energy: sixteenth hats and open hats on the off-beats.
inline constexpr DrumPattern kTwoStepDriving{
    .kick      = "X... .... ..X. ....",
    .snare     = ".... X... .... X...",
    .closedHat = "x.ox x.xo x.ox x.xo",
    .openHat   = "..x. .... ..x. ....",
};
// The last bar of an eight-bar phrase.
inline constexpr DrumPattern kFill{
    .kick      = "X... .... ..X. ....",
    .snare     = ".... X... XoXo xXxX",
    .closedHat = "x.x. x.x. .... ....",
    .openHat   = "",
};
// The last bar before the drop: a snare roll, then two rows of silence.
inline constexpr DrumPattern kRollIntoDrop{
    .kick      = "X... .... .... ....",
    .snare     = "x.x. x.x. xxxx XX..",
    .closedHat = "",
    .openHat   = "",
};
// The breakdown's build: a pulse, then rolls that double in speed.
inline constexpr DrumPattern kPulse{
    .kick      = "o... o... o... o...",
    .snare     = "",
    .closedHat = "..o. ..o. ..o. ..o.",
    .openHat   = "",
};
inline constexpr DrumPattern kRollEighths{
    .kick      = "x... o... x... o...",
    .snare     = "o.o. o.o. x.x. x.x.",
    .closedHat = "..x. ..x. ..x. ..x.",
    .openHat   = "",
};
inline constexpr DrumPattern kRollSixteenths{
    .kick      = "x... x... x... x...",
    .snare     = "xxxx xxxx XXXX XX..",
    .closedHat = "",
    .openHat   = "",
};
inline constexpr DrumPattern kLastHit{
    .kick      = "X... .... .... ....",
    .snare     = "",
    .closedHat = "",
    .openHat   = "",
};

// ---------------------------------------------------------------- bass lines (sub octave)

inline constexpr std::string_view kFlightBass =
    "F1  - - - - - - - - - - - - - - - | F1  - - - - - - - - - - - Eb2 - C2 - |"
    "Db2 - - - - - - - - - - - - - - - | Db2 - - - - - - - - - - - C2  - - - ";
inline constexpr std::string_view kCutBass =
    "Bb1 - - - - - - - - - Bb1 - - - Db2 - | Bb1 - - - - - - - - - Bb1 - Ab1 - F1 - |"
    "Gb1 - - - - - - - - - Gb1 - - - Ab1 - | C2  - - - - - - - C2  - C2  - . . . . ";
inline constexpr std::string_view kDropBass =
    "F1  - - - - - - - - - F1  - - - - - | F1  - - - - - - - - - F1  - Ab1 - C2  - |"
    "Db2 - - - - - - - - - Db2 - - - - - | Db2 - - - - - - - - - Db2 - C2  - Bb1 - |"
    "Ab1 - - - - - - - - - Ab1 - - - - - | Ab1 - - - - - - - - - Ab1 - C2  - Eb2 - |"
    "Eb2 - - - - - - - - - Eb2 - - - - - | Eb2 - - - - - - - - - Eb2 - Db2 - C2  - ";
inline constexpr std::string_view kBuildBass =
    "C2  - - - - - - - - - - - - - - - | C2  - - - - - - - - - - - - - . . ";
inline constexpr std::string_view kLastBass = "F1 - - - - - - - - - - - - - - -";

// ---------------------------------------------------------------- melodies

// The theme, first heard on the keys in the intro and sung by the lead at the drop.
inline constexpr std::string_view kThemeA =
    "C5  - - - - - Eb5 - - - F5 - - - - -   | G5  - - - - - - - F5  - Eb5 - F5  - - - |"
    "Ab5 - - - - - G5  - - - F5 - - - - -   | Eb5 - - - - - - - C5  - - - Eb5 - F5  - |"
    "Eb5 - - - - - C5  - - - Eb5 - - - - -  | G5  - - - - - Ab5 - - - G5  - Eb5 - - - |"
    "Bb5 - - - - - - - G5  - - - F5 - - -   | G5  - - - - - - - F5  - - - Eb5 - . .   ";
// The theme's answer, higher, for the second half of the final stream.
inline constexpr std::string_view kThemeB =
    "C6  - - - Bb5 - Ab5 - G5 - - - F5 - - - | G5  - - - - - Ab5 - G5 - F5 - Eb5 - F5 - |"
    "Ab5 - - - - - - - C6 - - - Bb5 - Ab5 -  | G5  - - - F5  - - - Eb5 - - - F5 - - -    |"
    "Eb5 - - - G5  - - - C6 - - - Bb5 - - -  | Ab5 - - - G5  - - - Eb5 - - - C5 - - -    |"
    "Bb5 - - - - - G5  - - - Bb5 - - - C6 -  | Bb5 - - - G5  - - - F5 - - - Eb5 - - -    ";
inline constexpr std::string_view kIntroKeys =
    "C5  - - - - - - - - - - - - - - - | . . . . . . . . Eb5 - - - G4 - - - |"
    "F5  - - - - - - - - - - - - - - - | . . . . . . . . Eb5 - - - C5 - - - |"
    "C5  - - - - - Eb5 - - - F5 - - - - - | G5 - - - - - - - F5 - Eb5 - F5 - - - |"
    "Bb4 - - - - - - - G4 - - - F4 - - - | G4 - - - - - - - - - - - . . . .  ";
// The breakdown's song on the keys, climbing into the last drop.
inline constexpr std::string_view kClimbKeys =
    "F5  - - - - - - - Eb5 - - - C5 - - - | Ab4 - - - - - - - - - - - C5  - Eb5 - |"
    "G5  - - - - - - - Eb5 - - - C5 - - - | Eb5 - - - - - - - - - - - G4  - C5  - |"
    "F5  - - - - - - - Db5 - - - C5 - - - | Bb4 - - - - - - - Db5 - - - F5  - Ab5 - |"
    "G5  - - - - - - - F5  - - - - - - -  | E5  - - - - - - - G5  - - - Bb5 - C6  - ";
inline constexpr std::string_view kLastNote =
    "F5 - - - - - - - - - - - - - - - | . . . . . . . . . . . . . . . .";

// ---------------------------------------------------------------- arpeggios and stabs

inline constexpr std::string_view kArpeggioEighths = "0.1. 2.3. 4.3. 2.1.";
inline constexpr std::string_view kArpeggioRolling = "0123 4321 0123 4565";
inline constexpr std::string_view kStabRhythm = "X..x ..x. ..x. x...";
