// The page's demo clock: the position of the music that the listener hears,
// read from the browser's audio context that plays it. The music plays on the
// browser's audio thread, so a held main thread costs frames, never sync: the
// next frame shows the music's time.
//
// A reading is what the context says at one moment: how far it has rendered,
// and its output timestamp, which pairs a context time with the page time at
// which that sound leaves the speakers. Plain C++, without the browser: the
// native tests drive it.
#pragma once

struct AudioOutputReading {
    double pageTime = 0.0;        // the page's clock now (performance.now()), in seconds
    double contextTime = 0.0;     // the context's currentTime: what it has rendered so far
    double outputLatency = 0.0;   // from rendered to heard, where the browser says (else 0)
    double stampContextTime = 0.0;  // getOutputTimestamp(): the context time heard ...
    double stampPageTime = 0.0;     // ... at this page time, in seconds; 0 before the first sound
};

class ListenerClock {
public:
    // The music, from `musicSeconds` on, is heard from context time `contextStart`.
    void Start(double musicSeconds, double contextStart);

    // The music's position that the listener hears at the reading. Before the
    // start it is the start's position; it never goes back, and never runs
    // past what the context has rendered (a timestamp from before the context
    // was suspended says nothing about now).
    double Heard(const AudioOutputReading& reading);

private:
    double startSeconds = 0.0;
    double contextStart = 0.0;
    double heard = 0.0;
};
