/*
 * Sorca's entry point: read the options, find the resources, start the
 * engine in full screen (or in a window), run the state loop from the menu
 * (or the state asked for) until quit, shut everything down.
 *
 * SORCA_EXIT_AFTER_FRAMES=N quits after N frames and reports on standard
 * error how long start-up took and how much memory the game holds.
 */
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "CommandLine.h"
#include "GameLoop.h"
#include "GameStateManager.h"
#include "ResourceRoot.h"
#include "StateFactory.h"

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

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
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
  if (!EnterResourceRoot()) return 1;
  const int framesBeforeExit = FramesBeforeExit();

  GameStateManagerSetFactory(BuildGameState);
  GameStart(!options.windowed);
  GameLoopBegin(options.startState);
  int frames = 0;
  double firstFrameMs = 0.0;
  while (GameLoopStep()) {
    if (++frames == 1)
      firstFrameMs = std::chrono::duration<double, std::milli>(
                         std::chrono::steady_clock::now() - started).count();
    if (framesBeforeExit > 0 && frames == framesBeforeExit) {
      std::fprintf(stderr, "sorca: first frame presented %.1f ms after start; VmRSS %ld kB\n",
                   firstFrameMs, ResidentKilobytes());
      nextStateId = kStateQuit;
    }
  }
  GameStop();
  return 0;
}
