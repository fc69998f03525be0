// The clock of the demo and of the studio while the music plays: it follows
// the music's play position, so that picture and sound cannot drift apart, yet advances
// smoothly although that position moves in steps of the sound device's mixing
// period (often 10 to 20 ms, sometimes more).
//
// Each frame the clock moves on by the time the platform timer says has
// passed, then closes a tenth of the gap to the music's position. So it settles
// on the middle of the steps, within half a step of the position, and never
// stops or jumps back while the music runs smoothly. When the gap is more than
// kResyncGap (the music stalled, or was moved behind the clock's back), the
// clock takes the music's position as it stands.
//
// A seek takes a moment (the stream is decoded anew) before the music plays
// from its new place: after a restart the clock holds until the music's
// position moves on from there, then takes it (no further than the timer
// says), instead of running ahead for the frames the correction would need.
#pragma once

class MusicFollowingClock {
public:
    static constexpr double kResyncGap = 0.1;
    static constexpr double kCorrectionPerFrame = 0.1;

    // The clock reads `seconds` at timer reading `now`: after a seek, or when
    // the music starts or resumes.
    void Restart(double seconds, double now);

    // The clock's reading at timer reading `now`, given the music's position
    // read at the same moment.
    double Follow(double now, double musicPosition);

private:
    double seconds = 0.0;
    double lastNow = 0.0;
    bool restarted = false;
};
