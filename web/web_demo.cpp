// The demo in a browser page: preparation, Play and one frame (see web_demo.h).
#include "web_demo.h"

#include <emscripten/html5.h>
#include <raylib.h>

#include <utility>

#include "embedded_assets.h"
#include "present.h"
#include "shader_dialect.h"
#include "startup_failure.h"

namespace {

// Draws no faster than the page asks for frames; vertical sync is the browser's.
constexpr unsigned kCanvasFlags = 0;

}  // namespace

WebDemo::WebDemo() : window(kCanvasFlags, kRenderSize.width, kRenderSize.height, "Quorl")
{
    // RGFW, raylib's web platform, answers every change of full screen by
    // taking the canvas full screen itself and resizing it. The page
    // letterboxes the canvas on its own, so the canvas keeps its 1920x1080.
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, nullptr);
    cityProgram.emplace(VertexCodeForThisApi(), FragmentCodeForThisApi(CITY_SHADER_SOURCE).c_str());
}

WebDemo::~WebDemo()
{
    if (firstFrame != nullptr) glDeleteSync(firstFrame);
}

Preparation WebDemo::Prepare()
{
    if (ready) return Preparation::Ready;
    if (!failure.empty()) return Preparation::Failed;
    // The decoder runs here, on the page's thread, while the browser compiles.
    if (!music) {
        music.emplace();
        if (!music->Decoded()) return Fail(MusicFailureLine(".ogg"));
    }
    const MusicPlayer player = music->Player();
    if (player == MusicPlayer::Failed) return Fail(SoundFailureLine(music->Failure()));
    if (cityProgram) {
        if (!cityProgram->Finished()) return Preparation::Preparing;
        if (!cityProgram->Linked()) return Fail(cityProgram->FailureLine());
        try {
            stage.emplace(&clock, nullptr, cityProgram->TakeShader());
        } catch (const StartupFailure& failed) {
            return Fail(failed.what());
        }
        cityProgram.reset();
        // The browser finishes a program at its first draw, which can take
        // seconds too: a frame drawn now, off screen, spares the first
        // frame after Play. The fence says when it is done without waiting.
        stage->Render();
        firstFrame = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
        glFlush();
        return Preparation::Preparing;
    }
    if (firstFrame != nullptr) {
        GLint status = GL_UNSIGNALED;
        glGetSynciv(firstFrame, GL_SYNC_STATUS, 1, nullptr, &status);
        if (status != GL_SIGNALED) return Preparation::Preparing;
        glDeleteSync(std::exchange(firstFrame, nullptr));
    }
    if (player != MusicPlayer::Ready) return Preparation::Preparing;
    ready = true;
    return Preparation::Ready;
}

Preparation WebDemo::Fail(std::string why)
{
    failure = std::move(why);
    return Preparation::Failed;
}

bool WebDemo::Play(double seconds, bool hold)
{
    if (!ready) return false;
    if (hold) {
        music->Stop();
    } else if (!music->PlayFrom(seconds)) {
        failure = SoundFailureLine(music->Failure());
        return false;
    }
    held = hold;
    clock.seconds = seconds;
    // Frames did not run since the last play, if there was one.
    autoQuality.Restart(Level());
    return true;
}

void WebDemo::ReadyToPlay()
{
    if (ready) music->Wake();
}

void WebDemo::Pause()
{
    if (ready) music->Pause();
}

void WebDemo::Resume()
{
    if (!ready) return;
    music->Resume();
    // Frames did not run while paused.
    autoQuality.Restart(Level());
}

double WebDemo::MusicSeconds()
{
    return ready ? music->Heard() : 0.0;
}

void WebDemo::SetQuality(std::optional<QualityLevel> fixed)
{
    if (!fixed) autoQuality.Restart(Level());
    fixedQuality = fixed;
}

QualityLevel WebDemo::Level() const
{
    return fixedQuality.value_or(autoQuality.Level());
}

bool WebDemo::Frame(double now, double refresh)
{
    if (!ready) return true;
    if (!held) clock.seconds = music->Heard();
    const QualityLevel level = fixedQuality ? *fixedQuality : autoQuality.Frame(now, refresh);
    // Scaled up to the canvas, a smaller picture is smoothed rather than blocky.
    if (stage->Resize(RenderSizeAt(level)) && level != QualityLevel::Full) {
        SetTextureFilter(stage->Target().texture, TEXTURE_FILTER_BILINEAR);
    }
    if (!stage->Render()) {
        music->Stop();
        return false;
    }
    ShowPicture(stage->Target().texture, {GetScreenWidth(), GetScreenHeight()}, InputPolling::LeaveToThePage);
    return true;
}
