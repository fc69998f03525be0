// Feeding the music on a thread of its own.
#include "music_feeder.h"

#include <chrono>

namespace {

// Well within a half of the music's buffer, and a sound device's period.
constexpr std::chrono::milliseconds kRefillInterval{5};

}  // namespace

MusicFeeder::MusicFeeder(const ScopedMusic& music)
    : thread([stream = music.Get()](const std::stop_token& stop) {
          while (!stop.stop_requested()) {
              UpdateMusicStream(stream);
              std::this_thread::sleep_for(kRefillInterval);
          }
      })
{
}
