// The first room: frame cost with the cursor sparkle running (cursor over
// the drawer front in the drawer close-up), frame-rate cap removed; and the
// time from the menu's request for the room to the room's first frame.
// Needs a display (Xvfb with Mesa's software renderer):
//   DISPLAY=:51 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_level1
#include <benchmark/benchmark.h>

#include <chrono>

#include "../tests/support/PlayHarness.h"
#include "Level1.h"
#include "LevelProgress.h"
#include "Menu.h"
#include "SoundManager.h"
#include "TNInput.h"

namespace {

const int kFadeInFrames = 20;

void BM_RoomFrameWithSparkle(benchmark::State& state) {
  PlayHarness h(kStateLevel1);
  h.Frames(kFadeInFrames);
  Level1* level = h.StateAs<Level1>();
  level->hero->posX = 90.0;  // at the drawer
  level->hero->posY = -70.0;
  h.Press(TN_KEY_E);
  h.Frames(kFadeInFrames + 1);
  h.MoveCursor(400, 350);  // the drawer front
  h.Frames(2);
  for (auto _ : state) {
    h.Frame();
    if (hotspotHover != 1) state.SkipWithError("the cursor left the drawer front");
  }
}
BENCHMARK(BM_RoomFrameWithSparkle)->Unit(benchmark::kMillisecond)->UseRealTime();

/* The menu after its fade-in, as it is when Start's transition ends. */
void ReadyMenu(PlayHarness& h) {
  splashState = 3;
  if (currentStateId != kStateMenu) {
    nextStateId = kStateMenu;
    h.Frame();
  }
  h.Frames(45);
}

/* Two steps of the loop: the menu is left, then the room is built, loaded,
 * initialised and runs its first frame. */
void EnterRoom(PlayHarness& h) {
  nextStateId = kStateLevel1;
  h.Frame();
  h.Frame();
}

/* The first entry of a run: every picture is read. The music is decoded in
 * the background and starts once it is; the counter music_ready_ms says
 * when, from the same request. */
void BM_MenuToRoomFirstTime(benchmark::State& state) {
  PlayHarness h;
  ReadyMenu(h);
  SoundFinishLoading();
  for (auto _ : state) {
    const auto requested = std::chrono::steady_clock::now();
    EnterRoom(h);
    state.PauseTiming();
    SoundFinishLoading();
    const std::chrono::duration<double, std::milli> ready = std::chrono::steady_clock::now() - requested;
    state.counters["music_ready_ms"] = ready.count();
    state.ResumeTiming();
  }
  if (h.StateAs<Level1>() == nullptr) state.SkipWithError("the room did not start");
}
BENCHMARK(BM_MenuToRoomFirstTime)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

/* Later entries: the pictures are read again, the music is already decoded. */
void BM_MenuToRoom(benchmark::State& state) {
  PlayHarness h;
  for (auto _ : state) {
    state.PauseTiming();
    ReadyMenu(h);
    SoundFinishLoading();
    state.ResumeTiming();
    EnterRoom(h);
  }
  if (h.StateAs<Level1>() == nullptr) state.SkipWithError("the room did not start");
}
BENCHMARK(BM_MenuToRoom)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
