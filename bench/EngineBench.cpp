// Engine figures: the floor itself, one menu frame's own work (draw and
// input, without the present), and the present alone, which is the SDL back
// end's cost.
#include <benchmark/benchmark.h>

#include "BenchFloor.h"
#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "screens/MainMenuState.h"

namespace {

void BM_Floor(benchmark::State& state) {
    FloorRatio ratio(state);
    for (auto _ : state) {
        ratio.Start();
        FloorWork();
        ratio.Stop();
    }
}
BENCHMARK(BM_Floor);

void BM_MenuFrame(benchmark::State& state) {
    MainMenuState menu;
    g_display->SetPresenting(false);
    FloorRatio ratio(state);
    for (auto _ : state) {
        ratio.Start();
        g_input->Refresh();
        menu.Update();
        ratio.Stop();
    }
    g_display->SetPresenting(true);
}
BENCHMARK(BM_MenuFrame);

void BM_Present(benchmark::State& state) {
    FloorRatio ratio(state);
    for (auto _ : state) {
        ratio.Start();
        g_display->Flip();
        ratio.Stop();
    }
}
BENCHMARK(BM_Present);

}  // namespace
