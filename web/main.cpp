// Quorl in a browser: the page (quorl.html) loads this program, which opens
// the canvas and compiles the scene; the page then calls quorl_play from its
// Play button and quorl_frame once per animation frame, until that reports
// the end. The page lives on after main returns, and so does the demo.
#include <emscripten/emscripten.h>

#include <memory>

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

// 1 while the demo goes on, 0 once it has ended.
EMSCRIPTEN_KEEPALIVE int quorl_frame()
{
    return demo->Frame() ? 1 : 0;
}

}  // extern "C"

int main()
{
    demo = std::make_unique<WebDemo>();
    return 0;
}
