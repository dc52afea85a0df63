// The second maze: frame cost in play (the hero walking, the monsters patrolling, the cells in
// view drawn), frame-rate cap removed, in the 800 x 600 window; and the time from the request for
// the maze to its first frame. Needs a display (Xvfb with Mesa's software renderer):
//   DISPLAY=:51 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_maze
#include <benchmark/benchmark.h>

#include "../tests/support/PlayHarness.h"
#include "MazePuzzle.h"
#include "SoundManager.h"
#include "TNInput.h"

namespace {

/* Started with a click; then the hero walks back and forth along the start corridor, so the
 * camera moves and new cells come into view. */
void BM_MazeTwoFrame(benchmark::State& state) {
  PlayHarness h(kStateMazeTwo);
  h.Frames(2);
  h.ClickAt({400, 300});
  MazePuzzle* maze = h.StateAs<MazePuzzle>();
  int frame = 0, key = TN_KEY_D;
  h.KeyDown(key);
  for (auto _ : state) {
    if (++frame % 120 == 0) {  // to and fro along the corridor, no monster in reach
      h.KeyUp(key);
      key = key == TN_KEY_D ? TN_KEY_A : TN_KEY_D;
      h.KeyDown(key);
    }
    maze->timeLeft = MazePuzzle::kTimeLimitFrames;
    h.Frame();
    if (maze->finished) state.SkipWithError("the maze ended");
  }
  h.KeyUp(key);
}
BENCHMARK(BM_MazeTwoFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

/* From maze one, as when it is cleared: the step that leaves it, then the step that builds,
 * loads and initialises maze two and runs its first frame. */
void EnterMazeTwo(PlayHarness& h) {
  nextStateId = kStateMazeTwo;
  h.Frame();
  h.Frame();
}

void BackToMazeOne(PlayHarness& h) {
  nextStateId = kStateMazeOne;
  h.Frame();
  h.Frame();
}

/* The first entry of a run: every picture is read. */
void BM_RequestToFirstFrameFirstTime(benchmark::State& state) {
  PlayHarness h(kStateMazeOne);
  h.Frames(2);
  SoundFinishLoading();
  for (auto _ : state) EnterMazeTwo(h);
  if (h.StateAs<MazePuzzle>() == nullptr || currentStateId != kStateMazeTwo)
    state.SkipWithError("maze two did not start");
}
BENCHMARK(BM_RequestToFirstFrameFirstTime)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

/* Later entries: the music is decoded already. */
void BM_RequestToFirstFrame(benchmark::State& state) {
  PlayHarness h(kStateMazeOne);
  h.Frames(2);
  for (auto _ : state) {
    state.PauseTiming();
    BackToMazeOne(h);
    SoundFinishLoading();
    state.ResumeTiming();
    EnterMazeTwo(h);
  }
  if (h.StateAs<MazePuzzle>() == nullptr || currentStateId != kStateMazeTwo)
    state.SkipWithError("maze two did not start");
}
BENCHMARK(BM_RequestToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
