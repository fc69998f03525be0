// The music on the browser's audio thread (see web_music.h). The browser's
// side lives in Module.quorlMusic: the AudioBuffer, the audio context and the
// source node of the play in progress.
#include "web_music.h"

#include <emscripten/emscripten.h>
#include <raylib.h>

#include <cstddef>
#include <cstdint>

#include "embedded_assets.h"

namespace {

// The decoded samples, 16-bit interleaved, into a new AudioBuffer. 1 when it
// is made; else 0 with the browser's reason in `failure`.
EM_JS(int, MusicToAudioBuffer,
      (const std::int16_t* samples, int frames, int channels, int rate, char* failure, int failureSize), {
    try {
        const buffer = new AudioBuffer({length: frames, numberOfChannels: channels, sampleRate: rate});
        const first = samples >> 1;
        for (let c = 0; c < channels; c++) {
            const channel = buffer.getChannelData(c);
            for (let i = 0, at = first + c; i < frames; i++, at += channels) channel[i] = HEAP16[at] / 32768;
        }
        Module.quorlMusic = {buffer: buffer, context: null, source: null};
        return 1;
    } catch (error) {
        stringToUTF8(String(error.message || error), failure, failureSize);
        return 0;
    }
});

// The audio context, made now and held silent: the browser starts its sound
// system at the first context, which can take half a second, better spent
// before the click than after it. It runs at the music's rate where the
// browser allows, so that the buffer plays sample for sample. 1 when it is
// made; else 0 with the browser's reason in `failure`.
EM_JS(int, OpenMusicContext, (char* failure, int failureSize), {
    const music = Module.quorlMusic;
    try {
        try {
            music.context = new AudioContext({latencyHint: "interactive", sampleRate: music.buffer.sampleRate});
        } catch (error) {
            if (error.name !== "NotSupportedError") throw error;
            music.context = new AudioContext({latencyHint: "interactive"});
        }
        music.context.suspend();
        return 1;
    } catch (error) {
        stringToUTF8(String(error.message || error), failure, failureSize);
        return 0;
    }
});

EM_JS(void, ReleaseMusic, (), {
    const music = Module.quorlMusic;
    if (music.context) music.context.close();
    delete Module.quorlMusic;
});

// Starts the buffer at `seconds`; the context time at which it starts, or -1
// with the browser's reason in `failure`. A suspended context starts exactly
// where it stopped; a running one may have rendered up to one of its buffers
// (its base latency) and a render quantum ahead of what the page reads, so
// the start is set that much later.
EM_JS(double, StartMusicSource, (double seconds, char* failure, int failureSize), {
    const music = Module.quorlMusic;
    const context = music.context;
    try {
        if (music.source) music.source.stop();
        music.source = new AudioBufferSourceNode(context, {buffer: music.buffer});
        music.source.connect(context.destination);
        const ahead = context.state === "running" ? (context.baseLatency || 0.02) + 128 / context.sampleRate : 0;
        const startsAt = context.currentTime + ahead;
        music.source.start(startsAt, seconds);
        context.resume();
        return startsAt;
    } catch (error) {
        stringToUTF8(String(error.message || error), failure, failureSize);
        return -1;
    }
});

// Silences the music, and the context with it until the next start.
EM_JS(void, StopMusicSource, (), {
    const music = Module.quorlMusic;
    if (music.source) music.source.stop();
    music.source = null;
    music.context.suspend();
});

EM_JS(void, SuspendMusicContext, (), { Module.quorlMusic.context.suspend(); });
EM_JS(void, ResumeMusicContext, (), { Module.quorlMusic.context.resume(); });

// What the context says now, into an AudioOutputReading, field by field.
EM_JS(void, ReadMusicContext, (AudioOutputReading* reading), {
    const context = Module.quorlMusic.context;
    const stamp = context.getOutputTimestamp ? context.getOutputTimestamp() : {};
    const at = reading >> 3;
    HEAPF64[at] = performance.now() / 1000;
    HEAPF64[at + 1] = context.currentTime;
    HEAPF64[at + 2] = context.outputLatency || 0;
    HEAPF64[at + 3] = stamp.contextTime || 0;
    HEAPF64[at + 4] = (stamp.performanceTime || 0) / 1000;
});

static_assert(sizeof(AudioOutputReading) == 5 * sizeof(double) && offsetof(AudioOutputReading, pageTime) == 0 &&
                  offsetof(AudioOutputReading, contextTime) == sizeof(double) &&
                  offsetof(AudioOutputReading, outputLatency) == 2 * sizeof(double) &&
                  offsetof(AudioOutputReading, stampContextTime) == 3 * sizeof(double) &&
                  offsetof(AudioOutputReading, stampPageTime) == 4 * sizeof(double),
              "ReadMusicContext writes the fields in this order");

// Sample positions keep the buffer's samples as they are: a start between
// two samples would have the browser interpolate.
double OnASample(double seconds, int rate)
{
    return static_cast<double>(static_cast<long long>(seconds * rate + 0.5)) / rate;
}

}  // namespace

WebMusic::WebMusic()
{
    // The decoder's samples are 16-bit for Ogg Vorbis.
    Wave wave = LoadWaveFromMemory(".ogg", MUSIC_OGG, static_cast<int>(MUSIC_OGG_SIZE));
    if (wave.data != nullptr && wave.sampleSize == 16) {
        decoded = MusicToAudioBuffer(static_cast<const std::int16_t*>(wave.data), static_cast<int>(wave.frameCount),
                                     static_cast<int>(wave.channels), static_cast<int>(wave.sampleRate),
                                     failure.data(), static_cast<int>(failure.size())) != 0;
        sampleRate = static_cast<int>(wave.sampleRate);
    } else {
        TextCopy(failure.data(), "the decoder cannot read it");
    }
    UnloadWave(wave);
    if (decoded) audible = OpenMusicContext(failure.data(), static_cast<int>(failure.size())) != 0;
}

WebMusic::~WebMusic()
{
    if (decoded) ReleaseMusic();
}

bool WebMusic::PlayFrom(double seconds)
{
    const double start = OnASample(seconds, sampleRate);
    const double startsAt = StartMusicSource(start, failure.data(), static_cast<int>(failure.size()));
    if (startsAt < 0.0) return false;
    clock.Start(start, startsAt);
    playing = true;
    return true;
}

void WebMusic::Stop()
{
    stoppedAt = Heard();
    playing = false;
    StopMusicSource();
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
