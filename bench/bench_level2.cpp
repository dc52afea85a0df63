// The second room: frame cost with the cursor sparkle running (cursor over
// the bottom drawer in the cabinet close-up), frame-rate cap removed, in the
// 800 x 600 window; and the time from the request for the room (the first
// room's stage-clear screen leading on) to the room's first frame.
// Needs a display (Xvfb with Mesa's software renderer):
//   DISPLAY=:65 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_level2
#include <benchmark/benchmark.h>

#include <memory>

#include "../tests/support/PlayHarness.h"
#include "Level2.h"
#include "LevelProgress.h"
#include "SoundManager.h"
#include "TNInput.h"

namespace {

const int kFadeInFrames = 20;

void BM_SecondRoomFrameWithSparkle(benchmark::State& state) {
  PlayHarness h(kStateLevel2);
  h.Frames(kFadeInFrames);
  Level2* level = h.StateAs<Level2>();
  level->hero->posX = 120.0;  // at the cabinet
  level->hero->posY = 70.0;
  h.Press(TN_KEY_E);
  h.Frames(kFadeInFrames + 1);
  h.MoveCursor(400, 382);  // the bottom drawer
  h.Frames(30);            // the sparkle at its usual number of dots
  int dots = 0;
  for (auto _ : state) {
    h.Frame();
    if (hotspotHover != 1) state.SkipWithError("the cursor left the bottom drawer");
    for (ParticleSprite* dot : level->particles.sprites) dots += dot->GetTransparency() > 0.0f;
  }
  state.counters["dots_shown"] = benchmark::Counter(dots, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SecondRoomFrameWithSparkle)->Unit(benchmark::kMillisecond)->UseRealTime();

/* The first room's stage-clear screen, as it is when its way out ends. */
void ReadyStageClear(PlayHarness& h) {
  stageClearMark = kStageClearMark;
  if (currentStateId != kStateLevel1) {
    nextStateId = kStateLevel1;
    h.Frame();
  }
  h.Frames(kFadeInFrames + 1);
}

PlayHarness* StartAtStageClear() {
  stageClearMark = kStageClearMark;
  return new PlayHarness(kStateLevel1);
}

/* Two steps of the loop: the first room is left, then the second is built,
 * loaded, initialised and runs its first frame. */
void EnterSecondRoom(PlayHarness& h) {
  stageClearMark = 0;
  nextStateId = kStateLevel2;
  h.Frame();
  h.Frame();
}

/* The first entry of a run: every picture of the room is read. */
void BM_RequestToFirstFrameFirstTime(benchmark::State& state) {
  std::unique_ptr<PlayHarness> h(StartAtStageClear());
  ReadyStageClear(*h);
  SoundFinishLoading();
  for (auto _ : state) EnterSecondRoom(*h);
  if (h->StateAs<Level2>() == nullptr) state.SkipWithError("the room did not start");
}
BENCHMARK(BM_RequestToFirstFrameFirstTime)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

/* Later entries: the room's pictures are read again, the music is decoded. */
void BM_RequestToFirstFrame(benchmark::State& state) {
  std::unique_ptr<PlayHarness> h(StartAtStageClear());
  for (auto _ : state) {
    state.PauseTiming();
    ReadyStageClear(*h);
    SoundFinishLoading();
    state.ResumeTiming();
    EnterSecondRoom(*h);
  }
  if (h->StateAs<Level2>() == nullptr) state.SkipWithError("the room did not start");
}
BENCHMARK(BM_RequestToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
