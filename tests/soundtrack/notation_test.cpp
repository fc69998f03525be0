// How the score is written down: pitch names, note and drum lines, chords and
// the parts derived from them, and automation curves.
#include <gtest/gtest.h>

#include <stdexcept>

#include "score/automation_curve.h"
#include "score/harmony.h"
#include "score/notation.h"
#include "score/pitch.h"

namespace {

TEST(PitchNames, NaturalsSharpsFlatsAndOctavesGiveMidiNumbers)
{
    EXPECT_EQ(ParsePitch("A4"), 69);
    EXPECT_EQ(ParsePitch("C4"), 60);
    EXPECT_EQ(ParsePitch("F#3"), 54);
    EXPECT_EQ(ParsePitch("Bb1"), 34);
    EXPECT_EQ(ParsePitch("Cb4"), 59) << "C flat is the B below";
    EXPECT_EQ(ParsePitch("C-1"), 0);
    EXPECT_EQ(ParsePitch("G9"), 127);
}

TEST(PitchNames, MalformedNamesAreRejected)
{
    for (const char* name : {"", "H2", "c4", "C", "Cb", "C#b4", "C10", "F 3", "bb3"})
        EXPECT_THROW(ParsePitch(name), std::invalid_argument) << '"' << name << '"';
}

TEST(PitchNames, EqualTemperamentAtConcertPitch)
{
    EXPECT_DOUBLE_EQ(PitchToFrequency(69), 440.0);
    EXPECT_DOUBLE_EQ(PitchToFrequency(81), 880.0);
    EXPECT_NEAR(PitchToFrequency(29), 43.6535, 1e-4) << "F1, the sub bass's home";
}

TEST(NoteLines, PitchesStartNotesThatHoldsLengthenAndRestsEnd)
{
    const auto notes = ParseNoteLine("C5 - - . Eb5 - F5 . . . . . G5 - - -", 32, 0.5f);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].row, 32);
    EXPECT_EQ(notes[0].lengthRows, 3);
    EXPECT_EQ(notes[0].pitch, 72);
    EXPECT_EQ(notes[1].row, 36);
    EXPECT_EQ(notes[1].lengthRows, 2);
    EXPECT_EQ(notes[2].row, 38);
    EXPECT_EQ(notes[2].lengthRows, 1);
    EXPECT_EQ(notes[3].row, 44);
    EXPECT_EQ(notes[3].lengthRows, 4);
    EXPECT_EQ(notes[3].velocity, 0.5f);
}

TEST(NoteLines, ANoteHeldOverABarLineLastsIntoTheNextBar)
{
    const auto notes = ParseNoteLine("F1 - - - - - - - - - - - - - - - |- - - - . . . . . . . . . . . .", 0);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].lengthRows, 20);
}

TEST(NoteLines, BarsOfAnythingButSixteenRowsAreRejected)
{
    EXPECT_THROW(ParseNoteLine("C5 - - -", 0), std::invalid_argument);
    EXPECT_THROW(ParseNoteLine("C5 - - - - - - - - - - - - - - - | C5 - -", 0), std::invalid_argument);
    EXPECT_THROW(ParseNoteLine("C5 - - - - - - - - - - - - - - - - | C5 - - - - - - - - - - - - - - -", 0),
                 std::invalid_argument);
    EXPECT_THROW(ParseNoteLine("", 0), std::invalid_argument);
}

TEST(NoteLines, HoldingNothingIsRejected)
{
    EXPECT_THROW(ParseNoteLine("- - - - - - - - - - - - - - - -", 0), std::invalid_argument);
    EXPECT_THROW(ParseNoteLine("C5 . - - - - - - - - - - - - - -", 0), std::invalid_argument);
}

TEST(DrumLines, SymbolsGiveAccentsHitsAndGhostNotesOnTheirRows)
{
    const auto hits = ParseDrumLine("X... .x.. ..o. ....", 16);
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].row, 16);
    EXPECT_EQ(hits[0].velocity, kAccentVelocity);
    EXPECT_EQ(hits[1].row, 21);
    EXPECT_EQ(hits[1].velocity, kHitVelocity);
    EXPECT_EQ(hits[2].row, 26);
    EXPECT_EQ(hits[2].velocity, kGhostVelocity);
    EXPECT_EQ(DrumLineRows("X... .x.. ..o. ...."), 16);
}

TEST(DrumLines, UnknownSymbolsAreRejected)
{
    EXPECT_THROW(ParseDrumLine("X...|....", 0), std::invalid_argument);
    EXPECT_THROW(ParseDrumLine("x-x-", 0), std::invalid_argument);
}

