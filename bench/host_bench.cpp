// The demo host's own cost, apart from the shader's pixels:
//   - the track evaluations of a frame, one per track of the choreography;
//   - the City's draw call with its uniform uploads, one pixel shaded.
// Run under scripts/headless.sh (it needs a display and a sound device).
#include <benchmark/benchmark.h>
#include <raylib.h>

#include <vector>

#include "demo_clock.h"
#include "render_size.h"
#include "scenes/city.h"
#include "scoped_media.h"
#include "sync_context.h"

namespace {

// A 60 Hz frame's step, wrapped over the demo's length.
void Advance(DemoClock& clock)
{
    clock.seconds += 1.0 / 60.0;
    if (clock.seconds > 68.5) clock.seconds = 0.0;
}

void TrackEvaluationsPerFrame(benchmark::State& state)
{
    DemoClock clock;
    const SyncContext context(&clock, nullptr);
    // The embedded choreography's tracks, each read once a frame.
    std::vector<TrackHandle> handles;
    for (const SyncTrack* track : RegisteredTracks(*context.device)) handles.push_back({&clock, track});
    for (auto _ : state) {
        Advance(clock);
        double sum = 0.0;
        for (const TrackHandle& handle : handles) sum += handle.Value();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(TrackEvaluationsPerFrame);

void CityDrawOnePixel(benchmark::State& state)
{
    SetTraceLogLevel(LOG_WARNING);
    const ScopedWindow window(FLAG_WINDOW_HIDDEN, 320, 180, "Quorl benchmark");
    DemoClock clock;
    SyncContext context(&clock, nullptr);
    City city(&clock, &context);
    const ScopedRenderTexture target(kRenderSize.width, kRenderSize.height);
    BeginTextureMode(target.Get());
    BeginScissorMode(0, 0, 1, 1);
    for (auto _ : state) {
        Advance(clock);
        city.Draw(kRenderSize);
    }
    EndScissorMode();
    EndTextureMode();
}
BENCHMARK(CityDrawOnePixel)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
