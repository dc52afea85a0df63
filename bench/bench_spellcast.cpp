// The spell battles: the frame cost of the second battle with its 15 orbs in play (800 x 600
// window, frame-rate cap removed), and the time from the first room's request for a battle to
// the battle's first frame.
// Needs a display (Xvfb with Mesa's software renderer):
//   DISPLAY=:62 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_spellcast
#include <benchmark/benchmark.h>

#include <chrono>

#include "../tests/support/PlayHarness.h"
#include "Level1.h"
#include "SoundManager.h"
#include "Spellcast.h"

namespace {

const int kFadeInFrames = 20;
const int kOrbsInSecondBattle = 15;

/* The wand stays in the middle of the view, catching and being hit as the orbs come; the
 * score and lives are put back every frame so that the battle is never decided. */
void BM_SecondBattleFrame(benchmark::State& state) {
  PlayHarness h(kStateSpellcastLevel2);
  h.Hover({400, 300});
  h.ClickAt({400, 300});
  Spellcast* battle = h.StateAs<Spellcast>();
  h.Frames(120);  // the first orbs are in the view by now
  for (auto _ : state) {
    battle->score = 0;
    battle->lives = 5;
    h.Frame();
    if (battle->orbs.size() != kOrbsInSecondBattle || battle->finished)
      state.SkipWithError("the battle is not in play with 15 orbs");
  }
}
BENCHMARK(BM_SecondBattleFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

/* The first room after its fade-in, as it is when its exit door asks for the battle. */
void ReadyRoom(PlayHarness& h) {
  if (currentStateId != kStateLevel1) {
    nextStateId = kStateLevel1;
    h.Frame();
  }
  h.Frames(kFadeInFrames + 1);
}

/* Two steps of the loop: the room is left, then the battle is built, loaded, initialised and
 * runs its first frame. */
void EnterBattle(PlayHarness& h, int battle) {
  nextStateId = battle;
  h.Frame();
  h.Frame();
}

/* The first entry of a run: the battle's music is decoded in the background and starts once it
 * is; the counter music_ready_ms says when, from the same request. */
void BM_RoomToBattleFirstTime(benchmark::State& state) {
  PlayHarness h(kStateLevel1);
  ReadyRoom(h);
  SoundFinishLoading();
  const int battle = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const auto requested = std::chrono::steady_clock::now();
    EnterBattle(h, battle);
    state.PauseTiming();
    SoundFinishLoading();
    const std::chrono::duration<double, std::milli> ready = std::chrono::steady_clock::now() - requested;
    state.counters["music_ready_ms"] = ready.count();
    state.ResumeTiming();
  }
  if (h.StateAs<Spellcast>() == nullptr) state.SkipWithError("the battle did not start");
}
BENCHMARK(BM_RoomToBattleFirstTime)->Arg(kStateSpellcast)->Arg(kStateSpellcastLevel2)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

/* Later entries: the pictures are read again, the music is already decoded. */
void BM_RoomToBattle(benchmark::State& state) {
  PlayHarness h(kStateLevel1);
  const int battle = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    ReadyRoom(h);
    SoundFinishLoading();
    state.ResumeTiming();
    EnterBattle(h, battle);
  }
  if (h.StateAs<Spellcast>() == nullptr) state.SkipWithError("the battle did not start");
}
BENCHMARK(BM_RoomToBattle)->Arg(kStateSpellcast)->Arg(kStateSpellcastLevel2)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
