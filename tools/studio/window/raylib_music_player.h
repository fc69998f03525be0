// The demo's music stream as the transport's MusicPlayer, through raylib. It
// starts paused at 0 and never loops: at its end the stream stops and the
// position reads the music's length, which the transport never passes.
#pragma once

#include <raylib.h>

#include "music_player.h"
#include "scoped_media.h"

// Made before the music is loaded: its stream then holds two halves of
// kMusicBufferSeconds each. The music plays on through a frame as long as a
// half (software rendering makes such frames), and the position does not
// suffer, as raylib counts it from the mixer's cursor. raylib's own default,
// about a quarter of a second, falls silent on slow frames.
struct MusicStreamBuffering {
    static constexpr double kMusicBufferSeconds = 0.5;
    MusicStreamBuffering();
};

class RaylibMusicPlayer : public MusicPlayer {
public:
    // The music must outlive the player.
    explicit RaylibMusicPlayer(const ScopedMusic& music);

    void Play() override;
    void Pause() override;
    void Seek(double seconds) override;
    void Feed() override;
    double Position() const override;

    double Length() const;

private:
    // Restarts a stream that stopped at its end, paused unless running.
    void Revive();

    Music music;
    bool running = false;  // asked to play
    bool ended = false;    // stopped by itself at its end while running
};
