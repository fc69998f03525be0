// The music as the studio's transport drives it: raylib's stream in the studio
// (raylib_music_player.h), a simulated one in the tests. Positions are seconds
// from the start of the music, which is also the demo clock's 0.
#pragma once

class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;

    // Starts or resumes playing from the current position.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    // Moves the play position, playing or paused; Position() reads it at once.
    virtual void Seek(double seconds) = 0;
    // Refills the stream; called once per frame while playing.
    virtual void Feed() = 0;
    // How far the music has been played. While playing it advances in steps
    // of the sound device's mixing period, not continuously.
    virtual double Position() const = 0;
};
