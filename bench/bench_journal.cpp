// Session journals: the cost of a room frame with and without recording (the frame-rate cap
// removed), what recording adds on its own (digest, encoding, the write), and how fast a
// journal replays. Needs a display (Xvfb with Mesa's software renderer):
//   DISPLAY=:51 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_journal
// The replay benchmark replays the journal named by SORCA_BENCH_JOURNAL (default: the kept
// menu-and-first-room journal of the source tree).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "../tests/support/PlayHarness.h"
#include "GameDigest.h"
#include "JournalEncoder.h"
#include "Level1.h"
#include "LevelProgress.h"
#include "Menu.h"
#include "SessionDigest.h"
#include "SessionRecorder.h"
#include "SessionReplayer.h"
#include "TNInput.h"
#include "TNMath.h"

namespace {

const int kFadeInFrames = 20;

std::string TempJournal() { return "/tmp/bench-journal-" + std::to_string(getpid()) + ".journal"; }

/* The drawer close-up with the cursor's sparkle running over the drawer front. */
void OpenDrawer(PlayHarness& h) {
  h.Frames(kFadeInFrames);
  Level1* level = h.StateAs<Level1>();
  level->hero->posX = 90.0;
  level->hero->posY = -70.0;
  h.Press(TN_KEY_E);
  h.Frames(kFadeInFrames + 1);
  h.MoveCursor(400, 350);
  h.Frames(2);
}

/* One frame of the room, recorded into a journal when the argument is 1. */
void BM_RoomFrame(benchmark::State& state) {
  const bool recording = state.range(0) != 0;
  const std::string path = TempJournal();
  std::remove(path.c_str());
  std::string error;
  if (recording && !SessionRecordOpen(path, &error)) state.SkipWithError(error.c_str());
  RegisterGameDigest();
  PlayHarness h(kStateLevel1);
  if (recording) SessionRecordStart(kStateLevel1, false);
  OpenDrawer(h);
  for (auto _ : state) {
    h.Frame();
    if (hotspotHover != 1) state.SkipWithError("the cursor left the drawer front");
  }
  if (recording) {
    if (!SessionRecordStop(&error)) state.SkipWithError(error.c_str());
    state.counters["journal_bytes_per_frame"] =
        static_cast<double>(SessionRecordBytes()) / static_cast<double>(SessionRecordFrames());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_RoomFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(3.0);

/* What recording adds to a frame, alone: the state digest and its encoding. */
void BM_DigestAndEncode(benchmark::State& state) {
  RegisterGameDigest();
  PlayHarness h(kStateLevel1);
  OpenDrawer(h);
  JournalHeader header;
  header.digestFields = SessionDigestFields();
  JournalEncoder encoder(header);
  JournalFrame frame;
  double time = 1.0 / 60.0;
  for (auto _ : state) {
    frame.digest = SessionDigestNow(encoder.Frames());
    frame.frameTime = (time += 1e-6);
    benchmark::DoNotOptimize(encoder.Frame(frame));
  }
}
BENCHMARK(BM_DigestAndEncode)->Unit(benchmark::kMicrosecond);

/* A whole journal replayed in the loop as fast as the renderer goes; frames_per_second is the
 * replay speed. */
void BM_ReplayJournal(benchmark::State& state) {
  const char* named = std::getenv("SORCA_BENCH_JOURNAL");
  const std::string path = named != nullptr ? named : SORCA_SOURCE_DIR "/tests/journals/menu_and_first_room.journal";
  JournalHeader header;
  std::string error;
  if (!SessionReplayLoad(path, &header, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  long long frames = 0;
  for (auto _ : state) {
    // As a fresh program, where the journal started.
    splashState = 0;
    stageClearMark = gameOverMark = lastMiniGame = 0;
    frameTime = 0.0f;
    TNSRand(1);
    RegisterGameDigest();
    PlayHarness::Options options;
    options.fullScreen = header.fullScreen;
    options.maxFrameRate = 60;
    PlayHarness h(header.startState, options);
    TNGfxSetCamPosition(0.0f, 0.0f);
    TNFrameRateControllerSetMaxFrameRate(0);
    SessionReplayStart(0.0);
    while (h.Frame()) {
    }
    const SessionReplayResult result = SessionReplayStop();
    if (!result.faithful) state.SkipWithError(result.message.c_str());
    frames += result.framesReplayed;
  }
  state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayJournal)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
