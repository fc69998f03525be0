// The soundtrack's arrangement, section by section, in step with the cuts of
// the picture (bars of sixteen rows; "rows a–b" include a and exclude b):
//
//   bars  0– 8  rows   0–128  intro: the pad swells out of the fade-in, the
//                             keys hint at the theme, the arpeggio opens up
//   bars  8–12  rows 128–192  the seagull's flight: a half-time groove and the
//                             sub bass come in and build to a snare roll
//   bars 12–16  rows 192–256  the hard cut: double-time drums, a dark reese,
//                             chord stabs on a new progression, a riser
//   bars 16–24  rows 256–384  the drop with the flock: full drums, sub and
//                             reese, pad, arpeggio and the theme on the lead
//   bars 24–32  rows 384–512  the tower climb: drums out, the keys sing over
//                             the pad, then a pulse, snare rolls and a riser
//                             build to the last drop
//   bars 32–48  rows 512–768  the final stream at full energy: the theme,
//                             then its answer, doubled by the keys
//   bars 48–52  rows 768–832  a last hit, the chord and the last note fade
//                             with the picture by row 800 and ring out by 832
#include "score/soundtrack_arrangement.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "score/music_timing.h"
#include "score/notation.h"
#include "score/soundtrack_patterns.h"

namespace {

void Append(std::vector<NoteEvent>& notes, const std::vector<NoteEvent>& more)
{
    notes.insert(notes.end(), more.begin(), more.end());
}

// One pattern per bar, from the first bar on.
void PlayDrums(Score& score, int firstBar, std::initializer_list<const DrumPattern*> bars)
{
    int row = BarToRow(firstBar);
    for (const DrumPattern* pattern : bars) {
        Append(score.kick.notes, ParseDrumLine(pattern->kick, row));
        Append(score.snare.notes, ParseDrumLine(pattern->snare, row));
        Append(score.closedHat.notes, ParseDrumLine(pattern->closedHat, row));
        Append(score.openHat.notes, ParseDrumLine(pattern->openHat, row));
        row += ROWS_PER_BAR;
    }
}

constexpr int kWholeLine = 1 << 16;

// A note line from the first bar on, moved by some semitones, at a velocity,
// and if asked only its first bars.
void PlayLine(Part& part, int firstBar, std::string_view line, int transpose = 0, float velocity = 1.0f,
              int onlyBars = kWholeLine)
{
    const int endRow = BarToRow(firstBar + onlyBars);
    for (NoteEvent note : ParseNoteLine(line, BarToRow(firstBar), velocity)) {
        if (note.row >= endRow) break;
        note.pitch += transpose;
        note.lengthRows = std::min(note.lengthRows, endRow - note.row);
        part.notes.push_back(note);
    }
}

// The bass line on both basses: the sub where written, the reese an octave up.
void PlayBothBasses(Score& score, int firstBar, std::string_view line)
{
    PlayLine(score.subBass, firstBar, line);
    PlayLine(score.reeseBass, firstBar, line, 12);
}

void Hit(Part& part, int row, float velocity)
{
    part.notes.push_back({row, 1, 0, velocity});
}

// A riser or reversed cymbal that builds from the first row up to the end row.
void Swell(Part& part, int firstRow, int endRow, float velocity)
{
    part.notes.push_back({firstRow, endRow - firstRow, 0, velocity});
}

// A crash and an impact, where the picture cuts.
void MarkCut(Score& score, int row, float crash, float impact)
{
    Hit(score.crash, row, crash);
    Hit(score.impact, row, impact);
}

void WriteProgression(Score& score)
{
    AppendProgression(score.progression, 0, {{kFm9, 2}, {kDbmaj9, 2}, {kAbmaj7, 2}, {kEbadd9, 2}});
    AppendProgression(score.progression, 8, {{kFm9, 2}, {kDbmaj9, 2}});
    AppendProgression(score.progression, 12, {{kBbm9, 2}, {kGbmaj7, 1}, {kC7b9, 1}});
    AppendProgression(score.progression, 16, {{kFm9, 2}, {kDbmaj9, 2}, {kAbmaj7, 2}, {kEbadd9, 2}});
    AppendProgression(score.progression, 24, {{kDbmaj9, 2}, {kAbmaj7, 2}, {kBbm9, 2}, {kC7sus4, 1}, {kC7, 1}});
    for (int bar : {32, 40})
        AppendProgression(score.progression, bar, {{kFm9, 2}, {kDbmaj9, 2}, {kAbmaj7, 2}, {kEbadd9, 2}});
    AppendProgression(score.progression, 48, {{kFm9, 4}});
}

// Rows 0–128: out of silence, under the fade-in and the first flight.
void WriteIntro(Score& score)
{
    Append(score.pad.notes, SustainChords(score.progression, 0, 128));
    PlayLine(score.keys, 0, kIntroKeys, 0, 0.7f);
    Append(score.arpeggio.notes, Arpeggiate(score.progression, kArpeggioEighths, 32, 128));
    PlayDrums(score, 4, {&kShimmer, &kShimmer, &kShimmer, &kShimmer});
    Swell(score.riser, 96, 128, 0.5f);
}

// Rows 128–192: the seagull takes off; the groove builds into the cut.
void WriteFlight(Score& score)
{
    Hit(score.crash, 128, 0.5f);
    Append(score.pad.notes, SustainChords(score.progression, 128, 192));
    Append(score.arpeggio.notes, Arpeggiate(score.progression, kArpeggioRolling, 128, 192));
    PlayLine(score.keys, 8, kThemeA, -12, 0.6f, 4);
    PlayLine(score.subBass, 8, kFlightBass);
    PlayDrums(score, 8, {&kHalfTime, &kHalfTime, &kHalfTimeBusy, &kHalfTimeFill});
    Swell(score.reverseCymbal, 176, 192, 1.0f);
}

// Rows 192–256: the camera cuts; new harmony, double time, building to the drop.
void WriteCut(Score& score)
{
    MarkCut(score, 192, 1.0f, 0.7f);
    Append(score.stabs.notes, StrikeChords(score.progression, kStabRhythm, 2, 192, 248));
    PlayBothBasses(score, 12, kCutBass);
    PlayDrums(score, 12, {&kTwoStep, &kTwoStepGhosts, &kTwoStepTurn, &kRollIntoDrop});
    Swell(score.riser, 224, 256, 1.0f);
}

// Rows 256–384: the drop, as the flock appears.
void WriteDrop(Score& score)
{
    MarkCut(score, 256, 1.0f, 1.0f);
    Hit(score.crash, 320, 0.7f);
    Append(score.pad.notes, SustainChords(score.progression, 256, 384));
    Append(score.arpeggio.notes, Arpeggiate(score.progression, kArpeggioRolling, 256, 384));
    PlayLine(score.lead, 16, kThemeA);
    PlayBothBasses(score, 16, kDropBass);
    PlayDrums(score, 16, {&kTwoStep, &kTwoStepGhosts, &kTwoStep, &kTwoStepTurn, &kTwoStep, &kTwoStepGhosts,
                          &kTwoStepTurn, &kFill});
    Swell(score.reverseCymbal, 368, 384, 0.9f);
}

// Rows 384–512: the tower climb, rising into the last drop.
void WriteClimb(Score& score)
{
    MarkCut(score, 384, 0.8f, 0.6f);
    Append(score.pad.notes, SustainChords(score.progression, 384, 512));
    PlayLine(score.keys, 24, kClimbKeys);
    Append(score.arpeggio.notes, Arpeggiate(score.progression, kArpeggioEighths, 416, 448));
    Append(score.arpeggio.notes, Arpeggiate(score.progression, kArpeggioRolling, 448, 512));
    PlayLine(score.subBass, 30, kBuildBass);
    PlayDrums(score, 28, {&kPulse, &kPulse, &kRollEighths, &kRollSixteenths});
    Swell(score.riser, 448, 512, 1.0f);
}

// Rows 512–768: the final stream at full energy.
void WriteFinalStream(Score& score)
{
    MarkCut(score, 512, 1.0f, 1.0f);
    Hit(score.crash, 640, 0.9f);
    Append(score.pad.notes, SustainChords(score.progression, 512, 768));
    Append(score.arpeggio.notes, Arpeggiate(score.progression, kArpeggioRolling, 512, 768));
    PlayLine(score.lead, 32, kThemeA);
    PlayLine(score.lead, 40, kThemeB);
    PlayLine(score.keys, 40, kThemeB, -12, 0.6f);
    for (int bar : {32, 40}) {
        PlayBothBasses(score, bar, kDropBass);
        PlayDrums(score, bar, {&kTwoStepDriving, &kTwoStepGhosts, &kTwoStepDriving, &kTwoStepTurn,
                               &kTwoStepDriving, &kTwoStepGhosts, &kTwoStepTurn, &kFill});
    }
    Swell(score.reverseCymbal, 624, 640, 0.7f);
    Swell(score.reverseCymbal, 752, 768, 0.8f);
}

// Rows 768–832: a last hit, then everything fades with the picture.
void WriteEnding(Score& score)
{
    MarkCut(score, 768, 1.0f, 0.9f);
    Append(score.pad.notes, SustainChords(score.progression, 768, 800));
    Append(score.arpeggio.notes, Arpeggiate(score.progression, kArpeggioEighths, 768, 800));
    PlayLine(score.lead, 48, kLastNote);
    PlayLine(score.subBass, 48, kLastBass);
    PlayDrums(score, 48, {&kLastHit});
}

void WriteAutomation(Score& score)
{
    score.pad.level = {{0, 0.0}, {32, 1.0}, {190, 1.0}, {192, 0.0}, {256, 0.75}, {383, 0.75}, {384, 1.0},
                       {511, 1.0}, {512, 0.75}, {768, 0.75}, {800, 0.0}};
    score.pad.brightness = AutomationCurve::Frequencies(
        {{0, 280}, {128, 2200}, {191, 3000}, {256, 4000}, {383, 4000}, {384, 500}, {496, 7000}, {512, 4500},
         {768, 4500}, {800, 700}});
    score.arpeggio.level = {{32, 0.0}, {64, 0.8}, {128, 1.0}, {768, 1.0}, {800, 0.0}};
    score.arpeggio.brightness = AutomationCurve::Frequencies(
        {{32, 400}, {128, 3500}, {256, 5000}, {383, 5000}, {416, 600}, {508, 8000}, {512, 5000}, {768, 5000},
         {800, 600}});
    score.reeseBass.brightness =
        AutomationCurve::Frequencies({{192, 350}, {254, 1500}, {256, 1400}, {384, 1400}, {512, 1800}});
    // The rolls into the drops swell.
    score.snare.level = {{240, 1.0}, {240, 0.55}, {254, 1.0}, {480, 1.0}, {480, 0.35}, {510, 1.0}};
    score.keys.level = {{0, 0.6}, {32, 1.0}};
    score.lead.level = {{768, 1.0}, {800, 0.0}};
}

}  // namespace

Score WriteSoundtrackScore()
{
    Score score;
    WriteProgression(score);
    WriteIntro(score);
    WriteFlight(score);
    WriteCut(score);
    WriteDrop(score);
    WriteClimb(score);
    WriteFinalStream(score);
    WriteEnding(score);
    WriteAutomation(score);
    return score;
}
