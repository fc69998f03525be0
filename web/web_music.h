// The demo's music in the browser, played on the browser's audio thread.
//
// The embedded Ogg Vorbis is decoded once, by the demo's own decoder (so that
// every browser plays it, whatever codecs it has), and handed to a small
// player of ours in an AudioWorklet, which plays it sample for sample on the
// audio thread and reports the frame at which each play began. Nothing on the
// page's main thread feeds the sound: a held main thread holds up the frames,
// never the music. The position the listener hears is read from the audio
// context (ListenerClock), and is the demo's clock. The player's code is a
// data: address, which a page opened from disk may load, and it needs no
// shared memory, so no special headers from a server.
//
// The audio context is made with the music and held silent until the first
// play, which must come from a click: browsers start sound only then.
// Failures are returned, not thrown, for the page to say.
#pragma once

#include <array>

#include "listener_clock.h"

enum class MusicPlayer { SettingUp, Ready, Failed };

class WebMusic {
public:
    // Decodes the music and starts setting up its player, silent.
    WebMusic();
    ~WebMusic();
    WebMusic(const WebMusic&) = delete;
    WebMusic& operator=(const WebMusic&) = delete;

    // False when the decoder cannot read the music.
    bool Decoded() const { return decoded; }
    // Whether the player is ready on the audio thread (the browser loads it
    // in the background). Once Failed, Failure() says why. Nothing below may
    // be called before it is Ready.
    MusicPlayer Player();

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

    // Why the player could not be set up or the last PlayFrom failed, as the
    // browser put it.
    const char* Failure() const { return failure.data(); }

private:
    bool decoded = false;
    bool contextMade = false;
    int sampleRate = 0;
    ListenerClock clock;
    bool playing = false;
    double stoppedAt = 0.0;
    std::array<char, 512> failure{};
};
