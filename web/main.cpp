// Quorl in a browser: the page (quorl.html) loads this program, which opens
// the canvas and starts compiling the scene. The page then calls
// quorl_prepare from its event loop until the demo is ready, quorl_play from
// its Play button and quorl_frame once per animation frame, until that
// reports the end. The page lives on after main returns, and so does the demo.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <memory>
#include <optional>

#include "startup_failure.h"
#include "web_demo.h"

namespace {

std::unique_ptr<WebDemo> demo;

// Hands the page the line that says why the demo cannot play
// (Module.sayFailure), in the library's words.
EM_JS(void, SayFailure, (const char* line), { Module.sayFailure(UTF8ToString(line)); });

}  // namespace

extern "C" {

// 0 while preparing, 1 once ready to play, -1 when the demo cannot play (the
// page has been told why).
EMSCRIPTEN_KEEPALIVE int quorl_prepare()
{
    switch (demo->Prepare()) {
    case Preparation::Preparing: return 0;
    case Preparation::Ready: return 1;
    case Preparation::Failed: break;
    }
    SayFailure(demo->Failure().c_str());
    return -1;
}

// A press on Play, which a click will follow: the sound gets ready for it.
EMSCRIPTEN_KEEPALIVE void quorl_ready_to_play()
{
    demo->ReadyToPlay();
}

// Must come from a click: browsers start sound only then. 0 when the sound
// cannot start (the page has been told why).
EMSCRIPTEN_KEEPALIVE int quorl_play(double seconds, int hold)
{
    if (demo->Play(seconds, hold != 0)) return 1;
    SayFailure(demo->Failure().c_str());
    return 0;
}

EMSCRIPTEN_KEEPALIVE void quorl_pause()
{
    demo->Pause();
}

EMSCRIPTEN_KEEPALIVE void quorl_resume()
{
    demo->Resume();
}

// 1 while the demo goes on, 0 once it has ended. `now` is the animation
// frame's time and `refresh` the display's refresh interval, in seconds.
EMSCRIPTEN_KEEPALIVE int quorl_frame(double now, double refresh)
{
    return demo->Frame(now, refresh) ? 1 : 0;
}

// For the page's tests: how far the music has played, and the clock reading
// that the last frame showed, in seconds.
EMSCRIPTEN_KEEPALIVE double quorl_music_seconds()
{
    return demo->MusicSeconds();
}

EMSCRIPTEN_KEEPALIVE double quorl_frame_seconds()
{
    return demo->FrameSeconds();
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

// The page calls nothing more once it has been told of a failure.
int main()
{
    try {
        demo = std::make_unique<WebDemo>();
    } catch (const StartupFailure& failure) {
        SayFailure(failure.what());
    }
    return 0;
}
