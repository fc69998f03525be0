// The score of the soundtrack against the picture it accompanies: what plays
// where the camera cuts, where the drums and bass rest, and whether the notes
// are in key and in range.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "score/harmony.h"
#include "score/music_timing.h"
#include "score/soundtrack_arrangement.h"

namespace {

const Score& TheScore()
{
    static const Score score = WriteSoundtrackScore();
    return score;
}

std::set<int> RowsOf(const Part& part)
{
    std::set<int> rows;
    for (const NoteEvent& note : part.notes) rows.insert(note.row);
    return rows;
}

bool AnyNoteIn(const Part& part, int firstRow, int endRow)
{
    return std::any_of(part.notes.begin(), part.notes.end(),
                       [&](const NoteEvent& note) { return note.row >= firstRow && note.row < endRow; });
}

TEST(SoundtrackArrangement, KickOnEveryBarOfTheFinalStream)
{
    const std::set<int> kicks = RowsOf(TheScore().kick);
    for (int row = 512; row < 768; row += ROWS_PER_BAR) EXPECT_TRUE(kicks.count(row)) << "no kick at row " << row;
}

TEST(SoundtrackArrangement, DrumsAndBassWaitForTheSeagullsFlight)
{
    const Score& score = TheScore();
    EXPECT_FALSE(AnyNoteIn(score.kick, 0, 128));
    EXPECT_FALSE(AnyNoteIn(score.snare, 0, 128));
    EXPECT_FALSE(AnyNoteIn(score.subBass, 0, 128));
    EXPECT_TRUE(RowsOf(score.kick).count(128));
    EXPECT_TRUE(RowsOf(score.subBass).count(128));
}

TEST(SoundtrackArrangement, TowerClimbOpensWithoutDrumsOrBass)
{
    const Score& score = TheScore();
    for (const Part* part : {&score.kick, &score.snare, &score.closedHat, &score.subBass, &score.reeseBass})
        EXPECT_FALSE(AnyNoteIn(*part, 384, 448));
    EXPECT_TRUE(AnyNoteIn(score.kick, 448, 512)) << "the climb builds back up";
}

TEST(SoundtrackArrangement, EveryCutIsMarkedByACrash)
{
    const std::set<int> crashes = RowsOf(TheScore().crash);
    for (const int cut : {192, 256, 384, 512, 768}) EXPECT_TRUE(crashes.count(cut)) << "row " << cut;
}

TEST(SoundtrackArrangement, TheDropsAreApproachedThroughASilentGap)
{
    const Score& score = TheScore();
    for (const int drop : {256, 512}) {
        for (const Part* part : {&score.kick, &score.snare, &score.subBass, &score.reeseBass})
            EXPECT_FALSE(AnyNoteIn(*part, drop - 2, drop)) << "before row " << drop;
        EXPECT_TRUE(RowsOf(score.kick).count(drop)) << "row " << drop;
    }
}

TEST(SoundtrackArrangement, HarmonyChangesAtTheHardCutAndComesHomeAtTheDrops)
{
    const std::vector<Chord>& progression = TheScore().progression;
    EXPECT_EQ(ChordAt(progression, 0).name, "Fm9");
    EXPECT_NE(ChordAt(progression, 191).name, ChordAt(progression, 192).name);
    EXPECT_EQ(ChordAt(progression, 255).name, "C7b9") << "the dominant leads into the drop";
    EXPECT_EQ(ChordAt(progression, 256).name, "Fm9");
    EXPECT_EQ(ChordAt(progression, 511).name, "C7");
    EXPECT_EQ(ChordAt(progression, 512).name, "Fm9");
    EXPECT_EQ(ChordAt(progression, 768).name, "Fm9");
}

TEST(SoundtrackArrangement, NothingStartsAfterThePictureHasFaded)
{
    const Score& score = TheScore();
    for (const Part* part : {&score.kick, &score.snare, &score.closedHat, &score.openHat, &score.crash, &score.riser,
                             &score.reverseCymbal, &score.impact, &score.subBass, &score.reeseBass, &score.pad,
                             &score.stabs, &score.arpeggio, &score.keys, &score.lead}) {
        for (const NoteEvent& note : part->notes) {
            EXPECT_GE(note.row, 0);
            EXPECT_LE(note.row + note.lengthRows, 800) << "a note at row " << note.row << " outlasts the picture";
        }
    }
    for (const Part* part : {&score.pad, &score.arpeggio, &score.lead})
        EXPECT_EQ(part->level.At(800), 0.0) << "still sounding when the picture has faded";
}

TEST(SoundtrackArrangement, LeadStaysInFMinor)
{
    // F G Ab Bb C Db Eb as pitch classes.
    const std::set<int> fMinor{5, 7, 8, 10, 0, 1, 3};
    for (const NoteEvent& note : TheScore().lead.notes)
        EXPECT_TRUE(fMinor.count(note.pitch % 12)) << "pitch " << note.pitch << " at row " << note.row;
}

TEST(SoundtrackArrangement, EveryPartPlaysInItsRegister)
{
    const Score& score = TheScore();
    struct Register {
        const Part* part;
        int lowest;
        int highest;
    };
    // Sub bass from 30 Hz up, the reese above it, melodies under C7.
    for (const Register& r : {Register{&score.subBass, 23, 43}, Register{&score.reeseBass, 35, 55},
                              Register{&score.pad, 48, 84}, Register{&score.arpeggio, 48, 91},
                              Register{&score.keys, 53, 96}, Register{&score.lead, 60, 96}}) {
        for (const NoteEvent& note : r.part->notes) {
            EXPECT_GE(note.pitch, r.lowest) << "at row " << note.row;
            EXPECT_LE(note.pitch, r.highest) << "at row " << note.row;
        }
    }
}

}  // namespace
