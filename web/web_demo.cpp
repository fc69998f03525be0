// The demo in a browser page: set-up, Play and one frame (see web_demo.h).
#include "web_demo.h"

#include <GLES3/gl3.h>
#include <emscripten/html5.h>
#include <raylib.h>
#include <rlgl.h>

#include "embedded_assets.h"
#include "present.h"

namespace {

// Draws no faster than the page asks for frames; vertical sync is the browser's.
constexpr unsigned kCanvasFlags = 0;

}  // namespace

WebDemo::Sound::Sound() : music(".ogg", {MUSIC_OGG, MUSIC_OGG_SIZE}) {}

WebDemo::WebDemo() : window(kCanvasFlags, kRenderSize.width, kRenderSize.height, "Quorl"), stage(&clock, nullptr)
{
    // RGFW, raylib's web platform, answers every change of full screen by
    // taking the canvas full screen itself and resizing it. The page
    // letterboxes the canvas on its own, so the canvas keeps its 1920x1080.
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, nullptr);

    // The browser finishes compiling a shader at its first draw, which can
    // take seconds: one frame drawn and waited for while the page still loads
    // lets Play start the picture at once. Reading a pixel back waits for the
    // draw; WebGL's finish does not.
    stage.Render();
    unsigned char pixel[4];
    rlEnableFramebuffer(stage.Target().id);
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    rlDisableFramebuffer();
}

void WebDemo::Play(double seconds, bool hold)
{
    if (!sound) sound.emplace();
    const Music music = sound->music.Get();
    StopMusicStream(music);
    if (!hold) {
        PlayMusicStream(music);
        if (seconds > 0.0) SeekMusicStream(music, static_cast<float>(seconds));
    }
    // The clock starts at the moment the music does; held, it stays there.
    clock.StartAt(seconds);
    clock.paused = hold;
    // Frames did not run since the last play, if there was one.
    autoQuality.Restart(Level());
}

void WebDemo::FeedMusic()
{
    if (sound) UpdateMusicStream(sound->music.Get());
}

double WebDemo::MusicSeconds() const
{
    return sound ? GetMusicTimePlayed(sound->music.Get()) : 0.0;
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
    const Music music = sound->music.Get();
    clock.Update();
    UpdateMusicStream(music);
    const QualityLevel level = fixedQuality ? *fixedQuality : autoQuality.Frame(now, refresh);
    // Scaled up to the canvas, a smaller picture is smoothed rather than blocky.
    if (stage.Resize(RenderSizeAt(level)) && level != QualityLevel::Full) {
        SetTextureFilter(stage.Target().texture, TEXTURE_FILTER_BILINEAR);
    }
    if (!stage.Render()) {
        StopMusicStream(music);
        return false;
    }
    ShowPicture(stage.Target().texture, {GetScreenWidth(), GetScreenHeight()}, InputPolling::LeaveToThePage);
    return true;
}
