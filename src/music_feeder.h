// The music refilled on a thread of its own, every few milliseconds, as the
// sound device plays it: however long a frame takes (software rendering, a
// window being dragged, a driver compiling), the music plays on, and the
// clock that follows it goes on with it; only frames are lost. The page feeds
// its music on a timer of its own for the same reason.
//
// raylib's UpdateMusicStream takes the audio lock for the whole refill, and
// the main thread's calls on the music (its position, pause, resume) take it
// too. Nothing else of the program runs on this thread.
#pragma once

#include <thread>

#include "scoped_media.h"

class MusicFeeder {
public:
    // The music must outlive the feeder.
    explicit MusicFeeder(const ScopedMusic& music);
    // Stops the thread and waits for it.
    ~MusicFeeder() = default;
    MusicFeeder(const MusicFeeder&) = delete;
    MusicFeeder& operator=(const MusicFeeder&) = delete;

private:
    std::jthread thread;
};
