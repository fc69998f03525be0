// The music refilled as the sound device plays it: by the frame loop, and
// every few milliseconds by a thread of its own, so that however long a frame
// takes (software rendering, a window being dragged, a driver compiling) the
// music plays on, and the clock that follows it goes on with it; only frames
// are lost. The page plays its music on the browser's audio thread for the
// same reason.
//
// The two never refill at once (a lock of the feeder's own: raylib's refill
// is not safe against itself); the main thread's other calls on the music
// (its position, pause, resume) take raylib's audio lock. Nothing else of the
// program runs on the feeder's thread.
#pragma once

#include <mutex>
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

    // Refills what the device has played since the last refill.
    void Feed();

private:
    Music music;
    std::mutex refilling;
    std::jthread thread;  // last: it runs from its construction on
};
