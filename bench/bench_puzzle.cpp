// The jigsaw: frame cost of the playing board (a piece selected, so its mark is drawn too),
// frame-rate cap removed, 800 x 600 window; and the time from the first room's request for
// state 8 to the jigsaw's first frame.
// Needs a display (Xvfb with Mesa's software renderer):
//   DISPLAY=:61 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_puzzle
#include <benchmark/benchmark.h>

#include "../tests/support/PlayHarness.h"
#include "Level1.h"
#include "Puzzle.h"
#include "SoundManager.h"
#include "TNMath.h"

namespace {

const int kFadeInFrames = 20;

void BM_PlayingBoardFrame(benchmark::State& state) {
  TNRandFixClockSeed(1, 11);
  PlayHarness h(kStatePuzzle);
  h.Frame();
  h.ClickAt({100, 550});  // starts play
  h.ClickAt({325, 100});  // selects the top-left piece
  Puzzle* puzzle = h.StateAs<Puzzle>();
  if (puzzle == nullptr || puzzle->selectedPiece == nullptr) state.SkipWithError("no piece selected");
  for (auto _ : state) {
    puzzle->timer.ResetCount();  // the clock never runs out here
    h.Frame();
  }
  if (puzzle->finished) state.SkipWithError("the jigsaw ended");
}
BENCHMARK(BM_PlayingBoardFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

/* The room after its fade-in, as it is when it asks for the jigsaw. */
void ReadyRoom(PlayHarness& h) {
  if (currentStateId != kStateLevel1) {
    nextStateId = kStateLevel1;
    h.Frame();
  }
  h.Frames(kFadeInFrames);
  SoundFinishLoading();
}

/* The request as the room writes it, then two steps of the loop: the room is freed and
 * unloaded, then the jigsaw is built, loaded, initialised and runs its first frame. */
void EnterJigsaw(PlayHarness& h, benchmark::State& state) {
  nextStateId = kStatePuzzle;
  h.Frame();
  h.Frame();
  if (h.StateAs<Puzzle>() == nullptr) state.SkipWithError("the jigsaw did not start");
}

/* The first entry of a run: the jigsaw's music is new, decoded in the background. */
void BM_RoomToJigsawFirstTime(benchmark::State& state) {
  PlayHarness h(kStateLevel1);
  for (auto _ : state) {
    state.PauseTiming();
    ReadyRoom(h);
    state.ResumeTiming();
    EnterJigsaw(h, state);
  }
}
BENCHMARK(BM_RoomToJigsawFirstTime)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

/* Later entries, as after a Replay: every picture is read again. */
void BM_RoomToJigsaw(benchmark::State& state) {
  PlayHarness h(kStateLevel1);
  for (auto _ : state) {
    state.PauseTiming();
    ReadyRoom(h);
    SoundFinishLoading();
    state.ResumeTiming();
    EnterJigsaw(h, state);
  }
}
BENCHMARK(BM_RoomToJigsaw)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
