// The demo's music in the browser, played on the browser's audio thread.
//
// The embedded Ogg Vorbis is decoded once, by the demo's own decoder (so that
// every browser plays it, whatever codecs it has), into an AudioBuffer, and
// an AudioBufferSourceNode plays that. Nothing on the page's main thread
// feeds the sound: a held main thread holds up the frames, never the music.
// The position the listener hears is read from the audio context
// (ListenerClock), and is the demo's clock.
//
// The audio context is made with the music and held silent until the first
// play, which must come from a click: browsers start sound only then.
// Failures are returned, not thrown: the browser build has no exceptions to
// catch, and the page says them.
#pragma once

#include <array>

#include "listener_clock.h"

class WebMusic {
public:
    // Decodes the music and opens the audio context, silent.
    WebMusic();
    ~WebMusic();
    WebMusic(const WebMusic&) = delete;
    WebMusic& operator=(const WebMusic&) = delete;

    // False when the music could not be decoded or the browser cannot hold
    // it, or when the browser gives it no audio context; Failure() says why.
    // Nothing else may be called unless both are true.
    bool Decoded() const { return decoded; }
    bool Audible() const { return audible; }

    // Starts the sound system, silent, while nothing plays: from a press
    // that is about to become a click, so that the sound comes at once with
    // the click (the browser's sound system takes a while to start).
    void Wake();

    // Plays from `seconds` on, stopping an earlier play. False when the
    // browser cannot start the sound; Failure() then says why.
    bool PlayFrom(double seconds);
    // Silences the music and the audio context; Heard then stays where it was.
    void Stop();
    // Holds the sound, and so the clock, where it is; Resume goes on.
    void Pause();
    void Resume();

    // The music's position that the listener hears now; the play's start
    // until it is heard, and 0 before any play.
    double Heard();

    // Why the set-up or the last PlayFrom failed, as the browser put it.
    const char* Failure() const { return failure.data(); }

private:
    bool decoded = false;
    bool audible = false;
    int sampleRate = 0;
    ListenerClock clock;
    bool playing = false;
    double stoppedAt = 0.0;
    std::array<char, 512> failure{};
};
