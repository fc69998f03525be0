// The music on the browser's audio thread (see web_music.h). The browser's
// side lives in Module.quorlMusic: the audio context, the player's node, the
// number of the latest play and the context time at which the player began
// it. The player takes {channels} once, then {play, from} (a play's number
// and the music's frame to begin at) or {stop}; it answers {play, startedAt}
// with the context's frame at which that play began.
#include "web_music.h"

#include <emscripten/emscripten.h>
#include <raylib.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "embedded_assets.h"

namespace {

// The decoded samples, 16-bit interleaved, to a player on the audio thread of
// a new audio context, held silent, at the music's rate: the player copies
// samples as they are. The player's module loads in the background. 1 when
// the context is made; else 0 with the browser's reason in `failure`.
EM_JS(int, MusicToPlayer,
      (const std::int16_t* samples, int frames, int channels, int rate, char* failure, int failureSize), {
    const player = `
        class QuorlMusic extends AudioWorkletProcessor {
            constructor() {
                super();
                this.next = -1;
                this.port.onmessage = (event) => {
                    if (event.data.channels) this.channels = event.data.channels;
                    else this.request = event.data;
                };
            }
            process(inputs, outputs) {
                if (!this.channels) return true;
                if (this.request) {
                    this.next = this.request.stop ? -1 : this.request.from;
                    if (!this.request.stop) this.port.postMessage({play: this.request.play, startedAt: currentFrame});
                    this.request = null;
                }
                const output = outputs[0];
                for (let c = 0; c < output.length; c++) {
                    output[c].fill(0);
                    if (this.next >= 0) output[c].set(this.channels[c].subarray(this.next, this.next + output[c].length));
                }
                if (this.next >= 0) this.next += output[0].length;
                if (this.next >= this.channels[0].length) this.next = -1;
                return true;
            }
        }
        registerProcessor("quorl-music", QuorlMusic);`;
    const music = Module.quorlMusic = {context: null, node: null, play: 0, startedAt: -1, failure: ""};
    try {
        const pcm = [];
        for (let c = 0; c < channels; c++) {
            const channel = new Float32Array(frames);
            for (let i = 0, at = (samples >> 1) + c; i < frames; i++, at += channels) channel[i] = HEAP16[at] / 32768;
            pcm.push(channel);
        }
        const context = music.context = new AudioContext({latencyHint: "interactive", sampleRate: rate});
        context.suspend();
        context.audioWorklet.addModule("data:text/javascript," + encodeURIComponent(player)).then(() => {
            const node = new AudioWorkletNode(context, "quorl-music", {numberOfInputs: 0, outputChannelCount: [channels]});
            node.port.onmessage = (event) => {
                if (event.data.play === music.play) music.startedAt = event.data.startedAt / context.sampleRate;
            };
            node.port.postMessage({channels: pcm}, pcm.map((channel) => channel.buffer));
            node.connect(context.destination);
            music.node = node;
        }).catch((error) => { music.failure = String(error.message || error); });
        return 1;
    } catch (error) {
        stringToUTF8(String(error.message || error), failure, failureSize);
        return 0;
    }
});

// 1 once the player is ready, 0 while it loads, -1 when it cannot load (the
// browser's reason in `failure`).
EM_JS(int, MusicPlayerState, (char* failure, int failureSize), {
    const music = Module.quorlMusic;
    if (music.failure) stringToUTF8(music.failure, failure, failureSize);
    return music.failure ? -1 : music.node ? 1 : 0;
});

EM_JS(void, ReleaseMusic, (), {
    const music = Module.quorlMusic;
    if (music && music.context) music.context.close();
    delete Module.quorlMusic;
});

// The player begins the music at `frame` at the next moment it renders, and
// says when that was. 1 when asked; else 0 with the browser's reason.
EM_JS(int, PlayMusicFrom, (double frame, char* failure, int failureSize), {
    const music = Module.quorlMusic;
    try {
        music.startedAt = -1;
        music.node.port.postMessage({play: ++music.play, from: frame});
        music.context.resume();
        return 1;
    } catch (error) {
        stringToUTF8(String(error.message || error), failure, failureSize);
        return 0;
    }
});

// Silences the music, and the context with it until the next play.
EM_JS(void, StopMusic, (), {
    const music = Module.quorlMusic;
    music.node.port.postMessage({stop: true});
    music.context.suspend();
});

EM_JS(void, SuspendMusicContext, (), { Module.quorlMusic.context.suspend(); });
EM_JS(void, ResumeMusicContext, (), { Module.quorlMusic.context.resume(); });

// What the context says now, into an AudioOutputReading, field by field.
EM_JS(void, ReadMusicContext, (AudioOutputReading* reading), {
    const music = Module.quorlMusic;
    const stamp = music.context.getOutputTimestamp ? music.context.getOutputTimestamp() : {};
    const at = reading >> 3;
    HEAPF64[at] = performance.now() / 1000;
    HEAPF64[at + 1] = music.context.currentTime;
    HEAPF64[at + 2] = music.context.outputLatency || 0;
    HEAPF64[at + 3] = stamp.contextTime || 0;
    HEAPF64[at + 4] = (stamp.performanceTime || 0) / 1000;
    HEAPF64[at + 5] = music.startedAt;
});

static_assert(sizeof(AudioOutputReading) == 6 * sizeof(double) && offsetof(AudioOutputReading, pageTime) == 0 &&
                  offsetof(AudioOutputReading, contextTime) == sizeof(double) &&
                  offsetof(AudioOutputReading, outputLatency) == 2 * sizeof(double) &&
                  offsetof(AudioOutputReading, stampContextTime) == 3 * sizeof(double) &&
                  offsetof(AudioOutputReading, stampPageTime) == 4 * sizeof(double) &&
                  offsetof(AudioOutputReading, startedAt) == 5 * sizeof(double),
              "ReadMusicContext writes the fields in this order");

}  // namespace

