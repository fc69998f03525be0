// Feeding the music from the frame loop and from a thread of its own.
#include "music_feeder.h"

#include <chrono>

namespace {

// Well within a half of the music's buffer (raylib's default: 4096 frames,
// 85 ms). A larger buffer would carry longer waits, but raylib decodes a
// half at a time under the audio lock, and the mixer waits meanwhile.
constexpr std::chrono::milliseconds kRefillInterval{10};

}  // namespace

MusicFeeder::MusicFeeder(const ScopedMusic& scoped)
    : music(scoped.Get()),
      thread([this](const std::stop_token& stop) {
          while (!stop.stop_requested()) {
              Feed();
              std::this_thread::sleep_for(kRefillInterval);
          }
      })
{
}

void MusicFeeder::Feed()
{
    const std::lock_guard<std::mutex> lock(refilling);
    UpdateMusicStream(music);
}
