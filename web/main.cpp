// Quorl in a browser: the page (quorl.html) loads this program, which opens
// the canvas and compiles the scene; the page then calls quorl_play from its
// Play button and quorl_frame once per animation frame, until that reports
// the end. The page lives on after main returns, and so does the demo.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <memory>
#include <optional>

#include "web_demo.h"

namespace {

std::unique_ptr<WebDemo> demo;

}  // namespace

extern "C" {

// Must come from a click: browsers start sound only then.
EMSCRIPTEN_KEEPALIVE void quorl_play(double seconds, int hold)
{
    demo->Play(seconds, hold != 0);
}

// 1 while the demo goes on, 0 once it has ended. `now` is the animation
// frame's time and `refresh` the display's refresh interval, in seconds.
EMSCRIPTEN_KEEPALIVE int quorl_frame(double now, double refresh)
{
    return demo->Frame(now, refresh) ? 1 : 0;
}

// Called on a timer while the demo plays, between frames however slow.
EMSCRIPTEN_KEEPALIVE void quorl_feed_music()
{
    demo->FeedMusic();
}

// For the page's tests: how far the music has played, in seconds.
EMSCRIPTEN_KEEPALIVE double quorl_music_seconds()
{
    return demo->MusicSeconds();
}

// The quality setting by the page's numbers: 0 Auto, then the levels from
// 1, Full, down (2 Half, 3 Quarter); any other number changes nothing.
EMSCRIPTEN_KEEPALIVE void quorl_set_quality(int setting)
{
    if (setting == 0) demo->SetQuality(std::nullopt);
    if (setting < 1) return;
    if (const std::optional<QualityLevel> level = LevelAt(static_cast<std::size_t>(setting - 1))) {
        demo->SetQuality(*level);
    }
}

// The level of the frames now, by the same numbers.
EMSCRIPTEN_KEEPALIVE int quorl_quality_level()
{
    return static_cast<int>(IndexOf(demo->Level())) + 1;
}

}  // extern "C"

int main()
{
    demo = std::make_unique<WebDemo>();
    return 0;
}
