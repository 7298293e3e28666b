#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

#include "engine/Platform.h"

// The floor no frame can beat: one full-screen fill and one full-screen
// blit. Benchmarks report their time per iteration as a multiple of it,
// measured in the same run, so the figures mean the same on any machine.
double FloorNanoseconds();
// One frame of the floor's work.
void FloorWork();

// Times the body of a benchmark loop and sets the counters "ns" and
// "x_floor" when it goes out of scope.
class FloorRatio {
public:
    explicit FloorRatio(benchmark::State& state) : state(state) {}
    ~FloorRatio();
    void Start() { begin = std::chrono::steady_clock::now(); }
    void Stop() { total += std::chrono::steady_clock::now() - begin; }

private:
    benchmark::State& state;
    std::chrono::steady_clock::time_point begin;
    std::chrono::steady_clock::duration total{};
};

// The program's platform in the benchmarks: SDL's clock, no key or button
// down, the mouse still at (320, 200).
class BenchPlatform : public Platform {
public:
    DeviceState ReadDevices() override;
};
extern BenchPlatform g_benchPlatform;