TEST(Voicings, AreReadFromLowToHigh)
{
    EXPECT_EQ(ParseVoicing("Ab3 C4 Eb4 G4"), (std::vector<int>{56, 60, 63, 67}));
    EXPECT_THROW(ParseVoicing("C4 Ab3"), std::invalid_argument);
    EXPECT_THROW(ParseVoicing("C4 C4"), std::invalid_argument);
}

constexpr ChordShape kLow{"low", "C4 E4 G4"};
constexpr ChordShape kHigh{"high", "D4 F4 A4"};

std::vector<Chord> TwoChords()
{
    std::vector<Chord> progression;
    AppendProgression(progression, 1, {{kLow, 2}, {kHigh, 1}});
    return progression;
}

TEST(Progression, ChordsFollowEachOtherBarByBar)
{
    const std::vector<Chord> progression = TwoChords();
    ASSERT_EQ(progression.size(), 2u);
    EXPECT_EQ(progression[0].row, 16);
    EXPECT_EQ(progression[1].row, 48);
    EXPECT_EQ(ChordAt(progression, 16).name, "low");
    EXPECT_EQ(ChordAt(progression, 47).name, "low");
    EXPECT_EQ(ChordAt(progression, 48).name, "high");
    EXPECT_EQ(ChordAt(progression, 1000).name, "high") << "the last chord holds";
    EXPECT_THROW(ChordAt(progression, 15), std::out_of_range);
}

TEST(Progression, SustainedChordsChangeWithTheHarmonyAndStopAtTheEnd)
{
    const auto notes = SustainChords(TwoChords(), 32, 56);
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_EQ(notes[0].row, 32) << "cut at the first row asked for";
    EXPECT_EQ(notes[0].lengthRows, 16);
    EXPECT_EQ(notes[3].row, 48);
    EXPECT_EQ(notes[3].pitch, 62);
    EXPECT_EQ(notes[3].lengthRows, 8) << "cut at the end row";
}

TEST(Progression, ArpeggioDigitsClimbThroughTheVoicingIntoHigherOctaves)
{
    const auto notes = Arpeggiate(TwoChords(), "0.35", 44, 52);
    std::vector<int> pitches;
    std::vector<int> rows;
    for (const NoteEvent& note : notes) {
        pitches.push_back(note.pitch);
        rows.push_back(note.row);
    }
    // Rows 44-47 over C E G, rows 48-51 over D F A: the figure runs on across the change.
    EXPECT_EQ(rows, (std::vector<int>{44, 46, 47, 48, 50, 51}));
    EXPECT_EQ(pitches, (std::vector<int>{60, 72, 79, 62, 74, 81}));
    EXPECT_THROW(Arpeggiate(TwoChords(), "0a", 16, 32), std::invalid_argument);
}

TEST(Progression, StabsStrikeTheSoundingChordOnEveryHitOfTheRhythm)
{
    const auto notes = StrikeChords(TwoChords(), "x... ..X. .... ....", 2, 32, 64);
    ASSERT_EQ(notes.size(), 12u) << "two hits a bar, two bars, three notes a chord";
    EXPECT_EQ(notes[0].row, 32);
    EXPECT_EQ(notes[3].row, 38);
    EXPECT_EQ(notes[3].velocity, kAccentVelocity);
    EXPECT_EQ(notes[6].row, 48);
    EXPECT_EQ(notes[6].pitch, 62);
    EXPECT_EQ(notes[0].lengthRows, 2);
}

TEST(AutomationCurves, HoldTheirEndValuesAndInterpolateBetweenKeys)
{
    const AutomationCurve level{{10, 0.0}, {20, 1.0}};
    EXPECT_EQ(level.At(-5), 0.0);
    EXPECT_EQ(level.At(15), 0.5);
    EXPECT_EQ(level.At(100), 1.0);
    const AutomationCurve cutoff = AutomationCurve::Frequencies({{0, 100.0}, {10, 400.0}});
    EXPECT_NEAR(cutoff.At(5), 200.0, 1e-9) << "halfway in rows is halfway in octaves";
}

TEST(AutomationCurves, TwoKeysOnOneRowMakeAStep)
{
    const AutomationCurve step{{0, 1.0}, {8, 1.0}, {8, 0.25}, {16, 0.25}};
    EXPECT_EQ(step.At(7.99), 1.0);
    EXPECT_EQ(step.At(8), 0.25);
}

TEST(AutomationCurves, MalformedKeysAreRejected)
{
    EXPECT_THROW((AutomationCurve{{10, 1.0}, {5, 1.0}}), std::invalid_argument);
    EXPECT_THROW(AutomationCurve::Frequencies({{0, 100.0}, {4, 0.0}}), std::invalid_argument);
    EXPECT_THROW((AutomationCurve(std::initializer_list<CurveKey>{})), std::invalid_argument);
}

}  // namespace
