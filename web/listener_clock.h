// The page's demo clock: the position of the music that the listener hears,
// read from the browser's audio context that plays it. The music plays on the
// browser's audio thread, so a held main thread costs frames, never sync: the
// next frame shows the music's time.
//
// A reading is what the context says at one moment: how far it has rendered,
// its output timestamp, which pairs a context time with the page time at
// which that sound leaves the speakers, and when the play began, as the audio
// thread reported it. Plain C++, without the browser: the native tests drive
// it.
#pragma once

struct AudioOutputReading {
    double pageTime = 0.0;          // the page's clock now (performance.now()), in seconds
    double contextTime = 0.0;       // the context's currentTime: what it has rendered so far
    double outputLatency = 0.0;     // from rendered to heard, where the browser says (else 0)
    double stampContextTime = 0.0;  // getOutputTimestamp(): the context time heard ...
    double stampPageTime = 0.0;     // ... at this page time, in seconds; 0 before the first sound
    double startedAt = -1.0;        // the context time at which the play began; negative until reported
};

class ListenerClock {
public:
    // A play of the music from `musicSeconds` on, which the audio thread
    // begins at the next moment it renders, and reports.
    void Start(double musicSeconds);

    // The music's position that the listener hears at the reading: the
    // timestamp carried on to the reading's time, never past what the context
    // has rendered; without a recent timestamp (none yet, or the context
    // suspended), what was rendered less the output's latency. Until the play
    // has begun and is heard it is the play's start; it never goes back.
    double Heard(const AudioOutputReading& reading);

    // A timestamp older than this says little about now.
    static constexpr double kRecentStamp = 0.1;

private:
    double startSeconds = 0.0;
    double heard = 0.0;
};
