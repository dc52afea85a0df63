// Every state of the game, from one table: the cost of a frame in the scene that costs it most
// (frame-rate cap removed, 800 x 600 window unless full screen), and the time from the request
// for the state, by the state that asks for it in play, to the state's first frame: the first
// time in a run (every picture and the music read; music_ready_ms says when the music, decoded
// in the background, was ready) and later times (the music decoded already).
// Needs a display (Xvfb with Mesa's software renderer is what the goals are set for):
//   DISPLAY=:51 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_states --benchmark_filter=Maze
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "../tests/support/PlayHarness.h"
#include "Level1.h"
#include "Level2.h"
#include "LevelProgress.h"
#include "MazePuzzle.h"
#include "Menu.h"
#include "Puzzle.h"
#include "RotatingPuzzle.h"
#include "SoundManager.h"
#include "Spellcast.h"
#include "TNInput.h"
#include "TNMath.h"

namespace {

const int kRoomFadeIn = places::kRoomFadeIn;

/* ---- The scenes whose frames are measured ---- */

void MenuIdle(PlayHarness& h) {  // after its fade-in, the cursor away from every button
  splashState = 3;
  h.MoveCursor(60, 60);
  h.Frames(45);
}
void MenuOptionsPanel(PlayHarness& h) {
  MenuIdle(h);
  h.Click(places::kMenuOptions.x, places::kMenuOptions.y);
  h.Frames(3);
}
void MenuSplash(PlayHarness& h) {  // a logo well on its way in
  splashState = 0;
  h.Frames(150);
}
/* A close-up with the cursor sparkling over a click spot, the hero standing at `at`. */
void Sparkle(PlayHarness& h, places::Point at, places::Point spot) {
  h.Frames(kRoomFadeIn);
  h.StateAs<RoomLevel>()->hero->posX = at.x;
  h.StateAs<RoomLevel>()->hero->posY = at.y;
  h.Press(TN_KEY_E);
  h.Frames(kRoomFadeIn + 1);
  h.MoveCursor(spot.x, spot.y);
  h.Frames(30);  // the sparkle at its usual number of dots
}
void FirstRoomDrawer(PlayHarness& h) { Sparkle(h, places::kAtDrawer, places::kDrawerFront); }
void SecondRoomCabinet(PlayHarness& h) { Sparkle(h, places::kAtCabinet, places::kBottomDrawer); }
void JigsawPieceSelected(PlayHarness& h) {  // the selection mark is drawn too
  h.Frame();
  h.ClickAt({100, 550});  // starts play
  h.ClickAt({325, 100});  // selects the top-left piece
}
void RingsTurned(PlayHarness& h) {  // two rings standing at an angle
  h.Frame();
  h.ClickAt({400, 300});  // past the caption
  h.ClickAt({530, 300});  // the outer and middle rings turn by 45 degrees
}
void BattleInPlay(PlayHarness& h) {  // the wand in the middle, every orb in play
  h.Hover({400, 300});
  h.ClickAt({400, 300});
  h.Frames(120);
}
void MazeWalking(PlayHarness& h) {  // the hero walks the start corridor, to and fro
  h.Frames(2);
  h.ClickAt({400, 300});
  h.KeyDown(TN_KEY_D);
}

/* The same games stopped with Escape: the still picture under the dimmed screen. */
void MazePaused(PlayHarness& h) {
  MazeWalking(h);
  h.Frames(30);
  h.Tap(TN_KEY_ESCAPE);
}
void BattlePaused(PlayHarness& h) {
  BattleInPlay(h);
  h.Tap(TN_KEY_ESCAPE);
}

/* Before each frame measured: what keeps the scene as it is; false when it went. */
bool Hovering(PlayHarness&, long) { return hotspotHover == 1; }
bool Splashing(PlayHarness&, long) { return splashState == 0; }
bool Always(PlayHarness&, long) { return true; }
bool JigsawInPlay(PlayHarness& h, long) {
  Puzzle* puzzle = h.StateAs<Puzzle>();
  puzzle->timer.ResetCount();  // the clock never runs out here
  return puzzle->selectedPiece != nullptr && !puzzle->finished;
}
bool StillPaused(PlayHarness& h, long) { return h.StateAs<BaseGameState>()->IsPaused(); }
bool RingsInPlay(PlayHarness& h, long) {
  const RotatingPuzzle* rings = h.StateAs<RotatingPuzzle>();
  return rings->outer->rotation != 0.0 && !rings->finished;
}
bool BattleUndecided(PlayHarness& h, long) {  // score and lives put back: never decided
  Spellcast* battle = h.StateAs<Spellcast>();
  battle->score = 0;
  battle->lives = 3;
  return !battle->finished && battle->orbs.size() >= 10;
}
bool MazeInPlay(PlayHarness& h, long frame) {
  MazePuzzle* maze = h.StateAs<MazePuzzle>();
  if (frame > 0 && frame % 120 == 0) {  // about turn, no monster in reach
    h.KeyUp(frame / 120 % 2 ? TN_KEY_D : TN_KEY_A);
    h.KeyDown(frame / 120 % 2 ? TN_KEY_A : TN_KEY_D);
  }
  maze->timeLeft = MazePuzzle::kTimeLimitFrames;
  return !maze->finished;
}

struct Scene {
  const char* name;
  int state;
  void (*ready)(PlayHarness&);
  bool (*keep)(PlayHarness&, long frame);
  bool fullScreenToo;
};
const Scene kScenes[] = {
    {"MenuIdle", kStateMenu, MenuIdle, Always, true},
    {"MenuOptionsPanel", kStateMenu, MenuOptionsPanel, Always, false},
    {"MenuSplash", kStateMenu, MenuSplash, Splashing, false},
    {"FirstRoomSparkle", kStateLevel1, FirstRoomDrawer, Hovering, false},
    {"Jigsaw", kStatePuzzle, JigsawPieceSelected, JigsawInPlay, false},
    {"FirstBattle", kStateSpellcast, BattleInPlay, BattleUndecided, false},
    {"SecondRoomSparkle", kStateLevel2, SecondRoomCabinet, Hovering, false},
    {"Rings", kStateRotatingPuzzle, RingsTurned, RingsInPlay, true},
    {"MazeOne", kStateMazeOne, MazeWalking, MazeInPlay, false},
    {"MazeTwo", kStateMazeTwo, MazeWalking, MazeInPlay, false},
    {"SecondBattle", kStateSpellcastLevel2, BattleInPlay, BattleUndecided, false},
    {"MazeOnePaused", kStateMazeOne, MazePaused, StillPaused, false},
    {"FirstBattlePaused", kStateSpellcast, BattlePaused, StillPaused, false},
};

void FrameCost(benchmark::State& state, const Scene& scene) {
  PlayHarness::Options options;
  options.fullScreen = state.range(0) != 0;
  PlayHarness h(scene.state, options);
  scene.ready(h);
  long frame = 0;
  for (auto _ : state) {
    if (!scene.keep(h, frame++)) state.SkipWithError("the scene ended during the run");
    h.Frame();
  }
}

/* ---- The switches: each state asked for by the one before it in play ---- */

struct Switch {
  int state, from;
  const char* name;
};
const Switch kSwitches[] = {
    {kStateMenu, kStateLevel1, "FirstRoomToMenu"},         {kStateLevel1, kStateMenu, "MenuToFirstRoom"},
    {kStatePuzzle, kStateLevel1, "FirstRoomToJigsaw"},     {kStateSpellcast, kStateLevel1, "FirstRoomToBattle"},
    {kStateLevel2, kStateLevel1, "StageClearToSecondRoom"}, {kStateRotatingPuzzle, kStateLevel2, "SecondRoomToRings"},
    {kStateMazeOne, kStateLevel2, "SecondRoomToMazeOne"},   {kStateMazeTwo, kStateMazeOne, "MazeOneToMazeTwo"},
    {kStateSpellcastLevel2, kStateLevel2, "SecondRoomToBattle"},
};

/* The state that asks, settled as it is when it asks: the menu faded in, the first room at its
 * stage-clear screen when the second room comes next, a room faded in. */
void Settle(PlayHarness& h, const Switch& s) {
  splashState = 3;
  stageClearMark = s.state == kStateLevel2 ? kStageClearMark : 0;
  if (currentStateId != s.from) {
    nextStateId = s.from;
    h.Frame();
  }
  h.Frames(45);
  stageClearMark = 0;
  SoundFinishLoading();
}
/* Two steps of the loop: the state that asks is left, then the new one is built, loaded,
 * initialised and runs its first frame. */
bool Enter(PlayHarness& h, int id) {
  nextStateId = id;
  h.Frame();
  h.Frame();
  return currentStateId == id && currentState != nullptr;
}

void FirstSwitch(benchmark::State& state, const Switch& s) {
  PlayHarness h(s.from);
  Settle(h, s);
  for (auto _ : state) {
    const auto requested = std::chrono::steady_clock::now();
    if (!Enter(h, s.state)) state.SkipWithError("the state did not start");
    state.PauseTiming();
    SoundFinishLoading();
    const std::chrono::duration<double, std::milli> ready = std::chrono::steady_clock::now() - requested;
    state.counters["music_ready_ms"] = ready.count();
    state.ResumeTiming();
  }
}

void WarmSwitch(benchmark::State& state, const Switch& s) {
  PlayHarness h(s.from);
  Settle(h, s);
  Enter(h, s.state);  // the first time, not measured
  for (auto _ : state) {
    state.PauseTiming();
    Settle(h, s);
    state.ResumeTiming();
    if (!Enter(h, s.state)) state.SkipWithError("the state did not start");
  }
}

}  // namespace

int main(int argc, char** argv) {
  TNRandFixClockSeed(1, 11);  // the same deal, orbs and patrols in every run
  for (const Scene& scene : kScenes) {
    auto* b = benchmark::RegisterBenchmark((std::string("Frame/") + scene.name).c_str(), FrameCost, scene);
    b->Arg(0)->ArgName("fullscreen")->Unit(benchmark::kMillisecond)->UseRealTime();
    if (scene.fullScreenToo) b->Arg(1);
  }
  for (const Switch& s : kSwitches) {
    benchmark::RegisterBenchmark((std::string("FirstSwitch/") + s.name).c_str(), FirstSwitch, s)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
    benchmark::RegisterBenchmark((std::string("WarmSwitch/") + s.name).c_str(), WarmSwitch, s)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
