// Time to render one whole 1920x1080 frame of the demo at one clock reading in
// each section, through the demo's own Stage and tracks, as quorl-capture
// does. The frame is read back so that the renderer has finished it; the cost
// of the read-back alone is measured as well. Run under scripts/headless.sh
// for llvmpipe, or on a desktop for its GPU.
#include <benchmark/benchmark.h>
#include <raylib.h>

#include "frame_capture.h"
#include "scoped_media.h"

namespace {

FrameCapture& Capture()
{
    static FrameCapture capture;
    return capture;
}

void RenderFrame(benchmark::State& state, double seconds)
{
    for (auto _ : state) {
        Capture().Render(seconds);
        const ScopedImage frame = Capture().ReadBack();
        benchmark::DoNotOptimize(frame.Get().data);
    }
}

void ReadBackOnly(benchmark::State& state)
{
    Capture().Render(0.0);
    Capture().ReadBack();  // waits for the frame
    for (auto _ : state) {
        const ScopedImage frame = Capture().ReadBack();
        benchmark::DoNotOptimize(frame.Get().data);
    }
}

// A frame of llvmpipe takes seconds: one per repetition, the median reported.
// The renderer's own threads do the work: wall-clock time is what a viewer
// waits, and the CPU time of the whole process, every thread, is the work,
// which other load on the machine leaves alone.
void Settings(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime()->MeasureProcessCPUTime()->Unit(
        benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(RenderFrame, city_seagull_15s, 15.0)->Apply(Settings);
BENCHMARK_CAPTURE(RenderFrame, city_flock_27s, 27.0)->Apply(Settings);
BENCHMARK_CAPTURE(RenderFrame, tower_40s, 40.0)->Apply(Settings);
BENCHMARK_CAPTURE(RenderFrame, stream_50s, 50.0)->Apply(Settings);
BENCHMARK(ReadBackOnly)->Apply(Settings);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SetTraceLogLevel(LOG_WARNING);
    const ScopedWindow window(FLAG_WINDOW_HIDDEN, 320, 180, "Quorl frame benchmark");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
