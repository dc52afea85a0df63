// Frame cost of the menu with the frame-rate cap removed. Needs a display
// (Xvfb with Mesa's software renderer is what the goals are set for):
//   DISPLAY=:41 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_menu
#include <benchmark/benchmark.h>

#include "../tests/support/PlayHarness.h"
#include "Menu.h"

namespace {

/* The menu after its fade-in, with the cursor away from every button. */
void ReadyMenu(PlayHarness& h) {
  splashState = 3;
  h.MoveCursor(60, 60);
  h.Frames(45);
}

void RunFrames(benchmark::State& state, PlayHarness& h) {
  for (auto _ : state) h.Frame();
}

void BM_MenuIdle(benchmark::State& state) {
  PlayHarness::Options options;
  options.fullScreen = state.range(0) != 0;
  PlayHarness h(kStateMenu, options);
  ReadyMenu(h);
  RunFrames(state, h);
}
BENCHMARK(BM_MenuIdle)->Arg(0)->Arg(1)->ArgName("fullscreen")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MenuOptionsPanel(benchmark::State& state) {
  PlayHarness h;
  ReadyMenu(h);
  h.Click(400, 347);
  h.Frames(3);
  RunFrames(state, h);
}
BENCHMARK(BM_MenuOptionsPanel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MenuSplash(benchmark::State& state) {
  PlayHarness h;
  splashState = 0;
  h.Frames(150);  // a logo well on its way in
  for (auto _ : state) {
    if (splashState != 0) state.SkipWithError("the splash ended during the run");
    h.Frame();
  }
}
BENCHMARK(BM_MenuSplash)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(400);

}  // namespace

BENCHMARK_MAIN();
