// The studio's playhead and the music, kept in step: play and pause, seeks by
// rows, beats and bars, a loop span, and the hold at the demo's end. The
// music follows every move of the playhead; while playing, the playhead
// follows the music (MusicFollowingClock).
//
// Times are clock readings in seconds; `now` is the platform timer's reading,
// passed in so that tests can drive the transport without a window.
#pragma once

#include "music_following_clock.h"
#include "music_player.h"

struct LoopSpan {
    double start;
    double end;
    bool enabled;

    // A span shorter than a row is never looped.
    bool Active() const;
};

class Transport {
public:
    // The playhead starts at `start` (held within the demo), paused; the
    // music is moved there. `end` is the demo's end (Stage::EndOfDemo), at
    // most the music's length.
    Transport(MusicPlayer& music, double end, double start, double now);

    double Seconds() const { return seconds; }
    bool Playing() const { return playing; }
    const LoopSpan& Loop() const { return loop; }
    double End() const { return end; }
    // The last reading before the end: the frame the studio holds there.
    double LastShown() const;

    // Once per frame, before drawing: feeds the music and, while playing,
    // moves the playhead with it, back to the loop's start at its end, and
    // stops at the demo's end.
    void Tick(double now);

    // Pausing puts the music exactly where the picture is; playing from the
    // end starts again from the loop's start, or from 0.
    void TogglePlay(double now);
    // To `target`, held within 0 and the last reading shown; the music too.
    void Seek(double target, double now);
    // To the first reading at `row` (SecondsAtRow), held the same way.
    void SeekRow(double row, double now);
    // To the next (rows > 0) or previous (rows < 0) multiple of |rows| rows.
    void StepRows(int rows, double now);
    void ToStart(double now);
    // The last whole row before the end: row 799 for a demo ending at row 800.
    void ToLastRow(double now);

    // The loop's start or end at the playhead; an end not after the start
    // moves the start back to 0, a start not before the end moves the end to
    // the last reading shown.
    void MarkLoopStart();
    void MarkLoopEnd();
    void ToggleLoop();

    // A new end after the choreography changed: the playhead and the loop
    // are held within it.
    void SetEnd(double newEnd, double now);

private:
    double Held(double target) const;
    // Pauses the music where the playhead is.
    void Stop();

    MusicPlayer& music;
    MusicFollowingClock follower;
    double end;
    double seconds = 0.0;
    bool playing = false;
    LoopSpan loop{0.0, 0.0, false};
};
