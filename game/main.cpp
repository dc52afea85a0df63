/*
 * Sorca's entry point: read the options, find the resources, start the
 * engine in full screen (or in a window), run the state loop from the menu
 * (or the state asked for) until quit, shut everything down. With --record the session
 * goes into a journal as it is played; with --replay a journal's session is
 * played again and checked: exit code 0 when it went as recorded, 1 when it
 * did not, 2 for a journal that cannot be replayed.
 *
 * SORCA_EXIT_AFTER_FRAMES=N quits after N frames and reports on standard
 * error how long start-up took and how much memory the game holds.
 */
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "CommandLine.h"
#include "GameDigest.h"
#include "GameLoop.h"
#include "GameStateManager.h"
#include "ResourceRoot.h"
#include "SessionRecorder.h"
#include "SessionReplayer.h"
#include "SettingsKeeper.h"
#include "StateFactory.h"
#include "TNFrameRateController.h"

typedef std::chrono::steady_clock Clock;

static void StartGame(bool startFullScreen, int startState) {
  GameStateManagerSetFactory(BuildGameState);
  RegisterGameDigest();
  GameStart(startFullScreen);
  GameLoopBegin(startState);
}

/* What follows the loop; its result is the program's exit code. */
typedef std::function<int()> AfterLoop;

#ifdef __EMSCRIPTEN__
/* The browser drives the frames: one step per animation frame (or, when
 * nothing paces them, as many as fit in most of one), and the rest of the
 * program after the last. */
static int RunStateLoop(Clock::time_point, AfterLoop after, bool unpaced = false) {
  static AfterLoop afterLast;
  static double stepMilliseconds;
  afterLast = after;
  stepMilliseconds = unpaced ? 12.0 : 0.0;
  emscripten_set_main_loop([] {
    const double until = emscripten_get_now() + stepMilliseconds;
    do {
      if (GameLoopStep()) continue;
      emscripten_cancel_main_loop();
      emscripten_force_exit(afterLast());
      return;
    } while (emscripten_get_now() < until);
  }, 0, 1);
  return 0;
}
#else
static long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, 6, "VmRSS:") == 0) return std::atol(line.c_str() + 6);
  return -1;
}

static int FramesBeforeExit() {
  const char* value = std::getenv("SORCA_EXIT_AFTER_FRAMES");
  return value != nullptr ? std::atoi(value) : 0;
}

static int RunStateLoop(Clock::time_point started, AfterLoop after, bool = false) {
  const int framesBeforeExit = FramesBeforeExit();
  int frames = 0;
  double firstFrameMs = 0.0;
  while (GameLoopStep()) {
    if (++frames == 1)
      firstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    if (framesBeforeExit > 0 && frames == framesBeforeExit) {
      std::fprintf(stderr, "sorca: first frame presented %.1f ms after start; VmRSS %ld kB\n",
                   firstFrameMs, ResidentKilobytes());
      nextStateId = kStateQuit;
    }
  }
  return after();
}
#endif

static int Play(const CommandLine& options, Clock::time_point started) {
  const bool recording = !options.recordPath.empty();
  const char* path = options.recordPath.c_str();
  std::string error;
  // Opened before the resource root becomes the working directory, so a
  // relative name means what the player meant.
  if (recording && !SessionRecordOpen(options.recordPath, &error)) {
    std::fprintf(stderr, "sorca: cannot record into '%s': %s\n", path, error.c_str());
    return 2;
  }
  if (!EnterResourceRoot()) {
    if (recording) SessionRecordDiscard();
    return 1;
  }
  // A recorded session starts from the defaults, as its replay will.
  const Settings settings = recording ? Settings() : SettingsKeeperLoad();
  const bool startFullScreen = !options.windowed && settings.fullScreen;
  StartGame(startFullScreen, options.startState);
  if (recording) SessionRecordStart(options.startState, startFullScreen);
  if (!recording) SettingsKeeperStart(settings);
  return RunStateLoop(started, [recording, options]() {
    std::string error;
    const char* path = options.recordPath.c_str();
    const bool recorded = !recording || SessionRecordStop(&error);
    GameStop();
    if (!recording) return 0;
    if (!recorded) {
      std::fprintf(stderr, "sorca: the journal '%s' is incomplete: %s\n", path, error.c_str());
      return 1;
    }
    std::fprintf(stderr, "sorca: recorded %lld frames into '%s' (%lld bytes)\n", SessionRecordFrames(), path,
                 SessionRecordBytes());
    return 0;
  });
}

/* What the journal asks of this program before anything starts. */
static bool CanReplay(const JournalHeader& header, std::string* error) {
  if (!IsGameStateId(header.startState)) {
    *error = "it starts in state " + std::to_string(header.startState) + ", which this Sorca does not have";
    return false;
  }
  if (header.gameVersion != SORCA_VERSION)
    std::fprintf(stderr, "sorca: the journal was recorded with Sorca %s, this is %s; it may go differently\n",
                 header.gameVersion.c_str(), SORCA_VERSION);
  return true;
}

static bool SameWindow(const JournalHeader& header, std::string* error) {
  if (header.windowWidth == TNGetWindowWidth() && header.windowHeight == TNGetWindowHeight()) return true;
  *error = "it was recorded in a " + std::to_string(header.windowWidth) + " x " +
           std::to_string(header.windowHeight) + " window, this Sorca's is " +
           std::to_string(TNGetWindowWidth()) + " x " + std::to_string(TNGetWindowHeight());
  return false;
}

static int Replay(const CommandLine& options, Clock::time_point started) {
  const char* path = options.replayPath.c_str();
  JournalHeader header;
  std::string error;
  if (!SessionReplayLoad(options.replayPath, &header, &error) || !CanReplay(header, &error)) {
    std::fprintf(stderr, "sorca: cannot replay '%s': %s\n", path, error.c_str());
    return 2;
  }
  if (SessionReplayRecordedFrames() == 0) {
    std::fprintf(stderr, "sorca: %s: no frame to replay: %s\n", path,
                 SessionReplayCutReason().empty() ? "the session ended at once" : SessionReplayCutReason().c_str());
    return 0;
  }
  if (!EnterResourceRoot()) return 1;
  StartGame(header.fullScreen, header.startState);
  if (!SameWindow(header, &error)) {
    GameStop();
    std::fprintf(stderr, "sorca: cannot replay '%s': %s\n", path, error.c_str());
    return 2;
  }
  // The journal's frame times are what counts; the replay itself goes as
  // fast as the pace asked for.
  TNFrameRateControllerSetMaxFrameRate(0);
  SessionReplayStart(options.replaySpeed);
  return RunStateLoop(started, [options]() {
    const SessionReplayResult result = SessionReplayStop();
    GameStop();
    std::fprintf(stderr, "sorca: %s: %s\n", options.replayPath.c_str(), result.message.c_str());
    return result.faithful ? 0 : 1;
  }, options.replaySpeed == 0);
}

int main(int argc, char** argv) {
  const Clock::time_point started = Clock::now();
  CommandLine options;
  std::string error;
  if (!ParseCommandLine(argc, argv, &options, &error)) {
    std::fprintf(stderr, "sorca: %s\n%s", error.c_str(), CommandLineUsage());
    return 2;
  }
  if (options.showHelp) {
    std::fputs(CommandLineHelp(), stdout);
    return 0;
  }
  if (options.showVersion) {
    std::printf("%s\n", CommandLineVersion());
    return 0;
  }
  if (!options.replayPath.empty()) return Replay(options, started);
  return Play(options, started);
}
