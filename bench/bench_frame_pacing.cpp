// The idle menu at the game's own cap of 60 frames per second: how even the
// frames are (mean and spread of the frame time the controller reports, and
// of the interval from one frame's start to the next) and how much processor
// time the whole process spends on it; and the same frames with the cap
// removed and paced by a plain sleep between frames instead, whose processor
// use is the frame work alone (with the sound and renderer threads): the
// floor any wait can reach. The difference is what the wait costs; the
// spinning wait (SpinningWait) is the other end, a whole core spent waiting. In a window
// and in full screen ("width" tells which one the run really had); run each
// case in a process of its own, since a second window in one process may not
// get full screen from the window manager:
//   export DISPLAY=:66 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
//   for c in {AtTheCap,Work,SpinningWait}/fullscreen:{0,1}; do
//     ./bench_frame_pacing --benchmark_filter=$c; done
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "../tests/support/PlayHarness.h"
#include "Menu.h"

namespace {

const int kFrames = 600;  // ten seconds at the cap

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void MeanAndSpread(benchmark::State& state, const char* name, const std::vector<double>& values) {
  double sum = 0.0, squares = 0.0, largest = 0.0;
  for (double v : values) {
    sum += v;
    largest = std::max(largest, v);
  }
  const double mean = sum / values.size();
  for (double v : values) squares += (v - mean) * (v - mean);
  state.counters[std::string(name) + "_mean_ms"] = mean * 1e3;
  state.counters[std::string(name) + "_sd_ms"] = std::sqrt(squares / values.size()) * 1e3;
  state.counters[std::string(name) + "_max_ms"] = largest * 1e3;
}

PlayHarness::Options Options(const benchmark::State& state, unsigned int maxFrameRate) {
  PlayHarness::Options options;
  options.fullScreen = state.range(0) != 0;
  options.maxFrameRate = maxFrameRate;
  return options;
}

/* The menu after its fade-in, with the cursor away from every button. */
void ReadyMenu(PlayHarness& h) {
  splashState = 3;
  h.MoveCursor(60, 60);
  h.Frames(45);
}

/* The window's real width: full screen takes the window manager a moment. */
int DrawableWidth() {
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(TNSysGetWindowHandle()), &width, &height);
  return width;
}

void BM_IdleMenuAtTheCap(benchmark::State& state) {
  PlayHarness h(kStateMenu, Options(state, 60));
  ReadyMenu(h);
  std::vector<double> frameTimes, periods;
  h.Frame();
  double cpu = ProcessCpuSeconds(), wall = Seconds(), start = wall;
  for (auto _ : state) {
    h.Frame();
    const double now = Seconds();
    periods.push_back(now - start);
    start = now;
    frameTimes.push_back(TNFrameRateControllerGetFrameTime());
  }
  cpu = ProcessCpuSeconds() - cpu;
  wall = Seconds() - wall;
  MeanAndSpread(state, "frame", frameTimes);
  MeanAndSpread(state, "period", periods);
  state.counters["cores"] = cpu / wall;
  state.counters["width"] = DrawableWidth();
}
BENCHMARK(BM_IdleMenuAtTheCap)->Arg(0)->Arg(1)->ArgName("fullscreen")->Iterations(kFrames)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

/* The idle menu with the cap removed, each frame followed by `wait` until its
 * deadline, 16.667 ms after the last one. */
void PacedByHand(benchmark::State& state, void (*wait)(std::chrono::steady_clock::time_point)) {
  PlayHarness h(kStateMenu, Options(state, 0));
  ReadyMenu(h);
  const double cpu = ProcessCpuSeconds(), wall = Seconds();
  std::vector<double> periods;
  auto deadline = std::chrono::steady_clock::now();
  double start = Seconds();
  for (auto _ : state) {
    h.Frame();
    deadline += std::chrono::microseconds(16667);
    wait(deadline);
    const double now = Seconds();
    periods.push_back(now - start);
    start = now;
  }
  MeanAndSpread(state, "period", periods);
  state.counters["cores"] = (ProcessCpuSeconds() - cpu) / (Seconds() - wall);
  state.counters["width"] = DrawableWidth();
}

/* A plain sleep: the processor use of the frame work alone. */
void BM_IdleMenuWork(benchmark::State& state) {
  PacedByHand(state, [](std::chrono::steady_clock::time_point deadline) {
    std::this_thread::sleep_until(deadline);
  });
}
BENCHMARK(BM_IdleMenuWork)->Arg(0)->Arg(1)->ArgName("fullscreen")->Iterations(kFrames)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

/* The wait the frame-rate controller had before it learned to sleep:
 * spinning on the clock until each deadline. */
void BM_IdleMenuSpinningWait(benchmark::State& state) {
  PacedByHand(state, [](std::chrono::steady_clock::time_point deadline) {
    while (std::chrono::steady_clock::now() < deadline) {
    }
  });
}
BENCHMARK(BM_IdleMenuSpinningWait)->Arg(0)->Arg(1)->ArgName("fullscreen")->Iterations(kFrames)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