WebMusic::WebMusic()
{
    // The decoder's samples are 16-bit for Ogg Vorbis.
    Wave wave = LoadWaveFromMemory(".ogg", MUSIC_OGG, static_cast<int>(MUSIC_OGG_SIZE));
    decoded = wave.data != nullptr && wave.sampleSize == 16;
    contextMade = decoded && MusicToPlayer(static_cast<const std::int16_t*>(wave.data),
                                           static_cast<int>(wave.frameCount), static_cast<int>(wave.channels),
                                           static_cast<int>(wave.sampleRate), failure.data(),
                                           static_cast<int>(failure.size())) != 0;
    sampleRate = static_cast<int>(wave.sampleRate);
    UnloadWave(wave);
}

WebMusic::~WebMusic()
{
    ReleaseMusic();
}

MusicPlayer WebMusic::Player()
{
    if (!contextMade) return MusicPlayer::Failed;
    switch (MusicPlayerState(failure.data(), static_cast<int>(failure.size()))) {
    case 1: return MusicPlayer::Ready;
    case 0: return MusicPlayer::SettingUp;
    default: return MusicPlayer::Failed;
    }
}

bool WebMusic::PlayFrom(double seconds)
{
    const double frame = std::round(seconds * sampleRate);
    if (PlayMusicFrom(frame, failure.data(), static_cast<int>(failure.size())) == 0) return false;
    clock.Start(frame / sampleRate);
    playing = true;
    return true;
}

void WebMusic::Stop()
{
    stoppedAt = Heard();
    playing = false;
    StopMusic();
}

void WebMusic::Wake()
{
    if (!playing) ResumeMusicContext();
}

void WebMusic::Pause()
{
    if (playing) SuspendMusicContext();
}

void WebMusic::Resume()
{
    if (playing) ResumeMusicContext();
}

double WebMusic::Heard()
{
    if (!playing) return stoppedAt;
    AudioOutputReading reading;
    ReadMusicContext(&reading);
    return clock.Heard(reading);
}
