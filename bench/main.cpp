// Runs the benchmarks in the generated game folder on whatever SDL drivers
// the environment names (`make bench` picks the dummy ones). Start-up is
// measured first, in a child process of its own, so its peak memory is that
// of a fresh program; so is a frame of the first level as a player starts
// it, presented, for the browser's figure to stand beside.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "BenchFloor.h"
#include "engine/Engine.h"
#include "engine/Globals.h"
#include "engine/HeadlessPlatform.h"
#include "engine/Keys.h"
#include "progress/Settings.h"

namespace {

// Figures measured in a child process, -1 until measured.
struct Figures {
    double milliseconds = -1;
    double peakMegabytes = -1;
};

Figures g_start;
Figures g_played;

// What measure found in a fresh child process, sent whole through a pipe.
Figures InChild(Figures (*measure)()) {
    int channel[2];
    Figures figures;
    if (pipe(channel) != 0) {
        return figures;
    }
    pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        Figures measured = measure();
        ssize_t written = write(channel[1], &measured, sizeof measured);
        _exit(written == sizeof measured ? 0 : 1);
    }
    close(channel[1]);
    if (child > 0 && read(channel[0], &figures, sizeof figures) != sizeof figures) {
        figures = Figures();
    }
    close(channel[0]);
    if (child > 0) {
        waitpid(child, nullptr, 0);
    }
    return figures;
}

double MillisecondsSince(std::chrono::steady_clock::time_point begin) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

// Start-up to the first menu frame with all data loaded: the splash frame
// loads everything, the next one draws the menu.
Figures MeasureStartUp() {
    auto begin = std::chrono::steady_clock::now();
    Figures measured;
    if (StartUp(Settings{false, false}, 1, &g_benchPlatform)) {
        RunFrame();
        RunFrame();
        measured.milliseconds = MillisecondsSince(begin);
        rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        measured.peakMegabytes = usage.ru_maxrss / 1024.0;
        ShutDown();
    }
    return measured;
}

const int kPlayedFrames = 300;

// Return and Space on the menu, a second of level 1, then the mean of 300
// whole frames (input, step, draw, present) with the player standing.
Figures MeasurePlayedFrame() {
    Figures measured;
    HeadlessPlatform game;
    if (game.Start(".")) {
        game.Frames(2);
        game.Tap(kKeyReturn);
        game.Frame();
        game.Tap(kKeySpace);
        game.Frames(61);
        auto begin = std::chrono::steady_clock::now();
        game.Frames(kPlayedFrames);
        measured.milliseconds = MillisecondsSince(begin) / kPlayedFrames;
    }
    return measured;
}

void BM_StartUpToMenu(benchmark::State& state) {
    for (auto _ : state) {
    }
    state.counters["ms"] = g_start.milliseconds;
    state.counters["peak_MB"] = g_start.peakMegabytes;
}
BENCHMARK(BM_StartUpToMenu)->Iterations(1);

void BM_PlayedFrame(benchmark::State& state) {
    for (auto _ : state) {
    }
    state.counters["ms"] = g_played.milliseconds;
}
BENCHMARK(BM_PlayedFrame)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    g_start = InChild(MeasureStartUp);
    g_played = InChild(MeasurePlayedFrame);
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
