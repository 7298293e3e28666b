// Runs the benchmarks in the generated game folder on whatever SDL drivers
// the environment names (`make bench` picks the dummy ones). Start-up is
// measured first, in a child process of its own, so its peak memory is that
// of a fresh program.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "BenchFloor.h"
#include "engine/Engine.h"
#include "engine/Globals.h"
#include "progress/Settings.h"

namespace {

struct StartFigures {
    double milliseconds = -1;
    double peakMegabytes = -1;
};

StartFigures g_start;

// Start-up to the first menu frame with all data loaded: the splash frame
// loads everything, the next one draws the menu.
StartFigures MeasureStartUp() {
    int channel[2];
    StartFigures figures;
    if (pipe(channel) != 0) {
        return figures;
    }
    pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        auto begin = std::chrono::steady_clock::now();
        StartFigures measured;
        if (StartUp(Settings{false, false}, 1, &g_benchPlatform)) {
            RunFrame();
            RunFrame();
            measured.milliseconds =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                    .count();
            rusage usage;
            getrusage(RUSAGE_SELF, &usage);
            measured.peakMegabytes = usage.ru_maxrss / 1024.0;
            ShutDown();
        }
        ssize_t written = write(channel[1], &measured, sizeof measured);
        _exit(written == sizeof measured ? 0 : 1);
    }
    close(channel[1]);
    if (child > 0) {
        if (read(channel[0], &figures, sizeof figures) != sizeof figures) {
            figures = StartFigures();
        }
        waitpid(child, nullptr, 0);
    }
    close(channel[0]);
    return figures;
}

void BM_StartUpToMenu(benchmark::State& state) {
    for (auto _ : state) {
    }
    state.counters["ms"] = g_start.milliseconds;
    state.counters["peak_MB"] = g_start.peakMegabytes;
}
BENCHMARK(BM_StartUpToMenu)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    g_start = MeasureStartUp();
    if (!StartUp(Settings{false, false}, 1, &g_benchPlatform)) {
        return 1;
    }
    RunFrame();  // the splash frame loads every asset
    FloorNanoseconds();
    std::printf("floor (one full-screen fill and blit): %.0f ns\n", FloorNanoseconds());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ShutDown();
    return 0;
}
